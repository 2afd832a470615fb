// Starting the program: one copy at a time, the first start's defaults, hand-edited INI files, and a
// screenshot of the window for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/win32/app_test.h"
#include "support/win32/screen_capture.h"

namespace qv::test {
namespace {

class Startup : public AppTest {};

long long total_memory_mb() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    ::GlobalMemoryStatusEx(&status);
    return static_cast<long long>(status.ullTotalPhys / 1048576);
}

TEST_F(Startup, FirstStartPlacesTheWindowAndChoosesTheCleanValue) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());

    auto state = app.state();
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->visible);
    EXPECT_EQ(state->rect.left, 100);
    EXPECT_EQ(state->rect.top, 100);
    EXPECT_EQ(state->caption, L"Quorvane");
    EXPECT_EQ(state->client.right - state->client.left, 221);
    EXPECT_EQ(state->client.bottom - state->client.top, 108);
    // No caption bar and no sizing frame, only the one-pixel border.
    EXPECT_TRUE(state->style & WS_BORDER);
    EXPECT_FALSE(state->style & (WS_DLGFRAME | WS_THICKFRAME));

    // The configured amount is chosen and written at once, before anything asks for it.
    ASSERT_TRUE(app.ini_bytes()) << "no INI file after the first start";
    EXPECT_EQ(app.ini().integer(L"Clean", L"CleanValue"), total_memory_mb() / 4) << app.ini().text();
}

TEST_F(Startup, SecondStartLeavesOneCopyRunning) {
    AppDriver& first = launch();
    ASSERT_TRUE(first.wait_ready());
    // From another folder: the guard is for the whole session, not for one copy of the file.
    AppDriver& second = launch();
    ASSERT_TRUE(second.wait_exit(kStartTimeout)) << "the second copy is still running";

    EXPECT_TRUE(first.running());
    EXPECT_EQ(count_processes(first.exe_path().filename().wstring()), 1);
    EXPECT_EQ(count_windows(AppDriver::kMainClass), 1);
    EXPECT_FALSE(second.ini_bytes()) << "the second copy went through start-up and wrote its INI file";
}

TEST_F(Startup, TasktrayKeepsTheWindowHidden) {
    AppDriver& app = launch("[Window]\r\nTasktray=1\r\n");
    ASSERT_TRUE(app.wait_ready());
    ::Sleep(500);  // the window must not appear late either, when the message loop starts

    auto state = app.state();
    ASSERT_TRUE(state);
    EXPECT_FALSE(state->visible);
    EXPECT_TRUE(app.running());
}

// The window rectangle after start with a hand-written INI file.
struct HandEdited {
    const char* name;
    std::string ini;
    int left;
    int top;
    friend void PrintTo(const HandEdited& edited, std::ostream* out) { *out << edited.name; }
};

class HandEditedIni : public AppTest, public ::testing::WithParamInterface<HandEdited> {};

TEST_P(HandEditedIni, StartsWhereTheFileSays) {
    AppDriver& app = launch(GetParam().ini);
    ASSERT_TRUE(app.wait_ready()) << "the program did not come up (or ended)";

    auto state = app.state();
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->visible);
    EXPECT_EQ(state->rect.left, GetParam().left);
    EXPECT_EQ(state->rect.top, GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, HandEditedIni,
    ::testing::Values(
        // Letter case of sections and keys is free, blanks around names and values and the quotes around
        // a value go (a blank inside them stays: leading blanks are allowed in an integer), and a boolean
        // written as the word True reads as false (the window is shown).
        HandEdited{"CaseQuotesAndWordTrue", "[window]\r\nformleft = \"250\"\r\nFORMTOP=' 260'\r\nTasktray=True\r\n",
                   250, 260},
        // Integers also come with a plus sign or in hexadecimal; LF line ends and no final line end.
        HandEdited{"SignHexAndBareLineFeeds", "[WINDOW]\nFormLeft=+250\nFormTop=$104", 250, 260},
        // Text that is no integer reads as 0; a missing key keeps its default.
        HandEdited{"GarbageIntegerReadsZero", "[Window]\r\nFormLeft=abc\r\n", 0, 100},
        // Japanese comments, sections and keys in Shift-JIS (the second bytes of ソ and 表 are a
        // backslash, of ゾ a closing bracket, of ー an opening one) are passed over.
        HandEdited{"ShiftJisAround",
                   shift_jis(L"; ソフトの設定\r\n[表示ゾ]\r\nFormLeft=1\r\n[Window]\r\nメモ=ゾー表\r\nFormLeft=270\r\n"
                             L"FormTop=280\r\n"),
                   270, 280}),
    [](const ::testing::TestParamInfo<HandEdited>& param) { return std::string(param.param.name); });

TEST_F(Startup, ScreenshotOfTheWindow) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    auto state = app.state();
    ASSERT_TRUE(state);
    ::Sleep(500);  // let the first paint reach the screen

    ScreenCapture shot = ScreenCapture::take();
    ASSERT_FALSE(shot.empty());
    // Kept even when the scenario passes, for a person to look at.
    EXPECT_TRUE(shot.save_bmp(artifacts_root() / L"screens" / L"startup.bmp"));

    // The window is painted in the default window colour...
    const RECT& client = state->client;
    size_t area = static_cast<size_t>(client.right - client.left) * static_cast<size_t>(client.bottom - client.top);
    EXPECT_GT(shot.count_pixels(client, RGB(0x00, 0x80, 0xFF)), area / 10);
    // ...and its title, labels and gauges are drawn on it.
    EXPECT_GT(shot.distinct_colors(client), 2u);
}

} // namespace
} // namespace qv::test
