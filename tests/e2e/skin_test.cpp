// Skins on the real program: a skin in force at start (window size and shape from its picture, its
// gauge and digits instead of the default design), its buttons, skins and background pictures that
// cannot be used, the skin submenu, the skins that ship, and the release package that carries them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/menu_ids.h"
#include "base/win32/text.h"
#include "base/win32/unique_handle.h"
#include "support/win32/app_test.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/message_box.h"
#include "support/win32/process_resources.h"
#include "support/win32/screen_capture.h"
#include "support/win32/window_children.h"
#include "e2e/zip_archive.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;

constexpr COLORREF kBack = RGB(0x20, 0x30, 0x60);
constexpr COLORREF kKey = RGB(0xFF, 0x00, 0xFF);
constexpr COLORREF kGreen = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kDigit = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kWindowColor = RGB(0x00, 0x80, 0xFF);  // the default $00FF8000
constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 80;

// A file of a skin, its folders made as needed.
void write_skin_file(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    write_file(file, bytes);
}

// Each digit picture of a skin in a colour of its own (0 is kDigit), so a field's number can be read back.
COLORREF digit_color(int digit) { return RGB(0xFF, 0xFF, digit * 20); }

// The number a three-cell digit field of 8 x 12 digits shows at `field` (screen coordinates of its top
// left corner); nothing when it shows no digit.
std::optional<int> shown_number(const ScreenCapture& shot, POINT field) {
    std::optional<int> number;
    for (int cell = 0; cell < 3; ++cell) {
        const COLORREF color = shot.pixel(field.x + cell * 8 + 4, field.y + 6);
        const int digit = GetBValue(color) / 20;
        if (GetRValue(color) != 0xFF || GetGValue(color) != 0xFF || GetBValue(color) % 20 || digit > 9) continue;
        number = number.value_or(0) * 10 + digit;
    }
    return number;
}

// What the 16-bit USER's GetFreeSystemResources answers for the selector (0 System, 1 GDI, 2 User), through
// Wine's generic thunk (kernel32 ordinal 55); nothing where 16-bit code is out of reach (the NT family, a
// 64-bit test program).
std::optional<int> free_resources_16([[maybe_unused]] WORD selector) {
#if defined(__i386__)
    if (!(::GetVersion() & 0x80000000u)) return std::nullopt;
    HMODULE kernel32 = ::GetModuleHandleA("kernel32.dll");
    auto at = [&](WORD ordinal) { return reinterpret_cast<void*>(::GetProcAddress(kernel32, MAKEINTRESOURCEA(ordinal))); };
    auto load16 = reinterpret_cast<WORD(WINAPI*)(LPCSTR)>(at(35));
    auto free16 = reinterpret_cast<void(WINAPI*)(WORD)>(at(36));
    auto find16 = reinterpret_cast<DWORD(WINAPI*)(WORD, LPCSTR)>(at(37));
    auto call16 = reinterpret_cast<BOOL(WINAPI*)(DWORD, DWORD, DWORD, void*, DWORD*)>(at(55));
    const WORD user = load16 && free16 && find16 && call16 ? load16("User.exe") : 0;
    if (user < 32) return std::nullopt;
    DWORD result = 0;
    const BOOL called = call16(find16(user, "GetFreeSystemResources"), 0, sizeof(selector), &selector, &result);
    free16(user);
    if (called) return LOWORD(result);
#endif
    return std::nullopt;
}

// The skin "Green" beside the program: a 120 x 80 picture with its bottom-right corner cut out, a
// green memory gauge and a CPU digit field of 8 x 12 digits. Answers the description file's path.
std::string write_green_skin(const AppDriver& app, const std::string& extra_keys = "") {
    const auto folder = app.folder() / "skin" / "Green";
    write_skin_file(folder / "back.bmp", bitmap_file(kPictureWidth, kPictureHeight, [](int x, int y) {
                   return x >= 100 && y >= 40 ? kKey : kBack;
               }));
    for (int digit = 0; digit <= 9; ++digit) {
        write_skin_file(folder / (std::to_string(digit) + ".bmp"), solid_bitmap(8, 12, digit_color(digit)));
    }
    write_skin_file(folder / "green.qvs",
               "[BackImage]\r\nImage=back.bmp\r\nTransParentColor=#FF00FF\r\n"
               "[Gauge]\r\nMem.Position=10,30,90,40\r\nMem.ForeColor=#00FF00\r\nMem.ForeColor2=#00FF00\r\n"
               "[Value]\r\nCPU.Position=10,50\r\n" + extra_keys);
    return (folder / "green.qvs").string();
}

RECT client_area(const AppDriver& app, int left, int top, int right, int bottom) {
    const RECT client = app.state()->client;
    return {client.left + left, client.top + top, client.left + right, client.top + bottom};
}

SIZE window_size(const AppDriver& app) {
    const RECT r = app.state()->rect;
    return {r.right - r.left, r.bottom - r.top};
}

// The window's shape in window coordinates; nothing when it has none (the whole window).
std::optional<win::UniqueRegion> window_region(const AppDriver& app) {
    win::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(app.window(), region.get()) == ERROR) return std::nullopt;
    return region;
}

// Opening the window's context menu fills its skin submenu; it is closed again unused.
void open_and_close_context_menu(const AppDriver& app) {
    ASSERT_TRUE(app.post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app.window()), MAKELPARAM(0xFFFF, 0xFFFF)));
    ASSERT_TRUE(wait_until([&] { return menu_open(app.process_id()); }, 5s)) << "no context menu";
    // The menu's own loop takes the key from the thread's queue.
    app.post(WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(wait_until([&] { return !menu_open(app.process_id()); }, 5s));
}

// A left click at a point of the client area, as the mouse gives it: press, then release.
void press(const AppDriver& app, int x, int y) { app.post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void release(const AppDriver& app, int x, int y) { app.post(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

class Skin : public AppTest {};

TEST_F(Skin, AtStartTheWindowTakesThePicturesSizeAndShapeWithTheSkinsElements) {
    AppDriver& app = prepare();
    const std::string resources = "Sys.Position=40,50\r\nGDI.Position=70,50\r\nUser.Position=40,65\r\n";
    write_file(app.ini_path(), "[Design]\r\nSkinFileName=" + write_green_skin(app, resources) + "\r\n");
    app.start();
    ASSERT_TRUE(app.wait_ready());

    // The client area is the picture; the one-pixel frame comes around it.
    EXPECT_EQ(window_size(app).cx, kPictureWidth + 2);
    EXPECT_EQ(window_size(app).cy, kPictureHeight + 2);
    auto region = window_region(app);
    ASSERT_TRUE(region) << "the window has no shape";
    // Picture pixel (x, y) lies at window point (x - 1, y + 1): the picture is drawn from client x -2.
    EXPECT_TRUE(::PtInRegion(region->get(), 50, 20));
    EXPECT_FALSE(::PtInRegion(region->get(), 110, 60)) << "the see-through corner is part of the window";

    // The memory gauge fills with green from its left end; the CPU figure's last digit is in the right cell.
    const RECT gauge = client_area(app, 10, 30, 90, 40);
    EXPECT_TRUE(wait_until([&] { return ScreenCapture::take(gauge).count_pixels(gauge, kGreen) > 0; }, 10s));
    ::Sleep(300);
    ScreenCapture shot = ScreenCapture::take();
    EXPECT_TRUE(shot.save_bmp(artifacts_root() / L"screens" / L"skin.bmp"));
    EXPECT_EQ(shot.pixel(gauge.left, gauge.top + 5), kGreen);
    const RECT last_cell = client_area(app, 26, 50, 34, 62);
    EXPECT_EQ(shot.count_pixels(last_cell, shot.pixel(last_cell.left, last_cell.top)), 8u * 12u);
    EXPECT_TRUE(shown_number(shot, {last_cell.left - 16, last_cell.top})) << "no CPU figure";
    // No title, captions or close button: only the picture's colour around the elements.
    EXPECT_EQ(shot.count_pixels(client_area(app, 2, 1, 116, 29), kBack), 114u * 28u);
    EXPECT_EQ(shot.count_pixels(client_area(app, 0, 0, 118, 80), kWhite), 0u);

    // The resource figures: what the 16-bit USER answers on the 95 family's route, 100 on the NT route (which
    // a 64-bit build takes on every system).
    const bool family_95 = (::GetVersion() & 0x80000000u) != 0;
    const bool route_95 = family_95 && sizeof(void*) == 4;
    if (family_95 && !route_95) {
        std::printf("UNCHECKED Skin.AtStart: the 95 family's resource figures (16-bit code, reached from 32-bit "
                    "programs only); the NT route's were\n");
    }
    struct Field {
        const char* name;
        int left, top;
        WORD selector;
    };
    for (const Field& field : {Field{"System", 40, 50, 0}, Field{"GDI", 70, 50, 1}, Field{"User", 40, 65, 2}}) {
        const RECT at = client_area(app, field.left, field.top, field.left + 24, field.top + 12);
        auto expected = [&] { return route_95 ? free_resources_16(field.selector) : std::optional<int>(100); };
        auto shown = [&] { return shown_number(ScreenCapture::take(at), {at.left, at.top}); };
        EXPECT_TRUE(wait_until([&] { return expected() && shown() == expected(); }, 5s))
            << field.name << " shows " << shown().value_or(-1) << ", expected " << expected().value_or(-1);
    }
}

TEST_F(Skin, ASkinThatCannotBeUsedIsReportedOnceAndTheDefaultDesignStarts) {
    struct Case { const char* name; const char* description; const wchar_t* caption; const wchar_t* message; };
    const Case cases[] = {
        {"no picture", "[Gauge]\r\nMem.Position=1,2,3,4\r\n", L"ERROR", L"スキンファイルの読みこみに失敗しました"},
        // Fails half-way, after its gauge: a click area with neither a picture nor a size.
        {"broken", "[BackImage]\r\nImage=back.bmp\r\n[Gauge]\r\nMem.Position=1,2,50,12\r\n[Button]\r\nExit.Position=5,5\r\n",
         L"Quorvane", L"幅または高さが 0 です"},
        {"unusable value", "[BackImage]\r\nImage=back.bmp\r\n[Gauge]\r\nMem.Position=1,2\r\n", L"Quorvane",
         L"'' is not a valid integer value"},
        // 65536 x 65537 pixels would wrap a 32-bit size; 30000 x 30000 would fail at every paint.
        {"wrapping size", "[BackImage]\r\nImage=back.bmp\r\n[Gauge]\r\nMem.Position=0,0,65536,65537\r\n",
         L"Quorvane", L"'65536' はスキンの位置として範囲外です"},
        {"larger than the window", "[BackImage]\r\nImage=back.bmp\r\n[Progress]\r\nCPU.Position=0,0,30000,30000\r\n",
         L"Quorvane", L"Progress/CPU (0,0 30000x30000) はウインドウに収まりません"},
    };
    for (const Case& c : cases) {
        AppDriver& app = prepare();
        write_skin_file(app.folder() / "skin" / "Bad" / "back.bmp", solid_bitmap(60, 40, kBack));
        write_skin_file(app.folder() / "skin" / "Bad" / "bad.qvs", c.description);
        write_file(app.ini_path(),
                   "[Design]\r\nSkinFileName=" + (app.folder() / "skin" / "Bad" / "bad.qvs").string() + "\r\n");
        app.start();
        ASSERT_EQ(dismiss_message_box(app.process_id(), c.caption, 20s), c.message) << c.name;
        ASSERT_TRUE(app.wait_ready()) << c.name;
        EXPECT_FALSE(wait_message_box(app.process_id(), c.caption, 500ms)) << c.name << ": reported twice";

        EXPECT_EQ(app.ini().value(L"Design", L"SkinFileName"), L"") << c.name;
        EXPECT_EQ(window_size(app).cx, 223) << c.name;
        EXPECT_EQ(window_size(app).cy, 110) << c.name;
        ::Sleep(300);
        // The title is back, in white.
        EXPECT_GT(ScreenCapture::take().count_pixels(client_area(app, 2, 1, 164, 16), kWhite), 30u) << c.name;
        app.end();
    }
}

TEST_F(Skin, AnUnreadableBackgroundIsReportedOnceAtStartEvenWhenTheSkinFailsToo) {
    AppDriver& app = prepare();
    write_skin_file(app.folder() / "skin" / "Bad" / "back.bmp", solid_bitmap(60, 40, kBack));
    write_skin_file(app.folder() / "skin" / "Bad" / "bad.qvs", "[BackImage]\r\nImage=back.bmp\r\n[Gauge]\r\nMem.Position=1,2\r\n");
    write_file(app.ini_path(), "[Design]\r\nBackImage=" + (app.folder() / "missing.bmp").string() +
                                   "\r\nSkinFileName=" + (app.folder() / "skin" / "Bad" / "bad.qvs").string() + "\r\n");
    app.start();
    for (const wchar_t* caption : {L"ERROR", L"Quorvane"}) {
        ASSERT_TRUE(dismiss_message_box(app.process_id(), caption, 20s)) << "no box captioned " << caption;
    }
    if (auto again = wait_message_box(app.process_id(), L"ERROR", 2s)) {
        ADD_FAILURE() << "the background was reported twice";
        answer_message_box(again->window, IDOK);
    }
    EXPECT_TRUE(app.wait_ready());
}

TEST_F(Skin, PicturesThatDeclareHugeSizesAreRefusedAndStartUpGoesOn) {
    AppDriver& app = prepare();
    // A kilobyte each, declaring 6000 x 6000 pixels: as the background and as a digit of the skin.
    const std::string huge = rle_bitmap_declaring(6000, 6000);
    write_file(app.folder() / "huge.bmp", huge);
    const std::string skin = write_green_skin(app);
    write_file(app.folder() / "skin" / "Green" / "0.bmp", huge);
    write_file(app.ini_path(), "[Design]\r\nBackImage=" + (app.folder() / "huge.bmp").string() +
                                   "\r\nSkinFileName=" + skin + "\r\n");
    app.start();
    ASSERT_EQ(dismiss_message_box(app.process_id(), L"ERROR", 20s), L"背景画像ファイルが認識できるファイルではありません")
        << "the background was taken";
    ASSERT_TRUE(app.wait_ready());
    // The skin is built without its digits.
    EXPECT_EQ(window_size(app).cx, kPictureWidth + 2);
    EXPECT_FALSE(wait_message_box(app.process_id(), L"Quorvane", 500ms)) << "the skin failed";
}

TEST_F(Skin, LeavingASkinForAnUnreadableBackgroundLeavesTheWindowWithoutAPicture) {
    AppDriver& app = prepare();
    write_file(app.ini_path(), "[Design]\r\nBackImage=" + (app.folder() / "missing.bmp").string() +
                                   "\r\nSkinFileName=" + write_green_skin(app) + "\r\n");
    app.start();
    ASSERT_TRUE(dismiss_message_box(app.process_id(), L"ERROR", 20s));
    ASSERT_TRUE(app.wait_ready());
    ASSERT_EQ(window_size(app).cx, kPictureWidth + 2) << "the skin did not load";

    // Choosing the checked skin again: the default design, and the background's error once more.
    ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
    ASSERT_TRUE(app.post_command(static_cast<app::MenuId>(app::MenuId::FirstSkinEntry)));
    EXPECT_EQ(dismiss_message_box(app.process_id(), L"ERROR", 10s), L"背景画像が読み込めません");
    ASSERT_TRUE(wait_until([&] { return window_size(app).cx == 223; }, 10s));
    ::Sleep(300);
    ScreenCapture shot = ScreenCapture::take();
    EXPECT_EQ(shot.count_pixels(client_area(app, 0, 0, 221, 108), kBack), 0u) << "the skin's picture is left";
    EXPECT_EQ(shot.count_pixels(client_area(app, 106, 32, 116, 106), kWindowColor), 10u * 74u);
}

TEST_F(Skin, ButtonsShowTheirPressedPictureAndOptimizeHideAndEndTheProgram) {
    constexpr COLORREF kButton = RGB(0xC0, 0x00, 0x00);
    constexpr COLORREF kPressed = RGB(0xFF, 0x80, 0x00);
    AppDriver& app = prepare();
    const std::filesystem::path description = write_green_skin(
        app, "[Button]\r\nDefrag.Position=10,5,26,21\r\nDefrag.Image=up.bmp\r\nDefrag.ClickImage=down.bmp\r\n"
             "Min.Position=40,5,56,21\r\nMin.Image=up.bmp\r\nExit.Position=70,5,86,21\r\nExit.Image=up.bmp\r\n");
    // The bottom-left pixel gives a button picture its see-through colour.
    for (auto [file, color] : {std::pair{"up.bmp", kButton}, std::pair{"down.bmp", kPressed}}) {
        write_skin_file(description.parent_path() / file,
                        bitmap_file(16, 16, [color](int x, int y) { return x == 0 && y == 15 ? kKey : color; }));
    }
    write_file(app.ini_path(), "[Clean]\r\nCleanValue=100\r\n[Design]\r\nSkinFileName=" + description.string() + "\r\n");
    app.start();
    ASSERT_TRUE(app.wait_ready());
    auto color_at = [&](int x, int y) {
        const RECT at = client_area(app, x, y, x + 1, y + 1);
        return ScreenCapture::take(at).pixel(at.left, at.top);
    };
    ASSERT_TRUE(wait_until([&] { return color_at(18, 13) == kButton; }, 10s)) << "the optimize button is not drawn";
    EXPECT_EQ(color_at(48, 13), kButton);

    // Optimize: pressed, its click picture; released, a run of the configured 100 MB.
    const auto before = process_memory(app.process());
    ASSERT_TRUE(before);
    press(app, 18, 13);
    EXPECT_TRUE(wait_until([&] { return color_at(18, 13) == kPressed; }, 5s)) << "no pressed picture";
    release(app, 18, 13);
    EXPECT_TRUE(wait_until([&] { return color_at(18, 13) == kButton; }, 5s));
    EXPECT_TRUE(wait_until([&] {
        const auto now = process_memory(app.process());
        return now && now->peak_working_set >= before->working_set + 90 * 1048576ull;
    }, 30s)) << "no optimization ran";

    // Close: the window goes to the tray.
    press(app, 48, 13);
    release(app, 48, 13);
    EXPECT_TRUE(wait_until([&] { return !app.state()->visible; }, 5s)) << "the window was not hidden";

    // Exit, from where the window now stands: the program ends and keeps that place.
    ASSERT_TRUE(app.post_command(app::MenuId::Nwindow));
    ASSERT_TRUE(wait_until([&] { return app.state()->visible; }, 5s));
    ASSERT_TRUE(app.move_window(321, 234));
    press(app, 78, 13);
    release(app, 78, 13);
    ASSERT_TRUE(app.wait_exit()) << "the program did not end";
    EXPECT_EQ(app.ini().integer(L"Window", L"FormLeft"), 321) << app.ini().text();
    EXPECT_EQ(app.ini().integer(L"Window", L"FormTop"), 234);
}

TEST_F(Skin, ADesignChangeAskedForInsideASkinsBoxWaitsForTheLoadAndOneDesignStays) {
    AppDriver& app = prepare();
    // The pressed picture is missing: the load stops at a box while it holds the half-built button.
    const std::filesystem::path description = write_green_skin(
        app, "[Button]\r\nDefrag.Position=10,5,26,21\r\nDefrag.Image=up.bmp\r\nDefrag.ClickImage=gone.bmp\r\n");
    write_skin_file(description.parent_path() / "up.bmp", solid_bitmap(16, 16, kDigit));
    write_file(app.ini_path(), "[Design]\r\nSkinFileName=" + description.string() + "\r\n");
    app.start();
    const auto box = wait_message_box(app.process_id(), L"Quorvane", 20s);
    ASSERT_TRUE(box);
    ASSERT_EQ(box->text, L"Buttonの画像が読みこめません");
    // The settings dialog, opened and cancelled behind the box, asks for the design in the settings.
    ASSERT_TRUE(::PostMessageW(::GetWindow(box->window, GW_OWNER), WM_COMMAND, static_cast<WPARAM>(app::MenuId::Nset), 0));
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] { return (dialog = find_dialog(app.process_id(), L"設定")) != nullptr; }, 10s));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);  // as キャンセル
    ASSERT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"設定") == nullptr; }, 10s));
    ASSERT_TRUE(answer_message_box(box->window, IDOK));
    EXPECT_FALSE(dismiss_message_box(app.process_id(), L"Quorvane", 2s)) << "the skin was loaded inside its own load";
    ASSERT_TRUE(app.wait_ready());
    EXPECT_EQ(window_size(app).cx, kPictureWidth + 2);
    const RECT gauge = client_area(app, 10, 30, 90, 40);
    EXPECT_TRUE(wait_until([&] { return ScreenCapture::take(gauge).count_pixels(gauge, kGreen) > 0; }, 10s));
    EXPECT_EQ(ScreenCapture::take().count_pixels(client_area(app, 0, 0, 118, 80), kWhite), 0u) << "two designs";
}

TEST_F(Skin, TheSkinMenuSwitchesTheSkinOnAndTheCheckedEntryOff) {
    AppDriver& app = prepare();
    write_green_skin(app);
    app.start();
    ASSERT_TRUE(app.wait_ready());
    const auto first_entry = static_cast<app::MenuId>(app::MenuId::FirstSkinEntry);

    // The second choice arrives while the first one loads (the load lets waiting messages run): it is
    // dropped, and the setting names the skin on screen.
    ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
    ASSERT_TRUE(app.post_command(first_entry));
    ASSERT_TRUE(app.post_command(first_entry));
    ASSERT_TRUE(wait_until([&] { return window_size(app).cx == kPictureWidth + 2; }, 10s)) << "the skin did not load";
    ASSERT_TRUE(app.send(WM_NULL, 0, 0, 5s));
    EXPECT_EQ(window_size(app).cx, kPictureWidth + 2);
    const auto chosen = app.ini().value(L"Design", L"SkinFileName");
    ASSERT_TRUE(chosen);
    EXPECT_NE(chosen->find(L"\\skin\\Green\\green.qvs"), std::wstring::npos) << *chosen;
    // The shape comes last; the size alone does not tell that the load is over.
    EXPECT_TRUE(wait_until([&] { return window_region(app).has_value(); }, 10s));

    // The entry now carries the check mark: choosing it again brings the default design back. A choice
    // that still met the end of the load is dropped and leaves the setting; the menu posted after it
    // opens only once the choice has been taken or dropped, so the choice is made again then.
    for (int attempt = 0; attempt < 2 && app.ini().value(L"Design", L"SkinFileName") != L""; ++attempt) {
        ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
        ASSERT_TRUE(app.post_command(first_entry));
        ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
    }
    ASSERT_TRUE(wait_until([&] { return window_size(app).cx == 223; }, 10s)) << "the default design did not return";
    EXPECT_EQ(window_size(app).cy, 110);
    EXPECT_EQ(app.ini().value(L"Design", L"SkinFileName"), L"");
    if (auto region = window_region(app)) {
        RECT box{};
        ::GetRgnBox(region->get(), &box);
        EXPECT_EQ(box.right - box.left, 223);
        EXPECT_EQ(box.bottom - box.top, 110);
        EXPECT_TRUE(::PtInRegion(region->get(), 220, 100)) << "a skin's shape is left";
    }
}


// A screen-sized picture whose every other pixel is see-through: the skin fails at once, as a window
// cannot take a shape of a million rectangles, and the default design starts.
TEST_F(Skin, ADitheredScreenSizedPictureFailsTheSkinAtOnce) {
    AppDriver& app = prepare();
    const auto folder = app.folder() / "skin" / "Dither";
    write_skin_file(folder / "back.bmp",
                    bitmap_file(1920, 1080, [](int x, int y) { return (x + y) % 2 == 0 ? kKey : kBack; }));
    write_skin_file(folder / "dither.qvs", "[BackImage]\r\nImage=back.bmp\r\nTransParentColor=#FF00FF\r\n");
    write_file(app.ini_path(), "[Design]\r\nSkinFileName=" + (folder / "dither.qvs").string() + "\r\n");
    app.start();
    ASSERT_EQ(dismiss_message_box(app.process_id(), L"Quorvane", 20s), L"SetWindowRGNに失敗しました")
        << "no report: the program hangs or has ended";
    ASSERT_TRUE(app.wait_ready());
    EXPECT_EQ(app.ini().value(L"Design", L"SkinFileName"), L"");
    EXPECT_EQ(window_size(app).cx, 223);
    EXPECT_TRUE(app.send(WM_NULL, 0, 0, 1s));
}

// The skins that ship, as the build puts them beside the program: each gives the window its picture's
// size and outline, and draws its strip, a button and a gauge that fills.
TEST_F(Skin, EveryShippedSkinShapesTheWindowAndDrawsItsElements) {
    struct Shipped {
        const char* name;
        SIZE picture;
        POINT strip;  // client points: a flat part of the title strip, a button's face
        COLORREF strip_color;
        POINT button;
        COLORREF button_color;
        RECT groove;  // the first gauge or bar, inside its frame
        COLORREF groove_color;
    };
    const Shipped skins[] = {
        {"Midnight", {236, 94}, {108, 12}, RGB(0x1a, 0x22, 0x36), {223, 6}, RGB(0xb8, 0x40, 0x5a), {50, 33, 224, 39},
         RGB(0x0a, 0x0f, 0x1c)},
        {"Sakura", {152, 142}, {98, 12}, RGB(0xfb, 0xe3, 0xec), {98, 123}, RGB(0xe0, 0x50, 0x7f), {28, 30, 44, 86},
         RGB(0xf7, 0xdf, 0xe8)},
        {"Matcha", {214, 104}, {98, 12}, RGB(0x6f, 0x8f, 0x45), {184, 6}, RGB(0x8c, 0x3b, 0x2a), {52, 34, 198, 43},
         RGB(0xe4, 0xdc, 0xc5)},
    };
    const fs::path shipped = environment_path(L"QV_EXE").parent_path() / L"skin";
    for (const Shipped& skin : skins) {
        AppDriver& app = prepare();
        fs::create_directories(app.folder() / "skin");
        fs::copy(shipped / skin.name, app.folder() / "skin" / skin.name, fs::copy_options::recursive);
        std::string lower = skin.name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(std::tolower(c)); });
        write_file(app.ini_path(), "[Design]\r\nSkinFileName=" +
                                       (app.folder() / "skin" / skin.name / (lower + ".qvs")).string() + "\r\n");
        app.start();
        ASSERT_TRUE(app.wait_ready()) << skin.name;
        EXPECT_EQ(window_size(app).cx, skin.picture.cx + 2) << skin.name;
        EXPECT_EQ(window_size(app).cy, skin.picture.cy + 2) << skin.name;
        auto region = window_region(app);
        ASSERT_TRUE(region) << skin.name << ": no shape";
        EXPECT_TRUE(::PtInRegion(region->get(), skin.picture.cx / 2, skin.picture.cy / 2)) << skin.name;
        EXPECT_FALSE(::PtInRegion(region->get(), 2, 3)) << skin.name << ": the corner is not cut off";

        const RECT groove = client_area(app, skin.groove.left, skin.groove.top, skin.groove.right, skin.groove.bottom);
        const size_t area = size_t(skin.groove.right - skin.groove.left) * size_t(skin.groove.bottom - skin.groove.top);
        EXPECT_TRUE(wait_until([&] { return ScreenCapture::take(groove).count_pixels(groove, skin.groove_color) < area; },
                               10s)) << skin.name << ": the gauge does not fill";
        const ScreenCapture shot = ScreenCapture::take();
        const RECT strip = client_area(app, skin.strip.x, skin.strip.y, 0, 0);
        const RECT button = client_area(app, skin.button.x, skin.button.y, 0, 0);
        EXPECT_EQ(shot.pixel(strip.left, strip.top), skin.strip_color) << skin.name;
        EXPECT_EQ(shot.pixel(button.left, button.top), skin.button_color) << skin.name;
        if (HasFailure()) shot.save_bmp(artifacts_folder() / (std::string(skin.name) + ".bmp"));
        app.end();
    }
}

// The Wine prefix of the tests opens no web pages (its browser is switched off). While it lives, an opener
// of its own makes the shell copy every ".html" page it is asked to open to `record`; a system that already
// opens them keeps its own way.
class HtmlOpener {
public:
    explicit HtmlOpener(const fs::path& record) {
        HKEY key = nullptr;
        DWORD created = 0;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, L".html", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &created) != ERROR_SUCCESS) return;
        installed_ = created == REG_CREATED_NEW_KEY;
        if (installed_) set_default(key, L"QuorvaneTestPage");
        ::RegCloseKey(key);
        if (!installed_) return;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kCommand, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            set_default(key, L"cmd.exe /c copy /y \"%1\" \"" + record.wstring() + L"\"");
            ::RegCloseKey(key);
        }
    }
    HtmlOpener(const HtmlOpener&) = delete;
    HtmlOpener& operator=(const HtmlOpener&) = delete;
    ~HtmlOpener() {
        if (!installed_) return;
        for (const wchar_t* key : {kCommand, L"QuorvaneTestPage\\shell\\open", L"QuorvaneTestPage\\shell",
                                   L"QuorvaneTestPage", L".html"}) {
            ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
        }
    }
    bool installed() const noexcept { return installed_; }

private:
    static constexpr const wchar_t* kCommand = L"QuorvaneTestPage\\shell\\open\\command";
    static void set_default(HKEY key, const std::wstring& value) {
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    bool installed_ = false;
};

// The release package as a user gets it: unpacked into a folder whose path has blanks and Japanese
// letters and started from there, each of its skins chosen from the skin menu and left again, its help
// opened; afterwards the folder holds what was unpacked and the settings file, nothing else.
TEST_F(Skin, TheReleasePackageRunsFromItsFolderWithEachOfItsSkinsAndLeavesOnlyItsSettings) {
    if (sizeof(void*) == 8) GTEST_SKIP() << "the package holds the 32-bit program";
    const fs::path zip = environment_path(L"QV_PACKAGE");
    ASSERT_TRUE(fs::exists(zip)) << zip.string() << " is missing: scripts/package.sh makes it";
    std::vector<fs::path> unpacked;
    AppDriver app([&](const fs::path& folder) {
        unpacked = unpack_zip(zip, folder);
        auto exe = std::find_if(unpacked.begin(), unpacked.end(), [](const fs::path& f) { return f.filename() == "Quorvane.exe"; });
        if (exe == unpacked.end()) throw std::runtime_error("the package holds no Quorvane.exe");
        return folder / *exe;
    });
    const fs::path home = app.exe_path().parent_path();
    // Readme.txt reads as code page 932 with CR LF line ends.
    const std::string readme = read_file(home / "Readme.txt").value_or("");
    EXPECT_GT(::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, readme.data(), int(readme.size()), nullptr, 0), 0);
    EXPECT_EQ(std::count(readme.begin(), readme.end(), '\n'), std::count(readme.begin(), readme.end(), '\r'));

    app.start();
    ASSERT_TRUE(app.wait_ready());
    std::set<std::wstring> chosen;
    for (int i = 0; i < 3; ++i) {
        const auto entry = static_cast<app::MenuId>(static_cast<int>(app::MenuId::FirstSkinEntry) + i);
        ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
        ASSERT_TRUE(app.post_command(entry));
        ASSERT_TRUE(wait_until([&] { return window_size(app).cx != 223; }, 10s)) << "skin entry " << i << " did not load";
        // The window takes its size first and its shape next, and the load ends with a refresh of the figures
        // that lets messages run: a menu choice that came in there would reach a load not yet finished.
        ASSERT_TRUE(wait_until([&] { return window_region(app).has_value(); }, 10s));
        ASSERT_TRUE(app.send(WM_NULL));
        ::Sleep(700);
        const fs::path file = app.ini().value(L"Design", L"SkinFileName").value_or(L"");
        EXPECT_EQ(file.parent_path().parent_path(), home / "skin") << file.string();
        chosen.insert(file.parent_path().filename().wstring());
        ASSERT_NO_FATAL_FAILURE(open_and_close_context_menu(app));
        ASSERT_TRUE(app.post_command(entry));
        ASSERT_TRUE(wait_until([&] { return window_size(app).cx == 223; }, 10s)) << "skin entry " << i << " stayed";
    }
    EXPECT_EQ(chosen, (std::set<std::wstring>{L"Matcha", L"Midnight", L"Sakura"}));

    {
        const TempFolder records(L"quorvane-help");
        const fs::path record = records.path() / "opened.html";
        HtmlOpener opener(record);
        ASSERT_TRUE(app.post_command(app::MenuId::Help2));
        if (auto box = wait_message_box(app.process_id(), L"ERROR", 3s)) {
            ADD_FAILURE() << "the help did not open: " << win::wide_to_utf8(box->text);
            answer_message_box(box->window, IDOK);
        }
        if (opener.installed()) {
            EXPECT_TRUE(wait_until([&] { return read_file(record) == read_file(home / "help" / "window.html"); }, 10s))
                << "the shell was not asked to open the window's help page";
        }
    }
    ASSERT_TRUE(app.end()) << "the program did not end by its exit command";

    std::set<fs::path> expected(unpacked.begin(), unpacked.end());
    expected.insert(fs::relative(app.ini_path(), app.folder()));
    std::set<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(app.folder())) {
        if (entry.is_regular_file()) found.insert(fs::relative(entry.path(), app.folder()));
    }
    EXPECT_EQ(found, expected);
}

} // namespace
} // namespace qv::test
