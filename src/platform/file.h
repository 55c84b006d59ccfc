#pragma once
// Handle-based file access with the semantics the game's loaders and savers
// expect: Windows-style paths in, counts actually moved out.

#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

using FileHandle = int32_t;
constexpr FileHandle kInvalidFile = -1;

enum class OpenMode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write (also the existence test)
    Create,     // create or truncate, read and write
};

enum class SeekFrom { Begin, Current, End };

// Turns a Windows path ("C:\\game\\Save\\1.lvl", ".\\fx", "spring\\tiles.jgd",
// "/home/u/data\\fx") into a host path: backslashes become slashes and every
// component that exists is matched case-insensitively (an exact match wins;
// among several others the first in byte order). From the first missing
// component on, the given spelling is kept, so a file to be created gets its
// own name inside the resolved folder. A drive prefix ("C:") is dropped: the
// host has one file tree, so "C:\\x" means "/x" and "C:x" means "x".
// Relative paths stay relative to the current directory.
std::string HostPath(const std::string& windowsPath);

// Read and ReadWrite open only existing regular files; Create makes the file
// (or empties an existing one). kInvalidFile when it cannot be opened.
FileHandle OpenFile(const std::string& windowsPath, OpenMode mode);
// Both return the number of bytes moved (fewer than asked at the end of the
// file or when the disk is full), or -1 on a bad handle or a failed call.
int32_t ReadFile(FileHandle file, void* buffer, uint32_t count);
int32_t WriteFile(FileHandle file, const void* buffer, uint32_t count);
// Returns the new position from the start, or -1 (the position is then
// unchanged).
int32_t SeekFile(FileHandle file, int32_t offset, SeekFrom from);
// Closing a bad or already closed handle does nothing.
void CloseFile(FileHandle file);
// Flushes the file to disk and closes it. False when a write through the
// handle fell short or failed, or the flush or the close failed.
bool SyncAndCloseFile(FileHandle file);

bool FileExists(const std::string& windowsPath);
bool RemoveFile(const std::string& windowsPath);
bool RenameFile(const std::string& fromWindowsPath, const std::string& toWindowsPath);
bool MakeDirectory(const std::string& windowsPath);

// Replaces a whole file without ever leaving it half written. The content
// goes to "<path>.tmp" in the same folder (the folder is made when missing);
// Commit flushes it to disk, checks every write and the close, and only then
// renames it over the old file and flushes the folder. A failure at any step,
// or an object dropped without Commit, removes the temporary file and keeps
// the old file as it was.
class FileReplacement {
  public:
    explicit FileReplacement(std::string windowsPath);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open();
    // The temporary file's handle for the writes (kInvalidFile before Open).
    FileHandle Handle() const { return file_; }
    // True when the file now holds everything written.
    bool Commit();

  private:
    void Abandon();
    std::string path_;
    std::string temp_;
    FileHandle file_ = kInvalidFile;
};

// A whole file in one call through a FileReplacement; false (the old file
// kept) when anything failed.
bool ReplaceFile(const std::string& windowsPath, const void* data, uint32_t size);

// The program directory: the current directory of the process, as a host
// absolute path.
std::string CurrentDirectory();

// Test hook: after `bytes` more bytes have been written (through any handle),
// every write is short. A negative value switches the hook off.
void SetWriteLimitForTests(int64_t bytes);

// Line-by-line reading of a text file. A line ends at LF, CR LF or a lone CR,
// which are not part of it. A line longer than maxLength bytes comes back in
// pieces of maxLength bytes, the rest on the following calls (like a line read
// into a fixed buffer); a line of exactly maxLength bytes comes back whole.
// Writing produces lines ended by CR LF.
class TextFile {
  public:
    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool Open(const std::string& windowsPath);
    // Creates or empties the file for writing lines.
    bool Create(const std::string& windowsPath);
    bool IsOpen() const { return file_ != kInvalidFile; }
    // False at the end of the file. A maxLength of 0 counts as 1.
    bool ReadLine(std::string& line, size_t maxLength);
    // The same, but a longer line comes back cut to maxLength bytes and the
    // rest of it is skipped.
    bool ReadLineCut(std::string& line, size_t maxLength);
    // False when the line could not be written in full.
    bool WriteLine(std::string_view line);
    void Close();

  private:
    bool Fill();
    bool Read(std::string& line, size_t maxLength, bool cut);
    FileHandle file_ = kInvalidFile;
    char buffer_[4096];
    int32_t length_ = 0;
    int32_t position_ = 0;
};

}  // namespace plat
