#pragma once
// Records written to bytes and read back from bytes through a temporary
// file: the game's savers and readers work on open files.

#include <cstdint>
#include <string>

#include "platform/file.h"
#include "platform/temp_folder.h"

namespace fvtest {

// The bytes `write(file)` puts into a new file.
template <typename Write>
std::string Written(Write write) {
    TempFolder folder;
    const plat::FileHandle file = plat::OpenFile(folder.Path() + "/out", plat::OpenMode::Create);
    write(file);
    plat::CloseFile(file);
    return folder.Read("out");
}

// `read(file)` on a file of `bytes`; `left` gets the bytes not read.
template <typename Read>
auto ReadBack(const std::string& bytes, Read read, int32_t* left = nullptr) {
    TempFolder folder;
    const plat::FileHandle file = plat::OpenFile(folder.Write("in", bytes), plat::OpenMode::Read);
    auto result = read(file);
    if (left != nullptr) {
        const int32_t here = plat::SeekFile(file, 0, plat::SeekFrom::Current);
        *left = plat::SeekFile(file, 0, plat::SeekFrom::End) - here;
    }
    plat::CloseFile(file);
    return result;
}

}  // namespace fvtest
