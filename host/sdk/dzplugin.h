#pragma once

#include "dzcore_export.h"
#include "dzversion.h"

#include <QList>
#include <QString>

class DzClassFactory;

// What a plug-in library tells the host about itself. A plug-in keeps one
// static definition and hands it out through getPluginDefinition(); the
// definition owns its class factories.
class DZCORE_EXPORT DzPlugin {
public:
    explicit DzPlugin(const QString& name);
    ~DzPlugin();

    DzPlugin(const DzPlugin&) = delete;
    DzPlugin& operator=(const DzPlugin&) = delete;

    QString getName() const { return m_name; }

    void setAuthor(const QString& author) { m_author = author; }
    QString getAuthor() const { return m_author; }

    void setVersion(int major, int minor, int revision, int build);
    DzVersion getVersion() const { return m_version; }

    // Rich text shown by the host next to the plug-in's name.
    void setDescription(const QString& description) { m_description = description; }
    QString getDescription() const { return m_description; }

    // Takes ownership. A null factory is ignored.
    void addClassFactory(DzClassFactory* factory);
    int getNumClassFactories() const { return int(m_factories.size()); }
    DzClassFactory* getClassFactory(int index) const;

private:
    QString m_name;
    QString m_author;
    QString m_description;
    DzVersion m_version;
    QList<DzClassFactory*> m_factories;
};

// The two unmangled functions every plug-in library exports.
extern "C" {
using DzGetSDKVersionFunction = DzVersion (*)();
using DzGetPluginDefinitionFunction = DzPlugin* (*)();
}
#define DZ_SDK_VERSION_FUNCTION_NAME "getSDKVersion"
#define DZ_PLUGIN_DEFINITION_FUNCTION_NAME "getPluginDefinition"
