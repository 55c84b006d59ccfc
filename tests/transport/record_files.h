#pragma once
// Record bytes for the save and load tests: what a writer puts into a new
// file, and a reader run on a file of given bytes, in a temporary folder.

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/temp_folder.h"

namespace transporttest {

class RecordFiles {
  protected:
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    template <typename Writer>
    std::string WriteWith(const std::string& name, Writer writer) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        writer(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    template <typename Reader>
    bool ReadWith(const std::string& bytes, Reader reader) {
        plat::FileHandle file = plat::OpenFile(folder_.Write("in", bytes), plat::OpenMode::Read);
        EXPECT_NE(file, plat::kInvalidFile);
        const bool ok = reader(file);
        plat::CloseFile(file);
        return ok;
    }

    fvtest::TempFolder folder_;
};

}  // namespace transporttest
