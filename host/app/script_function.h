#pragma once

#include <QScriptEngine>

#include <vector>

namespace morvane::host {

// One global function of the script API: its name, the native function and
// the object it works on (handed back to the function as `self`).
struct ScriptFunction {
    const char* name;
    QScriptEngine::FunctionWithArgSignature call;
    void* self;
};

using ScriptFunctions = std::vector<ScriptFunction>;

} // namespace morvane::host
