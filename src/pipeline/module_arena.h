#pragma once

#include <libnoise/module/modulebase.h>

#include <memory>
#include <vector>

namespace morvane {

// Owns the noise modules of one evaluation; they die together with it.
class ModuleArena {
public:
    template <typename T, typename... Args> T& make(Args&&... args) {
        auto module = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *module;
        m_modules.push_back(std::move(module));
        return ref;
    }

private:
    std::vector<std::unique_ptr<noise::module::Module>> m_modules;
};

} // namespace morvane
