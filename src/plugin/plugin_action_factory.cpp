#include "plugin_action_factory.h"

#include <QMetaType>
#include <QScriptEngine>

namespace {

QScriptValue actionToScript(QScriptEngine* engine, DzMorvanePluginAction* const& action,
                            QScriptEngine::ValueOwnership ownership) {
    if (!action)
        return QScriptValue(QScriptValue::NullValue);
    QScriptValue value = engine->newQObject(action, ownership);
    DzClassFactory::registerEnumsOnClass(&DzMorvanePluginAction::staticMetaObject, value);
    return value;
}

// Actions handed to scripts belong to the host (the Create menu).
QScriptValue toScript(QScriptEngine* engine, DzMorvanePluginAction* const& action) {
    return actionToScript(engine, action, QScriptEngine::QtOwnership);
}

void fromScript(const QScriptValue& value, DzMorvanePluginAction*& action) {
    action = qobject_cast<DzMorvanePluginAction*>(value.toQObject());
}

// `new DzMorvanePluginAction()` from script. The new action belongs to the
// script until something parents it, so a dropped one does not leak.
QScriptValue construct(QScriptContext* context, QScriptEngine* engine, void* data) {
    const auto* factory = static_cast<const DzMorvanePluginActionFactory*>(data);
    if (!factory)
        return QScriptValue();
    QObject* instance = factory->createInstance(context);
    auto* action = qobject_cast<DzMorvanePluginAction*>(instance);
    if (!action) {
        delete instance;
        return QScriptValue();
    }
    return actionToScript(engine, action, QScriptEngine::AutoOwnership);
}

} // namespace

DzMorvanePluginActionFactory::DzMorvanePluginActionFactory()
    : DzTClassFactory<DzMorvanePluginAction>(
          DzGuid::fromString(QStringLiteral("CD69D1EC-2478-47E0-B702-00D53565D476"))) {}

void DzMorvanePluginActionFactory::registerClass(QScriptEngine* engine) const {
    DzClassFactory::registerClass(engine);
    if (!engine)
        return;

    // The meta-type is process-wide; the script conversion is per engine.
    static const int typeId = qRegisterMetaType<DzMorvanePluginAction*>("DzMorvanePluginAction*");
    Q_UNUSED(typeId);
    qScriptRegisterMetaType<DzMorvanePluginAction*>(engine, toScript, fromScript);

    QScriptValue constructor =
        engine->newFunction(construct, const_cast<DzMorvanePluginActionFactory*>(this));
    QScriptValue classObject =
        engine->newQMetaObject(&DzMorvanePluginAction::staticMetaObject, constructor);
    QScriptValue global = engine->globalObject();
    const QString name = getClassName();
    global.setProperty(name, classObject, global.propertyFlags(name));
}
