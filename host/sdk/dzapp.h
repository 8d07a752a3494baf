#pragma once

#include "dzcore_export.h"
#include "dzversion.h"

#include <QList>
#include <QObject>
#include <QString>

class DzClassFactory;
class DzContentMgr;
class DzGuid;
class DzImageMgr;
class DzImportMgr;
class DzMainWindow;
class DzScene;
class QScriptEngine;

// The host application as plug-ins see it: its folders, its managers, the
// registered classes, the scene and the script engine. The host makes exactly one, and
// it is reachable everywhere through dzApp while it lives.
class DZCORE_EXPORT DzApp : public QObject {
    Q_OBJECT
public:
    explicit DzApp(QObject* parent = nullptr);
    ~DzApp() override;

    DzVersion getVersion() const { return dzSDKVersion(); }

    // The folder plug-in libraries are loaded from; their data folders sit
    // beside them.
    QString getPluginsPath() const { return m_pluginsPath; }
    // The user's documents folder for the host.
    QString getDocumentsPath() const { return m_documentsPath; }
    DzContentMgr* getContentMgr() const { return m_contentMgr; }
    DzImageMgr* getImageMgr() const { return m_imageMgr; }
    DzImportMgr* getImportMgr() const { return m_importMgr; }
    DzScene* getScene() const { return m_scene; }
    // The host's main window; null until the host shows one.
    DzMainWindow* getInterface() const { return m_interface; }
    QScriptEngine* getScriptEngine() const { return m_scriptEngine; }

    // Null when no registered factory makes that class.
    DzClassFactory* findClassFactory(const QString& className) const;
    DzClassFactory* findClassFactory(const DzGuid& guid) const;
    int getNumClassFactories() const { return int(m_factories.size()); }
    DzClassFactory* getClassFactory(int index) const;

    // Host side.
    void setPluginsPath(const QString& path) { m_pluginsPath = path; }
    void setDocumentsPath(const QString& path) { m_documentsPath = path; }
    void setInterface(DzMainWindow* window) { m_interface = window; }
    // Registers the factory and its class with the script engine. Refused
    // (false) for a null factory, or when its class name or GUID is taken.
    bool registerClassFactory(DzClassFactory* factory);

private:
    QString m_pluginsPath;
    QString m_documentsPath;
    DzContentMgr* m_contentMgr;
    DzImageMgr* m_imageMgr;
    DzImportMgr* m_importMgr;
    DzScene* m_scene;
    DzMainWindow* m_interface = nullptr;
    QScriptEngine* m_scriptEngine;
    QList<DzClassFactory*> m_factories; // owned by their plug-ins
};

// The running host's application object; null before it is made and after
// it is gone.
extern DZCORE_EXPORT DzApp* dzApp;
