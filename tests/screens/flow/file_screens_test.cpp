// The load and save screens over a running game: their lists of slots, the
// overwrite question and the description field.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/load_game_screen.h"
#include "screens/flow/save_game_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;

struct NotedFiles : GameFiles {
    std::vector<std::string> calls;  // "load 3.lvl", "save 0.lvl", "dir 0.dir:text"
    static std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
    LevelLoadResult LoadSavedGame(const std::string& path) override {
        calls.push_back("load " + Name(path));
        return load_answer;
    }
    LevelLoadResult load_answer = LevelLoadResult::Cancelled;
    bool SaveGameFile(const std::string& path) override {
        calls.push_back("save " + Name(path));
        return true;
    }
    bool WriteDescription(const std::string& path, const std::string& text) override {
        calls.push_back("dir " + Name(path) + ":" + text);
        return true;
    }
};

// The overwrite question, answered by the test.
int g_questions = 0;
struct Question : plat::Window {
    Question() { ++g_questions; }
};
plat::Window* AskOverwrite(plat::Window& save_screen) {
    auto* q = new Question;
    q->Create(&save_screen, {100, 100, 200, 150}, WS_POPUP | WS_VISIBLE);
    return q;
}

class FileScreens : public ::testing::Test {
  protected:
    const OverwriteConfirmMaker kDefaultMaker = OverwriteConfirmScreenMaker();
    FileScreens() {
        InstallGameFiles(&files_);
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        g_LogoShown[0] = g_LogoShown[1] = 1;
        g_questions = 0;
        OverwriteConfirmScreenMaker() = &AskOverwrite;
    }
    ~FileScreens() override {
        OverwriteConfirmScreenMaker() = kDefaultMaker;
        InstallGameFiles(nullptr);
    }
    void Write(const std::string& path, const std::string& text) {
        const std::filesystem::path p = std::filesystem::path(f.folder) / path;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    template <typename T>
    T* Open(uint32_t message, PanelPopup slot) {
        plat::SendMessage(g_pHauptDialog, message);
        f.h.Run();
        return dynamic_cast<T*>(g_pHauptDialog->Popup(slot));
    }
    std::vector<std::string> Rows(const LISTBOX& list) {
        std::vector<std::string> rows;
        for (int32_t i = 0; i < list.LineCount(); ++i) rows.push_back(list.GetLine(i));
        return rows;
    }
    void ClickIn(const plat::Window& popup, int32_t x, int32_t y) {
        const plat::Rect r = popup.GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    void ClickRow(const plat::Window& popup, int32_t row) { ClickIn(popup, 80, 63 + 17 * row + 8); }
    FlowHost f;
    NotedFiles files_;
};

TEST_F(FileScreens, TenEmptyRowsAndOkDoesNothing) {
    auto* load = Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(Rows(*load->list), std::vector<std::string>(10, "Empty"));
    fvtest::MaybeSaveScreen("flow_load");
    f.Char(kEnter);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::LoadGame), load);
    EXPECT_TRUE(files_.calls.empty());
}

TEST_F(FileScreens, ASlotNeedsItsLevelAndTheAutosaveShowsWhenItExists) {
    Write("save/2.dir", "Harbour empire\r\n");
    Write("save/2.lvl", "level");
    Write("save/5.dir", "Lost level");  // its .lvl is gone
    Write("save/autosave.lvl", "level");
    auto* load = Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
    ASSERT_NE(load, nullptr);
    std::vector<std::string> rows(10, "Empty");
    rows[2] = "Harbour empire";
    rows.push_back("AUTOSAVE");
    EXPECT_EQ(Rows(*load->list), rows);
    ClickRow(*load, 10);
    f.Char(kEnter);
    ClickRow(*Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame), 2);
    f.Char(kEnter);
    EXPECT_EQ(files_.calls, (std::vector<std::string>{"load autosave.lvl", "load 2.lvl"}));
    // The editor lists its used slots only and never the autosave.
    f.gs().game_mode = kModeEditor;
    Write("save/s_7.dir", "Island");
    Write("save/s_7.lvl", "level");
    load = Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(Rows(*load->list), std::vector<std::string>{"Island"});
    EXPECT_EQ(load->slot_map[0], 7);
}

// After a load the file heading's rows stand unchecked when the load came
// from it; otherwise a game at the overview zoom asks the frame for that
// zoom again and any other goes back to no tool.
TEST_F(FileScreens, ALoadedGameUnchecksTheFileRowsOrAsksForTheOverviewOrLeavesNoTool) {
    Write("save/2.dir", "Harbour empire\r\n");
    Write("save/2.lvl", "level");
    files_.load_answer = LevelLoadResult::Loaded;
    constexpr int32_t kFileList = -5;
    struct Row {
        int32_t tool, zoom;
        bool unchecked;
        size_t overview_commands;
        int32_t heading, tool_after;
    };
    // (The overview's own heading and tool are the zoom key's; -1 here.)
    for (const Row& r : {Row{kFileList, 1, true, 0, 3, kFileList}, Row{11, 16, false, 1, -1, -1},
                         Row{11, 2, true, 0, kHeadingNoTool, kToolNone}}) {
        SCOPED_TRACE(testing::Message() << r.tool << " at zoom " << r.zoom);
        HAUPTDIALOG& panel = *g_pHauptDialog;
        auto* load = Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
        ASSERT_NE(load, nullptr);
        std::tie(g_pSpielFeld->tool, g_pSpielFeld->zoom, panel.current_heading) =
            std::tuple(r.tool, r.zoom, 3);
        for (int32_t& check : panel.entry_checked) check = 1;
        f.h.host.Recorder().Clear();
        ClickRow(*load, 2);
        f.Char(kEnter);
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::LoadGame), nullptr);
        size_t overview = 0;
        for (const plat::MessageTrace& m :
             f.h.host.Recorder().Filter(plat::MessageTrace::Kind::Sent, f.h.frame, WM_COMMAND))
            overview += plat::LoWord(m.wParam) == kCmdViewOverview;
        EXPECT_EQ(std::pair(std::ranges::count(panel.entry_checked, 1) == 0, overview),
                  std::pair(r.unchecked, r.overview_commands));
        if (r.heading != -1) {
            EXPECT_EQ(std::pair(panel.current_heading, g_pSpielFeld->tool),
                      std::pair(r.heading, r.tool_after));
        }
    }
    EXPECT_EQ(files_.calls, std::vector<std::string>(3, "load 2.lvl"));
}

TEST_F(FileScreens, AFreeSlotSavesAtOnceAUsedOneAsksOnceAndNoCancels) {
    auto* save = Open<FS_SAVE_GAME>(kMsgPanelOpenSaveGame, PanelPopup::SaveGame);
    ASSERT_NE(save, nullptr);
    fvtest::MaybeSaveScreen("flow_save");
    f.Char(kEnter);
    EXPECT_EQ(g_questions, 0);
    EXPECT_EQ(files_.calls, (std::vector<std::string>{"save 0.lvl", "dir 0.dir:Empty"}));
    files_.calls.clear();
    Write("save/3.lvl", "level");
    Write("save/3.dir", "Old game");
    for (plat::LParam answer : {1, 0}) {
        save = Open<FS_SAVE_GAME>(kMsgPanelOpenSaveGame, PanelPopup::SaveGame);
        ASSERT_NE(save, nullptr);
        ClickRow(*save, 3);
        EXPECT_EQ(std::string(save->description), "Old game");
        f.Char('X');  // the selected text is replaced
        f.Char(kEnter);
        f.Char(kEnter);  // a second OK asks nothing more
        EXPECT_EQ(g_questions, answer == 1 ? 1 : 2);
        EXPECT_EQ(save->GetWindowRect().Width(), 0);
        save->SendMessage(kMsgOverwriteAnswer, 0, answer);
        EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::SaveGame), nullptr);
    }
    EXPECT_EQ(files_.calls, (std::vector<std::string>{"save 3.lvl", "dir 3.dir:X"}));
}

TEST_F(FileScreens, CancelClosesWithoutLoadingOrSavingAndFreesTheCursor) {
    Write("save/2.dir", "Harbour empire");
    Write("save/2.lvl", "level");
    auto* load = Open<FS_LOAD_GAME>(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
    ASSERT_NE(load, nullptr);
    ClickRow(*load, 2);
    ClickIn(*load, 212 + 50, 311 + 20);  // cancel
    EXPECT_EQ(std::pair(g_pHauptDialog->Popup(PanelPopup::LoadGame), plat::GetClipCursor(nullptr)),
              std::pair(static_cast<plat::Window*>(nullptr), false));
    auto* save = Open<FS_SAVE_GAME>(kMsgPanelOpenSaveGame, PanelPopup::SaveGame);
    ASSERT_NE(save, nullptr);
    ClickRow(*save, 2);
    ClickIn(*save, 212 + 50, 311 + 20);
    EXPECT_EQ(std::pair(g_pHauptDialog->Popup(PanelPopup::SaveGame), plat::GetClipCursor(nullptr)),
              std::pair(static_cast<plat::Window*>(nullptr), false));
    EXPECT_TRUE(files_.calls.empty());
}

TEST_F(FileScreens, TheFieldRefusesThe31stCharacterAndTheOverflow) {
    auto* save = Open<FS_SAVE_GAME>(kMsgPanelOpenSaveGame, PanelPopup::SaveGame);
    ASSERT_NE(save, nullptr);
    for (int i = 0; i < 31; ++i) f.Char('i');
    EXPECT_EQ(save->field->GetText(), std::string(30, 'i'));
    f.Char(8);
    for (int i = 0; i < 31; ++i) f.Char('i');
    EXPECT_EQ(save->field->GetText().size(), 30u);
    for (int i = 0; i < 31; ++i) f.Char(8);
    for (int i = 0; i < 30; ++i) f.Char('W');
    const size_t wide = save->field->GetText().size();
    EXPECT_LT(wide, 30u);  // 289 pixels are full first
    EXPECT_GT(wide, 10u);
    f.Char(0xE4);  // a byte the font cannot draw
    f.Char(8);
    f.Char(0xE4);
    EXPECT_EQ(save->field->GetText().size(), wide - 1);
    // Only letters, digits and spaces, as in a name.
    for (int i = 0; i < 31; ++i) f.Char(8);
    for (uint8_t c : {'!', 'A', '.', ' ', '7', '-', '_'}) f.Char(c);
    EXPECT_EQ(save->field->GetText(), "A 7");
}

TEST(FileRoundTrip, TheDescriptionComesBackInTheLoadList) {
    FlowHost f;
    InstallLevelFiles();
    ASSERT_TRUE(f.h.frame->StartWorldView(kModeGame));
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenSaveGame);
    auto* save = dynamic_cast<FS_SAVE_GAME*>(g_pHauptDialog->Popup(PanelPopup::SaveGame));
    ASSERT_NE(save, nullptr);
    for (char c : std::string("My railway 1")) f.Char(static_cast<uint8_t>(c));
    f.Char(kEnter);
    EXPECT_TRUE(std::filesystem::exists(f.folder + "/save/0.lvl"));
    std::ifstream dir(f.folder + "/save/0.dir", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(dir)), {});
    EXPECT_EQ(bytes, "My railway 1");  // no line end
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenLoadGame);
    auto* load = dynamic_cast<FS_LOAD_GAME*>(g_pHauptDialog->Popup(PanelPopup::LoadGame));
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->list->GetLine(0), "My railway 1");
    EXPECT_EQ(load->slot_map[0], 0);
    InstallGameFiles(nullptr);
}

// A load begun at the title and cancelled goes back to the title; the next
// game started there keeps running when a load in it is cancelled.
TEST(LoadFromTheStart, ACancelledLoadLeavesNoMarkForTheNextGame) {
    FlowHost f({1024, 768}, true);
    InstallLevelFiles();
    g_LogoShown[0] = g_LogoShown[1] = 1;
    auto cancel_load = [&f] {
        auto* load = dynamic_cast<FS_LOAD_GAME*>(g_pHauptDialog->Popup(PanelPopup::LoadGame));
        ASSERT_NE(load, nullptr);
        const plat::Rect r = load->GetWindowRect();
        f.Click(r.left + 1 + 212 + 50, r.top + 1 + 311 + 20);
    };
    f.h.frame->SendMessage(kMsgShowStartScreen);
    f.h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceLoadGame);
    ASSERT_NE(g_pHauptDialog, nullptr);
    cancel_load();
    EXPECT_EQ(g_pSpielFeld, nullptr);
    ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    for (uint32_t choice : {kChoiceNewGame, kChoiceCareer}) {
        f.h.frame->SendMessage(kMsgStartScreenResult, 0, choice);
        if (choice == kChoiceNewGame) {
            f.Char(kEnter);
        } else {
            f.Click(192 + 128 + 50, 144 + 141 + 20);  // medium
        }
        ASSERT_NE(g_pHauptDialog, nullptr) << choice;
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenLoadGame);
        cancel_load();
        EXPECT_NE(g_pSpielFeld, nullptr) << choice;
        f.h.frame->SendMessage(kMsgEndRunningGame);
        f.h.frame->SendMessage(kMsgShowStartScreen);
    }
    InstallGameFiles(nullptr);
}

}  // namespace
