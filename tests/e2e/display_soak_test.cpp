// The real program refreshed a hundred thousand times, with five tray icons that each draw a number and
// once with a skin, once with the default design: its GDI and USER objects, handles and private memory
// stay where they were after a short warm-up. The refreshes are the probe's own timer ticks (WM_TIMER of
// its refresh timer), sent one after another instead of waiting the shortest interval between them.
// The shards refresh a few thousand times; the long test (e2e_long) the full hundred thousand.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/win32/app_test.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/process_resources.h"
#include "support/win32/tray_area.h"

namespace qv::test {
namespace {

// The main icon shows free memory, the four indicators the three resources and free memory: figures that
// seldom change, so that how often the icons are redrawn is the test's choice (below), not the machine's
// load (the processor's figure would redraw them at almost every refresh on an idle machine and at none
// on a busy one). The timer itself waits ten minutes: only the test's ticks refresh.
constexpr const char* kSoakWindowKeys = "[Window]\r\nIconMenu=5\r\nAIcons=1235\r\nRefreshTime=600000\r\n";

struct Resources {
    std::optional<long> gdi;
    std::optional<long> user;
    long windows = 0;
    std::optional<long> handles;
    std::uint64_t private_bytes = 0;
};

class DisplaySoak : public AppTest {
protected:
    static int refresh_count() { return long_scenarios_run_here() ? 100000 : 4000; }

    // The probe's refresh timer: a message-only window of the program.
    static HWND refresh_timer(const AppDriver& app) {
        for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, L"QuorvaneRefreshTimer", nullptr); window;
             window = ::FindWindowExW(HWND_MESSAGE, window, L"QuorvaneRefreshTimer", nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == app.process_id()) return window;
        }
        return nullptr;
    }

    static Resources resources(const AppDriver& app) {
        Resources now;
        now.gdi = gdi_object_count(app.process());
        now.user = user_object_count(app.process());
        now.windows = window_count(app.process_id());
        now.handles = handle_count(app.process());
        now.private_bytes = private_bytes(app.process());
        return now;
    }

    // Refreshes the display `count` times, each handled before the next is sent (the timer's id, as
    // the system gives it). Every 50 refreshes the main icon switches between free memory and System
    // resources, which redraws it with another number and colours; the first switches are looked at in
    // the tray.
    static void refresh(const AppDriver& app, HWND timer, int count, std::set<std::vector<COLORREF>>* icons = nullptr) {
        constexpr int kSwitchEvery = 50;
        for (int i = 0; i < count; ++i) {
            if (i % kSwitchEvery == 0) {
                ASSERT_TRUE(app.send_command(i / kSwitchEvery % 2 ? app::MenuId::Nsys : app::MenuId::Nmemory));
                if (icons && i < 10 * kSwitchEvery) icons->insert(TrayArea::take().icon(0).pixels);
            }
            DWORD_PTR reply = 0;
            ASSERT_TRUE(::SendMessageTimeoutW(timer, WM_TIMER, 1, 0, SMTO_ABORTIFHUNG, 10000, &reply))
                << "refresh " << i << " was not handled";
        }
        ASSERT_TRUE(app.running());
    }

    // Asked before the program starts: the probe's icon must not be counted among the program's.
    void SetUp() override {
        AppTest::SetUp();
        tray_ = tray_host().readable;
    }

    void soak(AppDriver& app) {
        ASSERT_TRUE(app.wait_ready());
        const bool tray = tray_;
        if (tray) {
            ASSERT_TRUE(wait_until([] { return TrayArea::take().icon_count() == 5; }, 5s))
                << "the tray shows " << TrayArea::take().icon_count() << " icons, not five";
        }
        const RECT placed = app.state().value_or(WindowState{}).rect;
        const HWND timer = refresh_timer(app);
        ASSERT_TRUE(timer) << "the program has no refresh timer window";
        if (gdi_object_count(app.process()).value_or(0) <= 0) GTEST_SKIP() << "this system counts no GDI objects";

        // Every number drawn once, the heap grown to what a refresh needs.
        refresh(app, timer, 1000);
        if (HasFatalFailure()) return;
        const Resources before = resources(app);
        std::set<std::vector<COLORREF>> icons;
        refresh(app, timer, refresh_count(), tray ? &icons : nullptr);
        if (HasFatalFailure()) return;
        const Resources after = resources(app);

        expect_count_flat("GDI objects", before.gdi, after.gdi, 2);
        expect_count_flat("USER objects", before.user, after.user, 2);
        EXPECT_EQ(after.windows, before.windows);
        expect_count_flat("kernel handles", before.handles, after.handles, 2);
        EXPECT_GT(before.private_bytes, 0u) << "the private bytes cannot be read";
        EXPECT_LT(after.private_bytes, before.private_bytes + (1u << 20))
            << "private bytes " << before.private_bytes << " -> " << after.private_bytes;

        // The ticks were refreshes and nothing else: the icons were redrawn, nothing opened or moved.
        if (tray) {
            EXPECT_TRUE(wait_until([] { return TrayArea::take().icon_count() == 5; }, 5s)) << "an icon went";
            EXPECT_GE(icons.size(), 2u) << "the main icon was not redrawn";
        }
        EXPECT_FALSE(menu_open(app.process_id()));
        EXPECT_TRUE(find_windows(app.process_id(), L"#32770").empty()) << "a box was opened";
        const WindowState now = app.state().value_or(WindowState{});
        EXPECT_TRUE(now.visible);
        EXPECT_TRUE(::EqualRect(&now.rect, &placed)) << "the window moved";
        if (!tray) GTEST_SKIP() << kNoReadableTray;
    }

private:
    bool tray_ = false;
};

TEST_F(DisplaySoak, DefaultDesignKeepsObjectsHandlesAndMemoryFlat) {
    AppDriver& app = launch(kSoakWindowKeys);
    soak(app);
}

// Two gauges, two progress bars and two digit fields, on a background with a see-through corner.
TEST_F(DisplaySoak, SkinKeepsObjectsHandlesAndMemoryFlat) {
    AppDriver& app = prepare();
    const auto folder = app.folder() / "skin" / "Soak";
    std::filesystem::create_directories(folder);
    write_file(folder / "back.bmp", bitmap_file(160, 100, [](int x, int y) {
                   return x >= 140 && y >= 80 ? RGB(0xFF, 0x00, 0xFF) : RGB(0x20, 0x30, 0x60);
               }));
    for (int digit = 0; digit <= 9; ++digit) {
        write_file(folder / (std::to_string(digit) + ".bmp"), solid_bitmap(8, 12, RGB(digit * 25, 0xFF, 0)));
    }
    write_file(folder / "soak.qvs",
               "[BackImage]\r\nImage=back.bmp\r\nTransParentColor=#FF00FF\r\n"
               "[Gauge]\r\nMem.Position=10,5,150,15\r\nCPU.Position=10,18,150,28\r\nCPU.Kind=gkVerticalBar\r\n"
               "[Progress]\r\nCPU.Position=10,32,150,42\r\nMem.Position=10,46,150,56\r\n"
               "[Value]\r\nCPU.Position=10,62\r\nMem.Position=60,62\r\n");
    write_file(app.ini_path(), std::string(kSoakWindowKeys) + "[Design]\r\nSkinFileName=" +
                                   (folder / "soak.qvs").string() + "\r\n");
    app.start();
    soak(app);
    EXPECT_EQ(app.ini().value(L"Design", L"SkinFileName").value_or(L""), (folder / "soak.qvs").wstring())
        << "the skin was not taken";
}

} // namespace
} // namespace qv::test
