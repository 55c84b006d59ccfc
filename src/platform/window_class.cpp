// The factory map of window classes by run-time name.

#include "platform/window_class.h"

#include <map>

namespace plat {

namespace {

std::map<std::string, WindowFactory>& Classes() {
    static std::map<std::string, WindowFactory> classes;
    return classes;
}

}  // namespace

void RegisterWindowClass(const std::string& name, WindowFactory factory) {
    Classes()[name] = std::move(factory);
}

bool IsWindowClassRegistered(const std::string& name) {
    return Classes().count(name) != 0;
}

Window* CreateWindowObject(const std::string& name) {
    auto it = Classes().find(name);
    if (it == Classes().end() || !it->second) return nullptr;
    return it->second();
}

}  // namespace plat
