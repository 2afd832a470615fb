// Closing and ending the program: closing only hides the window; the exit items and the end of the
// Windows session end it and leave the window's position in the INI file for the next start.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/win32/app_test.h"

namespace qv::test {
namespace {

class Shutdown : public AppTest {};

bool becomes_hidden(const AppDriver& app) {
    return wait_until(
        [&] {
            auto state = app.state();
            return state && !state->visible;
        },
        5s);
}

TEST_F(Shutdown, CloseRequestsOnlyHideTheWindow) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    auto shown = app.state();
    ASSERT_TRUE(shown && shown->visible);

    ASSERT_TRUE(app.send(WM_SYSCOMMAND, SC_CLOSE, 0)) << "no answer to the system's close command";
    EXPECT_TRUE(becomes_hidden(app)) << "the close command left the window shown";
    EXPECT_FALSE(app.wait_exit(1s)) << "the close command ended the program";

    // Shown again from outside, then closed by a plain WM_CLOSE.
    ::ShowWindow(app.window(), SW_SHOWNOACTIVATE);
    ASSERT_TRUE(wait_until([&] { return app.state() && app.state()->visible; }, 5s));
    ASSERT_TRUE(app.send(WM_CLOSE));
    EXPECT_TRUE(becomes_hidden(app)) << "WM_CLOSE left the window shown";
    EXPECT_FALSE(app.wait_exit(1s)) << "WM_CLOSE ended the program";
    EXPECT_TRUE(::IsWindow(app.window())) << "WM_CLOSE destroyed the main window";
}

// Both exit items save the position, and the next start puts the window back there.
TEST_F(Shutdown, ExitItemsSaveThePositionForTheNextStart) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    ASSERT_TRUE(app.move_window(321, 234));

    ASSERT_TRUE(app.post_command(app::MenuId::Exit1));
    ASSERT_TRUE(app.wait_exit()) << "the program did not end after the exit command";
    EXPECT_EQ(app.ini().integer(L"Window", L"FormLeft"), 321) << app.ini().text();
    EXPECT_EQ(app.ini().integer(L"Window", L"FormTop"), 234);

    app.start();
    ASSERT_TRUE(app.wait_ready());
    auto state = app.state();
    ASSERT_TRUE(state);
    EXPECT_EQ(state->rect.left, 321);
    EXPECT_EQ(state->rect.top, 234);

    // The window's own context menu has the second exit item.
    ASSERT_TRUE(app.move_window(12, 34));
    ASSERT_TRUE(app.post_command(app::MenuId::Exit2));
    ASSERT_TRUE(app.wait_exit()) << "the program did not end after the context menu's exit command";
    EXPECT_EQ(app.ini().integer(L"Window", L"FormLeft"), 12) << app.ini().text();
    EXPECT_EQ(app.ini().integer(L"Window", L"FormTop"), 34);
}

TEST_F(Shutdown, SessionEndLetsWindowsGoOnAndSavesThePosition) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    ASSERT_TRUE(app.move_window(402, 317));

    auto reply = app.send(WM_QUERYENDSESSION, 0, 0);
    ASSERT_TRUE(reply) << "no answer to WM_QUERYENDSESSION";
    EXPECT_EQ(*reply, 1);
    // Another program may still cancel the shut-down (WM_ENDSESSION with FALSE): the program stays.
    app.send(WM_ENDSESSION, FALSE, 0);
    ::Sleep(300);
    EXPECT_TRUE(app.running()) << "a cancelled shut-down ended the program";
    reply = app.send(WM_QUERYENDSESSION, 0, 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, 1);
    // Then, as the system does once every program has agreed, the end itself (the program may be gone).
    app.send(WM_ENDSESSION, TRUE, 0, 2s);
    ASSERT_TRUE(app.wait_exit()) << "the program did not end with the session";
    EXPECT_EQ(app.ini().integer(L"Window", L"FormLeft"), 402) << app.ini().text();
    EXPECT_EQ(app.ini().integer(L"Window", L"FormTop"), 317);
}

// The write at exit keeps what it does not own: another section's Japanese text stays as it was.
TEST_F(Shutdown, WriteAtExitKeepsJapaneseTextIntact) {
    const std::string memo_sjis = shift_jis(L"メモリの最適化ソフト、表示は十分");

    AppDriver& app = launch("[Notes]\r\nMemo=" + memo_sjis + "\r\n[Window]\r\nFormLeft=200\r\n");
    ASSERT_TRUE(app.wait_ready());
    ASSERT_TRUE(app.post_command(app::MenuId::Exit1));
    ASSERT_TRUE(app.wait_exit());

    std::string bytes = app.ini_bytes().value_or("");
    EXPECT_NE(bytes.find("Memo=" + memo_sjis + "\r\n"), std::string::npos) << app.ini().text();
    EXPECT_EQ(app.ini().integer(L"Window", L"FormLeft"), 200);
}

} // namespace
} // namespace qv::test
