// The description file a save writes beside its level file: the text as
// typed, its only content.

#include <gtest/gtest.h>

#include <string>

#include "app/game_files.h"
#include "platform/temp_folder.h"
#include "state/game_files.h"
#include "support/game_scope.h"

namespace {

TEST(SaveDescription, HoldsTheTypedTextWithNoLineEnd) {
    fvtest::GameScope scope;
    fvtest::TempFolder folder;
    InstallLevelFiles();
    for (const std::string& text :
         {std::string("Coal to the coast"), std::string(), std::string(30, 'x')}) {
        EXPECT_TRUE(Files().WriteDescription(folder.Path() + "\\3.dir", text));
        EXPECT_EQ(folder.Read("3.dir"), text);
    }
    InstallGameFiles(nullptr);
}

}  // namespace
