// Replacing a file through a temporary file in the same folder, so that a
// full disk or a crash in the middle leaves either the old or the new file,
// never a cut one.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/file.h"

namespace plat {
namespace {

// The folder part of a Windows path ("" when there is none).
std::string FolderOf(const std::string& windowsPath) {
    const size_t cut = windowsPath.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : windowsPath.substr(0, cut);
}

// Makes the rename itself durable. Some file systems cannot flush a folder;
// the file's own data is on disk by then, so that is no failure.
void SyncFolder(const std::string& windowsPath) {
    const std::string folder = FolderOf(windowsPath);
    const std::string host = folder.empty() ? std::string(".") : HostPath(folder);
    const int descriptor = ::open(host.empty() ? "/" : host.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return;
    while (::fsync(descriptor) != 0 && errno == EINTR) {
    }
    ::close(descriptor);
}

}  // namespace

FileReplacement::FileReplacement(std::string windowsPath)
    : path_(std::move(windowsPath)), temp_(path_ + ".tmp") {}

FileReplacement::~FileReplacement() {
    Abandon();
}

bool FileReplacement::Open() {
    Abandon();
    const std::string folder = FolderOf(path_);
    if (!folder.empty() && !FileExists(folder)) MakeDirectory(folder);
    file_ = OpenFile(temp_, OpenMode::Create);
    return file_ != kInvalidFile;
}

bool FileReplacement::Commit() {
    if (file_ == kInvalidFile) return false;
    const FileHandle file = std::exchange(file_, kInvalidFile);
    if (!SyncAndCloseFile(file) || !RenameFile(temp_, path_)) {
        RemoveFile(temp_);
        return false;
    }
    SyncFolder(path_);
    return true;
}

void FileReplacement::Abandon() {
    if (file_ == kInvalidFile) return;
    CloseFile(std::exchange(file_, kInvalidFile));
    RemoveFile(temp_);
}

bool ReplaceFile(const std::string& windowsPath, const void* data, uint32_t size) {
    FileReplacement replacement(windowsPath);
    if (!replacement.Open()) return false;
    if (WriteFile(replacement.Handle(), data, size) != static_cast<int32_t>(size)) return false;
    return replacement.Commit();
}

}  // namespace plat
