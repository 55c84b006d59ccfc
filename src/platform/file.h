#pragma once
// Handle-based file access with the semantics the game's loaders and savers
// expect: Windows-style paths in, counts actually moved out.

#include <cstdint>
#include <string>

namespace plat {

using FileHandle = int32_t;
constexpr FileHandle kInvalidFile = -1;

enum class OpenMode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write (also the existence test)
    Create,     // create or truncate, read and write
};

enum class SeekFrom { Begin, Current, End };

// Turns a Windows path ("C:\\game\\Save\\1.lvl", ".\\fx", "spring\\tiles.jgd")
// into a host path: backslashes become slashes and every component that
// exists is matched case-insensitively; a missing last component keeps its
// given spelling inside the resolved folder.
std::string HostPath(const std::string& windowsPath);

FileHandle OpenFile(const std::string& windowsPath, OpenMode mode);
// Both return the number of bytes moved, or -1 on a bad handle.
int32_t ReadFile(FileHandle file, void* buffer, uint32_t count);
int32_t WriteFile(FileHandle file, const void* buffer, uint32_t count);
// Returns the new position from the start, or -1.
int32_t SeekFile(FileHandle file, int32_t offset, SeekFrom from);
void CloseFile(FileHandle file);

bool FileExists(const std::string& windowsPath);
bool RemoveFile(const std::string& windowsPath);
bool RenameFile(const std::string& fromWindowsPath, const std::string& toWindowsPath);
bool MakeDirectory(const std::string& windowsPath);

// The program directory: the current directory when the program started.
std::string CurrentDirectory();

// Test hook: after `bytes` more bytes have been written (through any handle),
// every write is short. A negative value switches the hook off.
void SetWriteLimitForTests(int64_t bytes);

// Line-by-line reading of a text file: CR and LF are stripped and a line is
// cut at maxLength bytes (the rest of that line is skipped).
class TextFile {
  public:
    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool Open(const std::string& windowsPath);
    bool IsOpen() const { return file_ != kInvalidFile; }
    // False at the end of the file.
    bool ReadLine(std::string& line, size_t maxLength);
    void Close();

  private:
    bool Fill();
    FileHandle file_ = kInvalidFile;
    char buffer_[4096];
    int32_t length_ = 0;
    int32_t position_ = 0;
};

}  // namespace plat
