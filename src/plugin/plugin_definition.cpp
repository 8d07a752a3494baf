// The library's entry points: the host resolves these two unmangled names.

#include "dzplugin.h"
#include "dzversion.h"
#include "plugin_action_factory.h"

#include <memory>

namespace {

DzPlugin* makeDefinition() {
    auto* plugin = new DzPlugin(QStringLiteral("MORVANE"));
    plugin->setAuthor(QStringLiteral("The MORVANE developers"));
    plugin->setVersion(1, 1, 0, 1);
    plugin->setDescription(
        QStringLiteral("<a href=\"https://morvane.example.org\">MORVANE terrain generator</a>"
                       "<br><br>"));
    plugin->addClassFactory(new DzMorvanePluginActionFactory);
    return plugin;
}

// Made when the library is loaded, gone when it is unloaded.
const std::unique_ptr<DzPlugin> g_definition(makeDefinition());

} // namespace

extern "C" Q_DECL_EXPORT DzVersion getSDKVersion() {
    return DzVersion(4, 5, 0, 100);
}

extern "C" Q_DECL_EXPORT DzPlugin* getPluginDefinition() {
    return g_definition.get();
}
