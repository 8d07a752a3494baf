#pragma once

#include "dzcore_export.h"
#include "dzguid.h"

#include <QString>

class QObject;
class QScriptContext;
class QScriptEngine;
class QScriptValue;
struct QMetaObject;

// Makes instances of one class for the host, and introduces that class to
// the host's script engine. A plug-in hands its factories to the host
// through its DzPlugin definition; the host keeps them for the life of the
// plug-in.
class DZCORE_EXPORT DzClassFactory {
public:
    DzClassFactory(const QString& className, const QMetaObject* metaObject, const DzGuid& guid);
    virtual ~DzClassFactory();

    DzClassFactory(const DzClassFactory&) = delete;
    DzClassFactory& operator=(const DzClassFactory&) = delete;

    QString getClassName() const { return m_className; }
    const QMetaObject* getMetaObject() const { return m_metaObject; }
    DzGuid getGuid() const { return m_guid; }
    // True when the factory's class is `base` or derives from it.
    bool inherits(const QMetaObject* base) const;

    // A new instance; the caller owns it.
    virtual QObject* createInstance() const = 0;
    // A new instance for a script constructor call (the context holds the
    // arguments). The default ignores them.
    virtual QObject* createInstance(QScriptContext* context) const;

    // Stores a constructor for the class in the engine's global object under
    // the class name, combined with the class's meta-object (so its enums are
    // reachable as ClassName.Key). Existing property flags are kept.
    virtual void registerClass(QScriptEngine* engine) const;

    // Sets every enumerator key the class itself declares as a read-only
    // property of `classObject`.
    static void registerEnumsOnClass(const QMetaObject* metaObject, QScriptValue& classObject);

private:
    QString m_className;
    const QMetaObject* m_metaObject;
    DzGuid m_guid;
};
