// Services of the layer: files, settings, case-blind paths, message boxes,
// start options, character set, keys, random numbers, screen fit, cursors;
// audio: sound buffers and the mixer, CD audio notifications, music files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/charset.h"
#include "platform/cursor_shapes.h"
#include "platform/file.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/input.h"
#include "platform/key_translation.h"
#include "platform/message_box.h"
#include "platform/music.h"
#include "platform/profile.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/screen_fit.h"
#include "platform/sound.h"
#include "temp_folder.h"
#include "test_window.h"

using plat::Point;
using plat::Rect;

namespace {

TEST(MessageBox, AnswersFromTheQueueThenCancelWithTheTextOnStderr) {
    plat::HeadlessBackend host;
    plat_test::TestWindow w;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP | WS_VISIBLE));
    plat::SetCapture(&w);
    host.QueueMessageBoxAnswer(IDRETRY);
    EXPECT_EQ(plat::MessageBox(&w, "missing", "Ferrovane", 0x1015), IDRETRY);
    EXPECT_EQ(plat::GetCapture(), nullptr);  // a box ends the capture
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::MessageBox(nullptr, "doesn\xb4t", "Ferrovane", MB_OK), IDCANCEL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("doesn\xb4t"), std::string::npos);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(std::tuple(host.MessageBoxes()[0].flags, host.MessageBoxes()[1].answer),
              std::tuple(0x1015u, IDCANCEL));
}

TEST(LaunchOptions, ChooseTheScreenAndTheWindowMode) {
    auto parse = [](std::vector<const char*> args, plat::LaunchOptions* out, std::string* err) {
        args.insert(args.begin(), "ferrovane");
        return plat::ParseLaunchOptions(static_cast<int>(args.size()), args.data(), out, err);
    };
    plat::LaunchOptions o;
    std::string err;
    ASSERT_TRUE(parse({}, &o, &err));
    EXPECT_EQ(std::tuple(o.screen, o.windowed), std::tuple(plat::Size{1024, 768}, false));
    ASSERT_TRUE(parse({"--screen", "800x600", "--window"}, &o, &err));
    EXPECT_EQ(std::tuple(o.screen, o.windowed), std::tuple(plat::Size{800, 600}, true));
    // Larger screens pass, so that the game can refuse them itself.
    ASSERT_TRUE(parse({"--screen=1025x768"}, &o, &err));
    EXPECT_EQ(o.screen, (plat::Size{1025, 768}));
    EXPECT_FALSE(parse({"--screen", "900x700"}, &o, &err));
    EXPECT_NE(err.find("900x700"), std::string::npos);
    for (auto bad : {std::vector<const char*>{"--screen"}, {"--screen", "800x600x"}, {"--full"}}) {
        EXPECT_FALSE(parse(bad, &o, &err)) << bad.back();
    }
}

// --help asks for the list of options, which names every option the parser
// takes; an unknown option's message points at it.
TEST(LaunchOptions, HelpListsEveryOption) {
    auto parse = [](std::vector<const char*> args, plat::LaunchOptions* out, std::string* err) {
        args.insert(args.begin(), "ferrovane");
        return plat::ParseLaunchOptions(static_cast<int>(args.size()), args.data(), out, err);
    };
    plat::LaunchOptions o;
    std::string err;
    for (const char* help : {"--help", "-h"}) {
        ASSERT_TRUE(parse({"--window", help}, &o, &err)) << help;
        EXPECT_TRUE(o.help) << help;
    }
    ASSERT_TRUE(parse({"--window"}, &o, &err));
    EXPECT_FALSE(o.help);
    const std::string text = plat::LaunchOptionsHelp();
    for (const char* option : {"--screen WxH", "--window", "--help", "640x480", "1024x768"}) {
        EXPECT_NE(text.find(option), std::string::npos) << option;
    }
    EXPECT_FALSE(parse({"--full"}, &o, &err));
    EXPECT_NE(err.find("--help"), std::string::npos);
}

TEST(Charset, ConvertsWindows1252AtTheHostBoundary) {
    EXPECT_EQ(plat::Cp1252ToUtf8("doesn\xb4t \x80 \xe4"), "doesn\xc2\xb4t \xe2\x82\xac \xc3\xa4");
    EXPECT_EQ(plat::Cp1252ToUtf8("\x81"), "\xef\xbf\xbd");
    EXPECT_EQ(plat::Utf8ToCp1252("\xe4\xb8\xad|\xc3|\xf0\x9f\x98\x80"), "?|?|?");
    std::string all;
    for (int c = 1; c < 256; ++c) {
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) all += char(c);
    }
    EXPECT_EQ(plat::Utf8ToCp1252(plat::Cp1252ToUtf8(all)), all);
}

// Host keys arrive as USB usage numbers with the layout's character.
TEST(KeyTranslation, LettersFollowTheLayoutOtherKeysTheirPosition) {
    const std::tuple<uint32_t, uint32_t, int32_t> cases[] = {
        {0x04, 'a', 'A'},
        {0x14, 'a', 'A'},  // the Q position carries "a" in France
        {0x14, 0, 'Q'},
        {0x1E, '&', '1'},      // the French top row: still the digit key
        {0x50, 0, 37},         // arrows are their numbers
        {0x58, 0, VK_RETURN},  // the keypad's Enter is Return
        {0x61, 0, VK_NUMPAD0 + 9},
        {0xE5, 0, VK_SHIFT},
        {0xE6, 0, VK_MENU},
        {0xFF, 0, 0},
    };
    for (const auto& [usage, character, key] : cases) {
        EXPECT_EQ(plat::VirtualKeyFromHostKey(usage, character), key) << std::hex << usage;
    }
    EXPECT_EQ(std::tuple(plat::CharacterOfControlKey(VK_BACK), plat::CharacterOfControlKey('A')),
              std::tuple(8, -1));
}

// The seeded sequence itself is held by the golden hashes of generated worlds.
TEST(Random, AScriptedSourceIsMaskedToFifteenBits) {
    int32_t next = 32767;
    plat::SetRandSourceForTests([&] { return next++; });
    const int32_t high = plat::Rand();
    EXPECT_EQ(std::tuple(high, plat::Rand()), std::tuple(32767, 0));
    plat::SetRandSourceForTests({});
}

TEST(ScreenFit, LetterboxesKeepingTheShapeAndMapsWindowPointsToScreenPixels) {
    plat::ScreenFit wide = plat::FitScreen({1920, 1080}, {1024, 768});  // bars left and right
    EXPECT_EQ(wide.picture, (Rect{240, 0, 240 + 1440, 1080}));
    EXPECT_EQ(plat::FitScreen({800, 1000}, {800, 600}).picture, (Rect{0, 200, 800, 800}));
    // A minimised window has no picture and maps everything to the origin.
    plat::ScreenFit none = plat::FitScreen({0, 0}, {640, 480});
    EXPECT_TRUE(none.picture.IsEmpty());
    EXPECT_EQ(plat::WindowToScreen(none, {10, 10}), (Point{0, 0}));
    EXPECT_EQ(std::tuple(plat::WholeScale(wide),
                         plat::WholeScale(plat::FitScreen({3840, 2160}, {1024, 768}))),
              std::tuple(1, 3));
    // On the bars the nearest edge pixel: edge scrolling keeps working.
    EXPECT_EQ(std::tuple(plat::WindowToScreen(wide, {5, 0}), plat::WindowToScreen(wide, {1915, 0}),
                         plat::WindowToScreen(wide, {-50, -50})),
              std::tuple(Point{0, 0}, Point{1023, 0}, Point{0, 0}));
    // Screen points survive the round trip through the window.
    for (plat::Size window : {plat::Size{1024, 768}, {1366, 768}, {2560, 1440}, {1025, 769}}) {
        plat::ScreenFit fit = plat::FitScreen(window, {1024, 768});
        for (int x = 0; x < 1024; ++x) {
            const Point p{x, x % 768};
            ASSERT_EQ(plat::WindowToScreen(fit, plat::ScreenToWindow(fit, p)), p) << window.width;
        }
    }
    // A screen rectangle covers its pixels in the window, and is never empty.
    plat::ScreenFit fit = plat::FitScreen({2048, 1536 + 100}, {1024, 768});  // bars of 50
    EXPECT_EQ(plat::ScreenRectToWindow(fit, {10, 20, 110, 70}), (Rect{20, 90, 220, 190}));
    plat::ScreenFit odd = plat::FitScreen({1300, 700}, {1024, 768});
    const Rect screen{100, 100, 400, 300};
    const Rect window = plat::ScreenRectToWindow(odd, screen);
    for (int x = window.left; x < window.right; ++x) {
        for (int y : {window.top, window.bottom - 1}) {
            EXPECT_TRUE(screen.Contains(plat::WindowToScreen(odd, {x, y}))) << x << "," << y;
        }
    }
    EXPECT_EQ(plat::ScreenRectToWindow(odd, {5, 5, 5, 5}).Width(), 1);
}

// Below 1:1 the picture is filtered; at 1:1 and above each window pixel is a
// whole screen pixel.
TEST(ScreenFit, FilteredBelowOneToOneNearestFromOneToOneUp) {
    using plat::ScreenFilter;
    const struct {
        plat::Size window, screen;
        ScreenFilter filter;
    } cases[] = {
        {{921, 690}, {1024, 768}, ScreenFilter::Linear},    // --window on a 1024 x 768 desktop
        {{1023, 768}, {1024, 768}, ScreenFilter::Linear},   // one column short
        {{320, 240}, {640, 480}, ScreenFilter::Linear},     // half size
        {{1024, 768}, {1024, 768}, ScreenFilter::Nearest},  // 1:1
        {{1920, 1080}, {1024, 768}, ScreenFilter::Nearest},
        {{1366, 768}, {1024, 768}, ScreenFilter::Nearest},  // 1:1 with bars
        {{2048, 1536}, {1024, 768}, ScreenFilter::Nearest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plat::FilterFor(plat::FitScreen(c.window, c.screen)), c.filter)
            << c.window.width << "x" << c.window.height;
    }
}

// Every game cursor is drawn with ink near its hot spot at both scales, the
// host draws the arrow itself, and opposite edge arrows are mirror images.
TEST(CursorShapes, GameCursorsAreDrawnAroundTheirHotSpotsAndMirrored) {
    for (int32_t id : {151, 152, 153, 154, 155, 156, 157, 158, 198, 200, 201, 204, 209, 210, 211}) {
        for (int32_t scale : {1, 2}) {
            const plat::CursorShape shape = plat::DrawGameCursor(id, scale);
            ASSERT_EQ(shape.size, 32 * scale) << id;
            bool near = false;
            for (int y = 0; y < shape.size; ++y) {
                for (int x = 0; x < shape.size; ++x) {
                    near |= shape.At(x, y) != plat::CursorShape::kClear &&
                            std::abs(x - shape.hotX) <= 2 * scale &&
                            std::abs(y - shape.hotY) <= 2 * scale;
                }
            }
            EXPECT_TRUE(near) << id;
        }
    }
    EXPECT_EQ(plat::DrawGameCursor(32512, 1).size, 0);
    const plat::CursorShape left = plat::DrawGameCursor(151, 1),
                            right = plat::DrawGameCursor(154, 1), up = plat::DrawGameCursor(153, 1),
                            down = plat::DrawGameCursor(152, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(left.At(x, y), right.At(31 - x, y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), down.At(x, 31 - y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), left.At(y, x)) << x << "," << y;
        }
    }
    EXPECT_LT(left.hotX, 8);
    EXPECT_GT(down.hotY, 24);
}

using fvtest::TempFolder;

TEST(FileCalls, ReadWriteSeekAndOpenModes) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\data.bin";
    // Read and ReadWrite never create a file; folders are not files.
    for (const auto& [where, mode] : {std::pair{path, plat::OpenMode::ReadWrite},
                                      {path, plat::OpenMode::Read},
                                      {temp.Path(), plat::OpenMode::Read},
                                      {temp.Path() + "\\no\\such\\f", plat::OpenMode::Create}}) {
        EXPECT_EQ(plat::OpenFile(where, mode), plat::kInvalidFile) << where;
    }
    plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(file, "0123456789", 10), 10);
    char buffer[16] = {};
    EXPECT_EQ(plat::SeekFile(file, -4, plat::SeekFrom::End), 6);
    // A read across the end moves only what is there; at the end nothing;
    // a seek before the start fails and leaves the position alone.
    std::vector<int64_t> steps{plat::ReadFile(file, buffer, 16), plat::ReadFile(file, buffer, 16)};
    EXPECT_EQ(std::string(buffer, 4), "6789");
    for (auto [offset, from] : {std::pair{-2, plat::SeekFrom::Current},
                                {-1, plat::SeekFrom::Begin},
                                {0, plat::SeekFrom::Current}}) {
        steps.push_back(plat::SeekFile(file, offset, from));
    }
    EXPECT_EQ(steps, (std::vector<int64_t>{4, 0, 8, -1, 8}));
    plat::CloseFile(file);
    plat::FileHandle reader = plat::OpenFile(path, plat::OpenMode::Read);
    EXPECT_EQ(plat::WriteFile(reader, "x", 1), -1);  // read-only
    plat::CloseFile(reader);
    plat::FileHandle both = plat::OpenFile(path, plat::OpenMode::ReadWrite);
    EXPECT_EQ(plat::WriteFile(both, "NEW", 3), 3);
    plat::CloseFile(both);
    EXPECT_EQ(temp.Read("data.bin"), "NEW3456789");
    plat::CloseFile(plat::OpenFile(path, plat::OpenMode::Create));
    EXPECT_EQ(temp.Read("data.bin"), "");  // truncated
    // Bad and closed handles are refused quietly.
    for (plat::FileHandle bad : {plat::kInvalidFile, 0, 1 << 20, both}) {
        EXPECT_EQ(plat::ReadFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::WriteFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::SeekFile(bad, 0, plat::SeekFrom::Begin), -1) << bad;
        plat::CloseFile(bad);
    }
}

// A full disk at any point of a replacement keeps the old file byte for byte
// and leaves no temporary file; without one the new content is in place.
TEST(NothingLost, FileReplacementIsAllOrNothing) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\sub\\best.sav";
    const std::string fresh = "the new content";
    for (int64_t limit : {0, 1, 14, -1}) {
        SCOPED_TRACE(limit);
        temp.Write("sub/best.sav", "old");
        plat::SetWriteLimitForTests(limit);
        const bool written = plat::ReplaceFile(path, fresh.data(), uint32_t(fresh.size()));
        plat::SetWriteLimitForTests(-1);
        EXPECT_EQ(std::tuple(written, temp.Read("sub/best.sav"), plat::FileExists(path + ".tmp")),
                  std::tuple(limit < 0, limit < 0 ? fresh : "old", false));
    }
    {  // dropped without Commit: nothing changes either
        plat::FileReplacement dropped(path);
        ASSERT_TRUE(dropped.Open());
        EXPECT_EQ(plat::WriteFile(dropped.Handle(), "x", 1), 1);
    }
    EXPECT_EQ(std::tuple(temp.Read("sub/best.sav"), plat::FileExists(path + ".tmp")),
              std::tuple(fresh, false));
    // A missing folder is made; one that cannot be made fails cleanly.
    EXPECT_EQ((std::tuple{plat::ReplaceFile(temp.Path() + "\\new\\a", "a", 1), temp.Read("new/a"),
                          plat::ReplaceFile(temp.Path() + "\\new\\a\\b", "b", 1)}),
              std::tuple(true, "a", false));
}

// A settings file of 4,090 bytes on a disk that fills at 4,000: the write
// fails and the old file stays whole, its last section included.
TEST(NothingLost, FailedSettingsWriteKeepsTheOldFile) {
    TempFolder temp;
    const std::string old = "[OPTIONEN]\r\nAudio=1\r\n;" + std::string(4050, '-') +
                            "\r\n[INSTALL]\r\nInstallation=2\r\n";
    temp.Write("ferrovane.ini", old);
    plat::SetWriteLimitForTests(4000);
    EXPECT_FALSE(plat::WriteProfileStrings("OPTIONEN", {{"Audio", "0"}, {"Sound", "0"}},
                                           temp.Path() + "\\ferrovane.ini"));
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(temp.Read("ferrovane.ini"), old);
    EXPECT_FALSE(plat::FileExists(temp.Path() + "\\ferrovane.ini.tmp"));
}

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
    // The CR ends the first 4096-byte chunk, its LF starts the next.
    EXPECT_EQ(ReadAll(temp.Write("c.txt", std::string(4095, 'a') + "\r\nb"), 5000).size(), 2u);
    plat::TextFile file;
    std::string line = "stale";
    EXPECT_EQ((std::tuple{file.Open(temp.Path() + "\\missing.dir"), file.ReadLine(line, 99), line,
                          file.WriteLine("nowhere")}),
              std::tuple(false, false, "", false));
    ASSERT_TRUE(file.Create(temp.Path() + "\\3.dir"));
    EXPECT_TRUE(file.WriteLine("My railway"));
    file.Close();
    EXPECT_EQ(temp.Read("3.dir"), "My railway\r\n");
    ASSERT_TRUE(file.Create(temp.Path() + "\\4.dir"));
    plat::SetWriteLimitForTests(3);
    EXPECT_FALSE(file.WriteLine("cut short"));
    plat::SetWriteLimitForTests(-1);
}

TEST(Profile, ReadsIgnoreCaseAndTakeLeadingDigitsWritesKeepTheRest) {
    TempFolder temp;
    std::string ini = temp.Path() + "\\ferrovane.ini";
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Audio", 1, ini), 1);  // no file
    temp.Write("Ferrovane.INI",
               "; settings\r\n[optionen]\r\n  SCROLLSPEED = 300\r\nFahrzeug=12abc\r\n"
               "Umgebung=abc\r\nStadtverkehr=-5\r\nAnimationen=\"42\"\r\nEmpty=\r\n"
               "Huge=99999999999\r\n[OTHER]\r\nSound=0\r\n");
    const std::pair<const char*, int32_t> ints[] = {
        {"Scrollspeed", 300}, {"fahrzeug", 12}, {"Umgebung", 0}, {"Stadtverkehr", -5},
        {"Animationen", 42},  {"Empty", 1},     {"Sound", 1},    {"Missing", 1}};
    for (const auto& [key, value] : ints) {
        EXPECT_EQ(plat::GetProfileInt("OPTIONEN", key, 1, ini), value) << key;
    }
    plat::GetProfileInt("OPTIONEN", "Huge", 1, ini);              // wraps, never overflows
    EXPECT_EQ(plat::GetProfileInt("", "; settings", 7, ini), 7);  // a comment is no key
    // Writing keeps everything else and follows the file's line breaks.
    std::filesystem::remove(temp.Path() + "/Ferrovane.INI");
    temp.Write("ferrovane.ini",
               "; chosen by the installer\r\n[INSTALL]\r\nInstallation=1\r\n\r\n"
               "[Optionen]\r\nAUDIO=0\r\nUnknown=keep me\r\n\r\n[Extra]\r\nx=y");
    ini = temp.Path() + "\\FERROVANE.ini";
    for (auto [section, key, value] :
         {std::tuple{"OPTIONEN", "Audio", "1"}, {"OPTIONEN", "Sound", "0"}, {"NEW", "Key", "v"}}) {
        ASSERT_TRUE(plat::WriteProfileString(section, key, value, ini));
    }
    EXPECT_EQ(temp.Read("ferrovane.ini"),
              "; chosen by the installer\r\n[INSTALL]\r\nInstallation=1\r\n\r\n"
              "[Optionen]\r\nAUDIO=1\r\nUnknown=keep me\r\nSound=0\r\n\r\n[Extra]\r\nx=y\r\n"
              "[NEW]\r\nKey=v\r\n");
    ASSERT_TRUE(plat::WriteProfileString("A", "k", "1", temp.Path() + "\\new.ini"));
    EXPECT_EQ(temp.Read("new.ini"), "[A]\r\nk=1\r\n");
    temp.Write("unix.ini", "[A]\nk=1\n");
    ASSERT_TRUE(plat::WriteProfileString("a", "j", "2", temp.Path() + "\\unix.ini"));
    EXPECT_EQ(temp.Read("unix.ini"), "[A]\nk=1\nj=2\n");
}

// A lone CR ends a line as CR LF and LF do; a write keeps the file's breaks.
TEST(Profile, ALoneCarriageReturnEndsALine) {
    TempFolder temp;
    temp.Write("cr.ini", "[OPTIONEN]\rAudio=0\rScrollspeed=9\r");
    const std::string ini = temp.Path() + "\\cr.ini";
    EXPECT_EQ(std::tuple(plat::GetProfileInt("OPTIONEN", "Audio", 1, ini),
                         plat::GetProfileInt("OPTIONEN", "Scrollspeed", 1, ini)),
              std::tuple(0, 9));
    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Audio", "1", ini));
    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Sound", "0", ini));
    EXPECT_EQ(temp.Read("cr.ini"), "[OPTIONEN]\rAudio=1\rScrollspeed=9\rSound=0\r");
    temp.Write("mixed.ini", "[A]\r\nk=1\rj=2\n\ri=3");
    const std::string mixed = temp.Path() + "\\mixed.ini";
    EXPECT_EQ(
        std::tuple(plat::GetProfileInt("A", "k", 0, mixed), plat::GetProfileInt("A", "j", 0, mixed),
                   plat::GetProfileInt("A", "i", 0, mixed)),
        std::tuple(1, 2, 3));
}

TEST(HostPath, ResolvesEveryComponentIgnoringCase) {
    TempFolder temp;
    for (const char* name : {"Data/Save/Game1.LVL", "Mission/M0_1.lvl", "a.txt", "A.TXT", "b.TXT"})
        temp.Write(name, "");
    const std::string root = temp.Path();
    std::string back = root;  // Windows-style spelling: "/tmp/x" becomes "\tmp\x"
    for (char& c : back) c = c == '/' ? '\\' : c;
    const std::pair<std::string, std::string> cases[] = {
        {back + "\\DATA\\save\\GAME1.lvl", "/Data/Save/Game1.LVL"},
        // The program folder is a host path with '/', the game appends with '\'.
        {root + "/dAtA\\sAvE\\", "/Data/Save"},
        {root + "\\\\data\\.\\save", "/Data/./Save"},
        // Missing parts keep their spelling inside the resolved folder.
        {root + "\\data\\Missing\\Deeper\\x.LVL", "/Data/Missing/Deeper/x.LVL"},
        // The exact spelling wins, otherwise the first in byte order.
        {root + "\\a.txt", "/a.txt"},
        {root + "\\A.txt", "/A.TXT"},
        {root + "\\B.txt", "/b.TXT"},
        // Drive letters are dropped.
        {"C:" + back + "\\data\\save\\game1.lvl", "/Data/Save/Game1.LVL"},
    };
    for (const auto& [game, host] : cases) EXPECT_EQ(plat::HostPath(game), root + host) << game;
    EXPECT_EQ(std::tuple(plat::HostPath("d:\\"), plat::HostPath("")), std::tuple("/", "."));
    // Relative paths resolve against the current folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    EXPECT_EQ(std::tuple(plat::HostPath("mission\\m0_1.LVL"), plat::HostPath("C:mission\\new.lvl"),
                         plat::CurrentDirectory()),
              std::tuple("Mission/M0_1.lvl", "Mission/new.lvl", root));
    std::filesystem::current_path(previous);
    // File calls go through the resolution: a file is created in the folder
    // of other case, under the name the game gave.
    plat::FileHandle file = plat::OpenFile(root + "\\DATA\\SAVE\\New.Lvl", plat::OpenMode::Create);
    EXPECT_EQ(plat::WriteFile(file, "abc", 3), 3);
    plat::CloseFile(file);
    EXPECT_EQ(std::tuple(temp.Read("Data/Save/New.Lvl"), std::filesystem::exists(root + "/DATA")),
              std::tuple("abc", false));
    EXPECT_TRUE(plat::RenameFile(root + "\\data\\save\\new.lvl", root + "\\DATA\\SAVE\\GAME1.LVL"));
    EXPECT_EQ(std::tuple(temp.Read("Data/Save/Game1.LVL"),
                         plat::FileExists(root + "\\data\\save\\new.lvl")),
              std::tuple("abc", false));
    // Removing twice, making a folder twice: the second fails.
    EXPECT_EQ((std::tuple{plat::RemoveFile(root + "\\data\\save\\Game1.lvl"),
                          plat::RemoveFile(root + "\\data\\save\\game1.lvl"),
                          plat::MakeDirectory(root + "\\data\\save\\Sub"),
                          plat::MakeDirectory(root + "\\DATA\\SAVE\\sub"),
                          std::filesystem::is_directory(root + "/Data/Save/Sub")}),
              std::tuple(true, false, true, false, true));
}

using Kind = plat::SoundEventKind;

class Sound : public ::testing::Test {
  protected:
    Sound() { plat::ClearRecordedSoundEvents(); }
    // An 8-bit mono effect at 11,025 Hz (half the output rate: every sample
    // lasts two output frames) holding one value.
    plat::SoundBufferHandle Effect(uint32_t bytes, uint8_t value) {
        plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
        plat::SoundBufferHandle buffer = device->CreateBuffer(
            {plat::kSoundBufferStatic | plat::kSoundBufferCtrlVolume | plat::kSoundBufferCtrlPan,
             bytes, &format});
        plat::SoundBuffer::LockedRegion region;
        EXPECT_TRUE(buffer->Lock(0, bytes, &region));
        std::fill(region.first, region.first + region.firstBytes, value);
        EXPECT_TRUE(buffer->Unlock(region));
        return buffer;
    }
    std::vector<int16_t> Render(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2, 12345);
        host.RenderAudio(out.data(), frames);
        return out;
    }
    static uint32_t Position(const plat::SoundBuffer& buffer) {
        uint32_t play = 0, write = 0;
        buffer.GetCurrentPosition(&play, &write);
        return play;
    }
    plat::HeadlessBackend host;
    plat::SoundDeviceHandle device = plat::SoundDevice::Create();
};

// No audio output means no device; bad descriptions make no buffer.
TEST_F(Sound, DevicesAndBuffersOnlyForWhatCanPlay) {
    ASSERT_TRUE(device && host.AudioOpen());
    device.reset();
    EXPECT_FALSE(host.AudioOpen());
    host.SetAudioAvailable(false);
    EXPECT_FALSE(plat::SoundDevice::Create());
    host.SetAudioAvailable(true);
    device = plat::SoundDevice::Create();
    plat::SoundBuffer::LockedRegion region;
    EXPECT_FALSE(
        device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr})->Lock(0, 4, &region));
    // A primary with a format, no bytes, no format, three channels, 50 Hz.
    plat::WaveFormat format = plat::PcmFormat(1, 11025, 8), odd = plat::PcmFormat(3, 11025, 8),
                     slow = plat::PcmFormat(1, 50, 8);
    for (const auto& [flags, bytes, f] : {std::tuple{plat::kSoundBufferPrimary, 100u, &format},
                                          {plat::kSoundBufferStatic, 0u, &format},
                                          {plat::kSoundBufferStatic, 100u, nullptr},
                                          {plat::kSoundBufferStatic, 100u, &odd},
                                          {plat::kSoundBufferStatic, 100u, &slow}}) {
        EXPECT_FALSE(device->CreateBuffer({flags, bytes, f})) << flags << " " << bytes;
    }
    // Locking wraps around the end of the buffer into the second part.
    plat::SoundBufferHandle effect = Effect(10, 0x80);
    EXPECT_TRUE(effect->Lock(6, 8, &region));
    EXPECT_EQ(std::tuple(region.firstBytes, region.secondBytes), std::tuple(4u, 4u));
    EXPECT_FALSE(effect->Lock(10, 1, &region));
}

TEST_F(Sound, StopKeepsThePositionAndOnlyANaturalEndRewinds) {
    plat::SoundBufferHandle effect = Effect(100, 192);
    ASSERT_TRUE(effect->Play(false));
    EXPECT_EQ(effect->GetStatus(), plat::kSoundStatusPlaying);
    Render(50);
    effect->Stop();
    for (int16_t s : Render(10)) ASSERT_EQ(s, 0);
    EXPECT_EQ(Position(*effect), 25u);
    effect->Play(false);  // resumes where it stopped
    Render(20);
    effect->Play(false);  // Play while playing goes on
    // 65 samples are left: 130 frames of sound, then silence and position 0.
    std::vector<int16_t> tail = Render(200);
    EXPECT_EQ(tail[2 * 129], 64 * 256);
    EXPECT_EQ(tail[2 * 130], 0);
    EXPECT_EQ(effect->GetStatus(), 0u);
    EXPECT_EQ(Position(*effect), 0u);
    EXPECT_FALSE(effect->SetCurrentPosition(100));
    const uint32_t id = effect->Id();
    EXPECT_EQ(plat::RecordedSoundEvents(), (std::vector<plat::SoundEvent>{{Kind::Start, id, 0},
                                                                          {Kind::Stop, id, 25},
                                                                          {Kind::Start, id, 0},
                                                                          {Kind::Start, id, 0},
                                                                          {Kind::End, id, 0}}));
}

// A buffer whose size is no whole number of frames plays its whole frames
// only: a position inside the partial last frame is rounded down to the last
// whole frame, and the mix never reads past the buffer.
TEST_F(Sound, PositionsAreRoundedDownToAWholeFrame) {
    const plat::WaveFormat stereo = plat::PcmFormat(2, 11025, 16);
    plat::SoundBufferHandle odd =
        device->CreateBuffer({plat::kSoundBufferStatic, 4 * 2 + 3, &stereo});  // 2 frames + 3
    ASSERT_TRUE(odd);
    for (const auto& [offset, frameStart] :
         {std::pair{0u, 0u}, {3u, 0u}, {5u, 4u}, {8u, 4u}, {10u, 4u}}) {
        ASSERT_TRUE(odd->SetCurrentPosition(offset)) << offset;
        EXPECT_EQ(Position(*odd), frameStart) << offset;
    }
    EXPECT_FALSE(odd->SetCurrentPosition(11));
    odd->Play(false);
    Render(8);
    EXPECT_EQ(odd->GetStatus(), 0u);
}

TEST_F(Sound, VolumePanAndMixingAreAppliedInTheMixer) {
    plat::SoundBufferHandle effect = Effect(1000, 192);  // +64 in 8 bits: 16384
    effect->Play(true);
    EXPECT_EQ(Render(4)[1], 16384);
    ASSERT_TRUE(effect->SetVolume(-800));  // gain 10^(-0.4) = 0.398
    EXPECT_NEAR(Render(4)[0], 16384 * 0.398107, 1.0);
    effect->SetVolume(0);
    ASSERT_TRUE(effect->SetPan(-2000));  // right side 20 dB down
    std::vector<int16_t> left = Render(4);
    EXPECT_EQ(left[0], 16384);
    EXPECT_NEAR(left[1], 1638.4, 1.0);
    effect->SetPan(plat::kSoundPanRight);
    EXPECT_EQ(Render(4)[0], 0);
    EXPECT_FALSE(effect->SetVolume(1));
    EXPECT_FALSE(effect->SetPan(10001));
    effect->Stop();
    // Buffers add up and clip; a released buffer leaves the mix; stopping
    // the primary pauses everything where it is.
    plat::SoundBufferHandle primary = device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr});
    plat::SoundBufferHandle a = Effect(1000, 128 + 100), b = Effect(1000, 128 - 30);
    a->Play(true);
    b->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);
    plat::SoundBufferHandle loud = Effect(1000, 255);
    loud->Play(true);
    EXPECT_EQ(Render(2)[0], 32767);
    loud.reset();
    EXPECT_EQ(Render(2)[0], 70 * 256);
    primary->Stop();
    const uint32_t kept = Position(*a);
    EXPECT_EQ(Render(8)[0], 0);
    EXPECT_EQ(Position(*a), kept);
    primary->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);
}

constexpr plat::WParam kOk = plat::kMciNotifySuccessful, kAborted = plat::kMciNotifyAborted,
                       kFailed = plat::kMciNotifyFailure;

TEST(Music, EveryPlayNotifiesOnceHowItEnded) {
    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    plat_test::TestWindow listener;
    plat::CdAudioDevice cd;
    for (int track = 2; track <= 16; ++track) music.SetTrack(track, 60000);
    host.SetMusicDevice(&music);
    listener.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
    ASSERT_EQ(cd.Open(), plat::kMciOk);
    ASSERT_EQ(cd.SetTimeFormat(plat::kMciFormatTmsf), plat::kMciOk);
    auto play = [&](uint32_t from, uint32_t to) {
        return cd.Play(plat::MakeTmsf(from), plat::MakeTmsf(to), &listener);
    };
    auto take = [&] {  // the codes since the last call
        host.RunUntilIdle();
        std::vector<plat::WParam> codes = listener.WParams(MM_MCINOTIFY);
        listener.log.clear();
        return codes;
    };
    ASSERT_EQ(play(5, 6), plat::kMciOk);
    host.RunFor(59000, 50);
    EXPECT_TRUE(take().empty());
    host.RunFor(1100, 50);
    EXPECT_EQ(take(), std::vector<plat::WParam>{kOk});
    EXPECT_FALSE(cd.IsPlaying());
    play(5, 6);
    cd.Stop();
    play(6, 7);
    cd.Pause();
    play(7, 8);
    play(8, 9);  // a new play aborts the old one and notifies for itself
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kAborted, kAborted, kAborted, kOk}));
    play(5, 6);
    cd.Stop(&listener);  // a notifying stop is successful for itself
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kAborted, kOk}));
    // An unplayable track fails, also in the middle of a range.
    music.SetTrackBroken(9, true);
    EXPECT_EQ(play(9, 10), plat::kMciOk);
    play(8, 10);
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kFailed, kFailed}));
    // Bad requests fail without a notification.
    EXPECT_EQ(play(1, 2), plat::kMciErrorOutOfRange);
    EXPECT_EQ(play(6, 5), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(40), std::nullopt, &listener), plat::kMciErrorOutOfRange);
    cd.SetTimeFormat(plat::kMciFormatMsf);
    EXPECT_EQ(play(5, 6), plat::kMciErrorBadTimeFormat);
    EXPECT_TRUE(take().empty());
    cd.Close();
    EXPECT_EQ(cd.Stop(), plat::kMciErrorNotOpen);
    plat::HeadlessMusic empty;
    EXPECT_EQ(cd.Open(&empty), plat::kMciErrorDeviceNotReady);  // no tracks
}

TEST(MusicFolder, TrackFilesAreFoundCaseInsensitively) {
    fvtest::TempFolder folder;
    for (const char* name : {"Track02.OGG", "track03.flac", "TRACK16.Wav", "track5.ogg",
                             "track04.mp3", "notes.txt", "track07.ogg.part", "track08.ogg/x"}) {
        folder.Write(name, "x");
    }
    std::vector<plat::MusicTrackFile> tracks = plat::FindMusicTracks(folder.Path());
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].path, folder.Path() + "/Track02.OGG");
    EXPECT_EQ(tracks[1].track, 3);
    EXPECT_EQ(tracks[2].track, 16);
    EXPECT_TRUE(plat::FindMusicTracks(folder.Path() + "/none").empty());
}

}  // namespace
