// Desktop services without a desktop: no CD-ROM drive, an in-memory user
// registry, no taskbar.

#include "platform/desktop.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace plat {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::map<std::string, uint32_t>& Registry() {
    static std::map<std::string, uint32_t> values;
    return values;
}

std::string RegistryName(const std::string& keyPath, const std::string& name) {
    return Lower(keyPath) + '\n' + Lower(name);
}

}  // namespace

uint32_t GetDriveType(const std::string& /*root*/) {
    return DRIVE_NO_ROOT_DIR;
}

bool ReadUserRegistryValue(const std::string& keyPath, const std::string& name, uint32_t* value) {
    auto it = Registry().find(RegistryName(keyPath, name));
    if (it == Registry().end()) return false;
    if (value != nullptr) *value = it->second;
    return true;
}

bool WriteUserRegistryValue(const std::string& keyPath, const std::string& name, uint32_t value) {
    Registry()[RegistryName(keyPath, name)] = value;
    return true;
}

void ClearUserRegistryForTests() {
    Registry().clear();
}

uint32_t QueryTaskbarState() {
    return 0;
}
void LowerTaskbar() {}
void RaiseTaskbarToTop() {}

}  // namespace plat
