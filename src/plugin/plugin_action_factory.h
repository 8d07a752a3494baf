#pragma once

#include "dztclassfactory.h"
#include "plugin_action.h"

// Makes DzMorvanePluginAction for the host and registers the class with the
// host's script engine.
class DzMorvanePluginActionFactory : public DzTClassFactory<DzMorvanePluginAction> {
public:
    DzMorvanePluginActionFactory();

    void registerClass(QScriptEngine* engine) const override;
};
