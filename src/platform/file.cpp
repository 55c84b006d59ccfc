// Handle-based file calls. Handles are small numbers of our own that index a
// table of open host files, so a stale or made-up handle can never reach an
// unrelated descriptor (standard output, a socket) of the process.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <vector>

#include "platform/file.h"

namespace plat {
namespace {

constexpr int kClosed = -1;

struct OpenEntry {
    int descriptor = kClosed;
    bool write_failed = false;  // a write through the handle fell short
};

std::vector<OpenEntry>& OpenDescriptors() {
    static std::vector<OpenEntry> descriptors;
    return descriptors;
}

// Bytes that may still be written before every write turns short; negative
// when the test hook is off.
int64_t g_writeLimit = -1;

OpenEntry* EntryOf(FileHandle file) {
    std::vector<OpenEntry>& descriptors = OpenDescriptors();
    if (file < 1 || static_cast<size_t>(file) > descriptors.size()) return nullptr;
    OpenEntry& entry = descriptors[file - 1];
    return entry.descriptor == kClosed ? nullptr : &entry;
}

int DescriptorOf(FileHandle file) {
    const OpenEntry* entry = EntryOf(file);
    return entry == nullptr ? kClosed : entry->descriptor;
}

FileHandle AddDescriptor(int descriptor) {
    std::vector<OpenEntry>& descriptors = OpenDescriptors();
    for (size_t i = 0; i < descriptors.size(); ++i) {
        if (descriptors[i].descriptor == kClosed) {
            descriptors[i] = {descriptor, false};
            return static_cast<FileHandle>(i + 1);
        }
    }
    descriptors.push_back({descriptor, false});
    return static_cast<FileHandle>(descriptors.size());
}

uint32_t ClampToResult(uint32_t count) {
    return count > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())
               ? static_cast<uint32_t>(std::numeric_limits<int32_t>::max())
               : count;
}

}  // namespace

FileHandle OpenFile(const std::string& windowsPath, OpenMode mode) {
    const std::string host = HostPath(windowsPath);
    int flags = O_CLOEXEC;
    switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenMode::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    // Only regular files: a folder or a device is never a game file, and
    // opening a pipe would block.
    struct stat info;
    if (::stat(host.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return kInvalidFile;
    } else if (mode != OpenMode::Create) {
        return kInvalidFile;
    }
    int descriptor;
    do {
        descriptor = ::open(host.c_str(), flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return kInvalidFile;
    return AddDescriptor(descriptor);
}

int32_t ReadFile(FileHandle file, void* buffer, uint32_t count) {
    const int descriptor = DescriptorOf(file);
    if (descriptor == kClosed || (buffer == nullptr && count > 0)) return -1;
    count = ClampToResult(count);
    char* bytes = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(descriptor, bytes + done, count - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? static_cast<int32_t>(done) : -1;
        }
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return static_cast<int32_t>(done);
}

int32_t WriteFile(FileHandle file, const void* buffer, uint32_t count) {
    OpenEntry* entry = EntryOf(file);
    if (entry == nullptr) return -1;
    const int descriptor = entry->descriptor;
    if (buffer == nullptr && count > 0) {
        entry->write_failed = true;
        return -1;
    }
    const uint32_t asked = count;
    count = ClampToResult(count);
    if (g_writeLimit >= 0 && g_writeLimit < count) count = static_cast<uint32_t>(g_writeLimit);
    const char* bytes = static_cast<const char*>(buffer);
    uint32_t done = 0;
    bool failed = false;
    while (done < count) {
        const ssize_t put = ::write(descriptor, bytes + done, count - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            failed = done == 0;
            break;
        }
        if (put == 0) break;
        done += static_cast<uint32_t>(put);
    }
    if (g_writeLimit >= 0) g_writeLimit -= done;
    if (done < asked) entry->write_failed = true;
    return failed ? -1 : static_cast<int32_t>(done);
}

int32_t SeekFile(FileHandle file, int32_t offset, SeekFrom from) {
    const int descriptor = DescriptorOf(file);
    if (descriptor == kClosed) return -1;
    int whence = SEEK_SET;
    if (from == SeekFrom::Current) whence = SEEK_CUR;
    if (from == SeekFrom::End) whence = SEEK_END;
    const off_t before = ::lseek(descriptor, 0, SEEK_CUR);
    const off_t after = ::lseek(descriptor, offset, whence);
    if (after < 0) return -1;
    if (after > std::numeric_limits<int32_t>::max()) {
        ::lseek(descriptor, before, SEEK_SET);
        return -1;
    }
    return static_cast<int32_t>(after);
}

void CloseFile(FileHandle file) {
    OpenEntry* entry = EntryOf(file);
    if (entry == nullptr) return;
    ::close(entry->descriptor);
    *entry = {};
}

bool SyncAndCloseFile(FileHandle file) {
    OpenEntry* entry = EntryOf(file);
    if (entry == nullptr) return false;
    bool sound = !entry->write_failed;
    int synced;
    do {
        synced = ::fsync(entry->descriptor);
    } while (synced != 0 && errno == EINTR);
    if (synced != 0) sound = false;
    if (::close(entry->descriptor) != 0) sound = false;
    *entry = {};
    return sound;
}

void SetWriteLimitForTests(int64_t bytes) {
    g_writeLimit = bytes < 0 ? -1 : bytes;
}

}  // namespace plat
