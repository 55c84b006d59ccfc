#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

std::vector<std::string> ReadAll(const std::string& path, size_t maxLength) {
    plat::TextFile file;
    std::vector<std::string> lines;
    if (!file.Open(path)) return {"<not opened>"};
    std::string line;
    while (file.ReadLine(line, maxLength)) lines.push_back(line);
    EXPECT_FALSE(file.ReadLine(line, maxLength));  // stays at the end
    return lines;
}

TEST(TextFile, LineBreaksOfEveryKindLongLinesAndWriting) {
    TempFolder temp;
    temp.Write("t.txt", "one\r\ntwo\n\r\nthree\rfour\r\nlast");
    EXPECT_EQ(ReadAll(temp.Path() + "\\T.TXT", 99),
              (std::vector<std::string>{"one", "two", "", "three", "four", "last"}));
    // Long lines continue on the next read; a zero length still makes progress.
    const std::string longer = temp.Write("l.txt", std::string(150, 'x') + "\r\nend");
    EXPECT_EQ(ReadAll(longer, 99),
              (std::vector<std::string>{std::string(99, 'x'), std::string(51, 'x'), "end"}));
    EXPECT_EQ(ReadAll(longer, 0).size(), 150u + 3u);
    // The CR is the last byte of the first 4096-byte chunk, its LF the first
    // of the next.
    EXPECT_EQ(ReadAll(temp.Write("c.txt", std::string(4095, 'a') + "\r\nb"), 5000).size(), 2u);

    plat::TextFile file;
    std::string line = "stale";
    EXPECT_FALSE(file.Open(temp.Path() + "\\missing.dir"));
    EXPECT_FALSE(file.ReadLine(line, 99));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(file.WriteLine("nowhere"));
    ASSERT_TRUE(file.Create(temp.Path() + "\\3.dir"));
    EXPECT_TRUE(file.WriteLine("My railway"));
    file.Close();
    EXPECT_EQ(temp.Read("3.dir"), "My railway\r\n");
    ASSERT_TRUE(file.Create(temp.Path() + "\\4.dir"));
    plat::SetWriteLimitForTests(3);
    EXPECT_FALSE(file.WriteLine("cut short"));
    plat::SetWriteLimitForTests(-1);
}

}  // namespace
