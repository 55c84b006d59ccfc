// Windows paths onto the host file tree: separators, drive prefixes and
// case-insensitive matching of every existing component.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/file.h"

namespace plat {
namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool Exists(const std::string& hostPath) {
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case; the first in
// byte order when there are several, so the choice never depends on the order
// the file system lists them in.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return std::nullopt;
    std::optional<std::string> best;
    for (const auto& entry : entries) {
        std::string candidate = entry.path().filename().string();
        if (EqualIgnoringCase(candidate, name) && (!best || candidate < *best)) best = candidate;
    }
    return best;
}

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> components;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

bool HasDrivePrefix(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return false;
    char letter = AsciiLower(path[0]);
    return letter >= 'a' && letter <= 'z';
}

}  // namespace

std::string HostPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (HasDrivePrefix(path)) path.erase(0, 2);

    const bool absolute = !path.empty() && path[0] == '/';
    std::string resolved = absolute ? "/" : "";
    bool stillExists = true;  // every component so far names something that exists
    for (const std::string& component : SplitComponents(path)) {
        std::string name = component;
        if (stillExists) {
            const std::string folder = resolved.empty() ? "." : resolved;
            const std::string exact = folder + (folder.back() == '/' ? "" : "/") + component;
            if (!Exists(exact)) {
                std::optional<std::string> match;
                if (component != "." && component != "..") match = FindIgnoringCase(folder, name);
                if (match) {
                    name = *match;
                } else {
                    stillExists = false;
                }
            }
        }
        if (!resolved.empty() && resolved.back() != '/') resolved += '/';
        resolved += name;
    }
    return resolved.empty() ? std::string(".") : resolved;
}

bool FileExists(const std::string& windowsPath) {
    return Exists(HostPath(windowsPath));
}

bool RemoveFile(const std::string& windowsPath) {
    return ::unlink(HostPath(windowsPath).c_str()) == 0;
}

bool RenameFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    const std::string from = HostPath(fromWindowsPath);
    const std::string to = HostPath(toWindowsPath);
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool MakeDirectory(const std::string& windowsPath) {
    return ::mkdir(HostPath(windowsPath).c_str(), 0777) == 0;
}

std::string CurrentDirectory() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

}  // namespace plat
