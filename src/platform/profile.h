#pragma once
// Settings files with initialisation-file semantics: sections and keys are
// matched case-insensitively; reads fall back to a default; writes keep every
// other line of the file as it was.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Leading decimal digits of the value (an optional sign allowed; "300 px"
// gives 300, a value without digits 0); the default when the file, the section
// or the key is missing or the value is empty.
int32_t GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                      const std::string& windowsPath);

// The value without surrounding blanks and matching quotes; the default when
// the file, the section or the key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& windowsPath);

// Creates the file, the section and the key as needed; an existing key keeps
// its spelling and place. The file is replaced as a whole (FileReplacement):
// false when it cannot be read or written, and the old file then stays as it
// was.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& windowsPath);

struct ProfileEntry {
    std::string key;
    std::string value;
};
// Several keys of one section in one replacement of the file, each as
// WriteProfileString would write it; all or nothing.
bool WriteProfileStrings(const std::string& section, const std::vector<ProfileEntry>& entries,
                         const std::string& windowsPath);

}  // namespace plat
