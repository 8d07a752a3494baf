#include "dzclassfactory.h"

#include <QMetaEnum>
#include <QMetaObject>
#include <QObject>
#include <QScriptEngine>
#include <QScriptValue>

namespace {

// `new ClassName()` from script. Objects made here belong to the script
// unless something parents them (the host menu, a window).
QScriptValue constructInstance(QScriptContext* context, QScriptEngine* engine, void* data) {
    const auto* factory = static_cast<const DzClassFactory*>(data);
    if (!factory)
        return QScriptValue();
    QObject* instance = factory->createInstance(context);
    if (!instance)
        return QScriptValue();
    QScriptValue value = engine->newQObject(instance, QScriptEngine::AutoOwnership);
    DzClassFactory::registerEnumsOnClass(factory->getMetaObject(), value);
    return value;
}

} // namespace

DzClassFactory::DzClassFactory(const QString& className, const QMetaObject* metaObject,
                               const DzGuid& guid)
    : m_className(className), m_metaObject(metaObject), m_guid(guid) {}

DzClassFactory::~DzClassFactory() = default;

bool DzClassFactory::inherits(const QMetaObject* base) const {
    return m_metaObject && base && m_metaObject->inherits(base);
}

QObject* DzClassFactory::createInstance(QScriptContext*) const {
    return createInstance();
}

void DzClassFactory::registerClass(QScriptEngine* engine) const {
    if (!engine || !m_metaObject)
        return;
    QScriptValue constructor =
        engine->newFunction(constructInstance, const_cast<DzClassFactory*>(this));
    QScriptValue classObject = engine->newQMetaObject(m_metaObject, constructor);
    QScriptValue global = engine->globalObject();
    global.setProperty(m_className, classObject, global.propertyFlags(m_className));
}

void DzClassFactory::registerEnumsOnClass(const QMetaObject* metaObject,
                                          QScriptValue& classObject) {
    if (!metaObject || !classObject.isObject())
        return;
    for (int e = metaObject->enumeratorOffset(); e < metaObject->enumeratorCount(); ++e) {
        const QMetaEnum metaEnum = metaObject->enumerator(e);
        for (int k = 0; k < metaEnum.keyCount(); ++k)
            classObject.setProperty(QString::fromLatin1(metaEnum.key(k)), metaEnum.value(k),
                                    QScriptValue::ReadOnly | QScriptValue::Undeletable);
    }
}
