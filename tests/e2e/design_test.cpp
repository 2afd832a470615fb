// The window's design on screen: the default layout, the background picture with its error boxes, and
// the see-through background.
#include <gtest/gtest.h>

#include <string>

#include "support/win32/app_test.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/message_box.h"
#include "support/win32/screen_capture.h"

namespace qv::test {
namespace {

class Design : public AppTest {
protected:
    // Starts a copy whose INI file is written after the folder exists, so it can name files in it.
    AppDriver& launch_with(const std::string& design_lines, const std::string& window_lines = "") {
        AppDriver& app = prepare();
        write_file(app.ini_path(), "[Design]\r\n" + design_lines + "[Window]\r\n" + window_lines);
        app.start();
        return app;
    }

    static RECT client_area(const AppDriver& app, int left, int top, int right, int bottom) {
        const RECT client = app.state()->client;
        return {client.left + left, client.top + top, client.left + right, client.top + bottom};
    }
};

constexpr COLORREF kWindowColor = RGB(0x00, 0x80, 0xFF);  // $00FF8000
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

TEST_F(Design, DefaultWindowFollowsTheLayout) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    // The gauges take their values at the first refresh after the window was shown.
    const RECT memory_gauge = client_area(app, 5, 32, 105, 48);
    const auto at_start = ScreenCapture::take(memory_gauge).pixels(memory_gauge);
    EXPECT_TRUE(wait_until([&] { return ScreenCapture::take(memory_gauge).pixels(memory_gauge) != at_start; }, 10s));
    ::Sleep(200);
    ScreenCapture shot = ScreenCapture::take();
    EXPECT_TRUE(shot.save_bmp(artifacts_root() / L"screens" / L"default-design.bmp"));

    // Six gauges of 100 x 16 framed in their font colour; the window colour shows between them.
    const POINT gauges[] = {{5, 32}, {5, 61}, {5, 90}, {117, 32}, {117, 61}, {117, 90}};
    for (const POINT& at : gauges) {
        const RECT top_edge = client_area(app, at.x, at.y, at.x + 100, at.y + 1);
        const RECT left_edge = client_area(app, at.x, at.y, at.x + 1, at.y + 16);
        const COLORREF frame = shot.pixel(top_edge.left, top_edge.top);
        EXPECT_NE(frame, kWindowColor);
        EXPECT_EQ(shot.count_pixels(top_edge, frame), 100u) << "gauge at " << at.x << "," << at.y;
        EXPECT_EQ(shot.count_pixels(left_edge, frame), 16u) << "gauge at " << at.x << "," << at.y;
    }
    EXPECT_EQ(shot.count_pixels(client_area(app, 106, 32, 116, 106), kWindowColor), 10u * 74u);
    // The memory gauge's "free/total MB", however much memory the machine has, stays clear of the frame:
    // the columns just inside it hold only the gauge's fill or background.
    for (int x : {6, 103}) {
        const RECT column = client_area(app, x, 33, x + 1, 47);
        EXPECT_EQ(shot.count_pixels(column, shot.pixel(column.left, column.top)), 14u) << "text at x " << x;
    }
    // White title and captions, and the close button's white frame at (200, 3).
    EXPECT_GT(shot.count_pixels(client_area(app, 2, 1, 164, 16), kWhite), 30u);
    EXPECT_GT(shot.count_pixels(client_area(app, 5, 19, 51, 33), kWhite), 10u);
    EXPECT_GT(shot.count_pixels(client_area(app, 117, 77, 191, 91), kWhite), 10u);
    EXPECT_EQ(shot.count_pixels(client_area(app, 200, 3, 201, 18), kWhite), 15u);
    EXPECT_EQ(shot.count_pixels(client_area(app, 199, 3, 200, 18), kWhite), 0u);
}

TEST_F(Design, BackgroundPictureAndSeeThroughBackground) {
    {
        AppDriver& app = prepare();
        write_file(app.folder() / "back.bmp", solid_bitmap(223, 108, RGB(0xC0, 0x10, 0x20)));
        write_file(app.ini_path(), "[Design]\r\nBackImage=" + (app.folder() / "back.bmp").string() + "\r\nWD=1\r\n");
        app.start();
        ASSERT_TRUE(app.wait_ready());
        ::Sleep(500);
        ScreenCapture shot = ScreenCapture::take();
        // Stretched over the window, beneath gauges and captions.
        EXPECT_EQ(shot.count_pixels(client_area(app, 106, 32, 116, 106), RGB(0xC0, 0x10, 0x20)), 10u * 74u);
        EXPECT_EQ(shot.count_pixels(client_area(app, 5, 32, 105, 48), RGB(0xC0, 0x10, 0x20)), 0u);
        app.end();
    }
    AppDriver& app = launch_with("", "TransFlag=1\r\n");
    ASSERT_TRUE(app.wait_ready());
    ::Sleep(500);
    ScreenCapture shot = ScreenCapture::take();
    EXPECT_TRUE(shot.save_bmp(artifacts_root() / L"screens" / L"see-through.bmp"));
    // The desktop shows where the window colour was.
    const RECT gap = client_area(app, 106, 32, 116, 106);
    EXPECT_EQ(shot.count_pixels(gap, kWindowColor), 0u);
    EXPECT_EQ(shot.count_pixels(gap, shot.pixel(gap.left, gap.top)), 10u * 74u);
}

TEST_F(Design, UnreadableBackgroundPicturesAreReportedAndStartUpGoesOn) {
    struct Case { const char* file; const char* bytes; const wchar_t* message; };
    const Case cases[] = {{"missing.bmp", nullptr, L"背景画像が読み込めません"},
                          {"notes.bmp", "just some text", L"背景画像ファイルが認識できるファイルではありません"}};
    for (const Case& c : cases) {
        AppDriver& app = prepare();
        if (c.bytes) write_file(app.folder() / c.file, c.bytes);
        write_file(app.ini_path(), "[Design]\r\nBackImage=" + (app.folder() / c.file).string() + "\r\n");
        app.start();
        auto box = wait_message_box(app.process_id(), L"ERROR", 20s);
        ASSERT_TRUE(box) << c.file;
        EXPECT_EQ(box->text, c.message);
        EXPECT_TRUE(answer_message_box(box->window, IDOK));
        EXPECT_TRUE(app.wait_ready()) << c.file;
        app.end();
    }
}

TEST_F(Design, DesignValuesThatAreNoColourAreReportedAndStartUpGoesOn) {
    AppDriver& app = launch_with("GaugeColor1=purple\r\nButtonColor=$12G\r\n");
    for (const wchar_t* value : {L"'purple'", L"'$12G'"}) {
        auto box = wait_message_box(app.process_id(), L"Quorvane", 20s);
        ASSERT_TRUE(box) << "no report of " << value;
        EXPECT_NE(box->text.find(value), std::wstring::npos) << box->text;
        EXPECT_TRUE(answer_message_box(box->window, IDOK));
    }
    ASSERT_TRUE(app.wait_ready());
    ::Sleep(300);
    // The gauges keep the colours they are created with: white background where the bar has not come.
    ScreenCapture shot = ScreenCapture::take();
    EXPECT_GT(shot.count_pixels(client_area(app, 117, 32, 217, 48), kWhite), 0u);
}

} // namespace
} // namespace qv::test
