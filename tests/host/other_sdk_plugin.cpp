// A plug-in built for another SDK major version (TEST_SDK_MAJOR); the host
// must refuse it before asking for its definition.

#include "dzplugin.h"
#include "dzversion.h"

#include <cstdlib>

extern "C" Q_DECL_EXPORT DzVersion getSDKVersion() {
    return DzVersion(TEST_SDK_MAJOR, 0, 0, 1);
}

extern "C" Q_DECL_EXPORT DzPlugin* getPluginDefinition() {
    std::abort(); // a host that asks is a host that did not check
}
