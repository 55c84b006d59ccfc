#pragma once
// The desktop services the game touches at start and end, reduced to what
// can be observed on this platform:
// - Drive types: there are no drive letters, so no drive is a CD-ROM drive
//   (a scan of 'A'..'Z' finds none).
// - The user's registry: a store kept in memory for the life of the process
//   (values read back what was written; nothing reaches the host).
// - The taskbar: there is none, so its state reads 0 (not always on top) and
//   moving it in the z-order does nothing.

#include <cstdint>
#include <string>

namespace plat {

inline constexpr uint32_t DRIVE_UNKNOWN = 0;
inline constexpr uint32_t DRIVE_NO_ROOT_DIR = 1;
inline constexpr uint32_t DRIVE_REMOVABLE = 2;
inline constexpr uint32_t DRIVE_FIXED = 3;
inline constexpr uint32_t DRIVE_REMOTE = 4;
inline constexpr uint32_t DRIVE_CDROM = 5;

// `root` like "D:\\".
uint32_t GetDriveType(const std::string& root);

// Values under the current user's key `keyPath` (case-insensitive names).
bool ReadUserRegistryValue(const std::string& keyPath, const std::string& name, uint32_t* value);
bool WriteUserRegistryValue(const std::string& keyPath, const std::string& name, uint32_t value);
// Test hook: forgets every value.
void ClearUserRegistryForTests();

// The taskbar's app-bar state bits (2 = always on top); 0 here.
uint32_t QueryTaskbarState();
void LowerTaskbar();
void RaiseTaskbarToTop();

}  // namespace plat
