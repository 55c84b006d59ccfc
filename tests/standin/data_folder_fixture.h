#pragma once
// Gives the tests the stand-in data: single files are made in memory on
// first use (and kept); WrittenFolder() writes the whole folder once into a
// temporary folder, which is removed at the end.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dib_check.h"

namespace standin_test {

class DataFolderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static const std::string& WrittenFolder();
    // Makes and parses a file of the folder (relative path, forward slashes).
    static ParsedDib Load(const std::string& relative);
    static const std::vector<uint8_t>& Bytes(const std::string& relative);

  private:
    static std::string folder_;
};

}  // namespace standin_test
