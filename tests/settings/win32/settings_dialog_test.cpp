// The settings dialog driven in its own process: what it shows from a store on a temporary file, what
// OK and キャンセル leave in that file, and the checks' messages. Most scenarios act while the dialog is
// being made, before it is shown (Wine is slow to take shown windows away); one looks at it shown.
#include "settings/win32/settings_dialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>
#include <vector>

#include "settings/settings_table.h"
#include "settings/win32/settings_dialog_pages.h"
#include "support/win32/files.h"
#include "support/win32/message_box.h"
#include "support/win32/screen_capture.h"
#include "temp_folder.h"

namespace qv::settings::win32 {
namespace {

using testing::read_bytes;
using testing::TempFolder;
using testing::write_bytes;

struct ItemSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK visit_item(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ItemSearch*>(context);
    if (::GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

// A control of any page by its identifier.
HWND item(HWND dialog, int id) {
    ItemSearch search{id};
    ::EnumChildWindows(dialog, &visit_item, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text field inside a spin edit.
HWND field(HWND dialog, int id) { return ::GetWindow(item(dialog, id), GW_CHILD); }

std::wstring text_of(HWND window) {
    wchar_t text[256]{};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// Replaces the field's text as typing does (with its change notification).
void type(HWND dialog, int id, const wchar_t* text) {
    ::SendMessageW(field(dialog, id), EM_SETSEL, 0, -1);
    ::SendMessageW(field(dialog, id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
void click(HWND dialog, int id) { ::SendMessageW(item(dialog, id), BM_CLICK, 0, 0); }
bool checked(HWND dialog, int id) { return ::SendMessageW(item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Asks to leave the page shown, as a click on another tab does; true when the dialog allows it.
bool page_change_allowed(HWND dialog) {
    NMHDR header{item(dialog, kPageControl1Id), static_cast<UINT_PTR>(kPageControl1Id), TCN_SELCHANGING};
    return ::SendMessageW(dialog, WM_NOTIFY, kPageControl1Id, reinterpret_cast<LPARAM>(&header)) == FALSE;
}

// Answers the "ERROR" boxes the dialog shows, from another thread, and keeps their texts.
class ErrorBoxes {
public:
    ErrorBoxes()
        : thread_([this] {
              while (!stop_) {
                  auto box = test::wait_message_box(::GetCurrentProcessId(), L"ERROR", std::chrono::milliseconds(200));
                  if (!box) continue;
                  texts.push_back(box->text);
                  test::answer_message_box(box->window, IDOK);
              }
          }) {}
    ~ErrorBoxes() {
        stop_ = true;
        thread_.join();
    }
    // Read only once the dialog has returned.
    std::vector<std::wstring> texts;

private:
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() { RM.IniFileName = ini; }

    // Runs the dialog; `script` acts on it before it is shown and must close it.
    bool run(std::int64_t total_mb, const std::function<void(HWND)>& script) {
        return ShowSettingsDialog(nullptr, RM, total_mb, {}, [&](HWND dialog) {
            script(dialog);
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);  // should the script leave it open
        });
    }

    TempFolder folder{L"qv-settings-dialog"};
    const std::wstring ini = folder.file(L"Quorvane.ini");
    SystemServices system;
    TRegManager RM = make_main_store(system.services());
};

TEST_F(SettingsDialogTest, OkWithoutChangesKeepsEveryHotkey) {
    write_bytes(ini,
                "[Clean]\r\nCleanValue=64\r\n"
                "[Hotkey]\r\nHotkeyWindow=Ctrl+Alt+W\r\nHotkeyClean=Shift+F5\r\nHotKeySet=Ctrl+Del\r\n"
                "HotKeyStop=\r\nHotKeyAutoHide=Shift+Ctrl+Alt+Left\r\n");
    EXPECT_TRUE(run(96, [](HWND dialog) { click(dialog, kButton1Id); }));
    EXPECT_EQ(RM.Filer(L"HotKeyWindow").ReadString(), L"Ctrl+Alt+W");
    EXPECT_EQ(RM.Filer(L"HotKeyClean").ReadString(), L"Shift+F5");
    EXPECT_EQ(RM.Filer(L"HotKeySet").ReadString(), L"Ctrl+Del");
    EXPECT_EQ(RM.Filer(L"HotKeyStop").ReadString(), L"");
    EXPECT_EQ(RM.Filer(L"HotKeyAutoHide").ReadString(), L"Shift+Ctrl+Alt+Left");
    EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), 64);
    EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 2000) << "defaults are written as shown";
}

TEST_F(SettingsDialogTest, FieldsFollowOneAnotherAndStoredValuesAreClamped) {
    write_bytes(ini, "[Clean]\r\nCleanValue=300\r\nAutoCleanMemory=200\r\nACChk=0\r\nACTChk=1\r\n");
    EXPECT_TRUE(run(4096, [](HWND dialog) {
        EXPECT_EQ(text_of(field(dialog, kAutoCleanMemoryId)), L"128");
        EXPECT_EQ(::SendMessageW(item(dialog, kTrackBar1Id), TBM_GETPOS, 0, 0), 300);
        EXPECT_EQ(::SendMessageW(item(dialog, kTrackBar1Id), TBM_GETRANGEMAX, 0, 0), 4096);

        // The track bar and the field hold one number, whichever moves.
        type(dialog, kEdit1Id, L"1000");
        EXPECT_EQ(::SendMessageW(item(dialog, kTrackBar1Id), TBM_GETPOS, 0, 0), 1000);
        HWND bar = item(dialog, kTrackBar2Id);
        ::SendMessageW(bar, TBM_SETPOS, TRUE, 3000);
        ::SendMessageW(::GetParent(bar), WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(text_of(field(dialog, kEdit2Id)), L"3000");

        // Automatic runs off: their three triggers and fields cannot be used, yet keep their values.
        EXPECT_FALSE(::IsWindowEnabled(item(dialog, kAutoCleanTimeId)));
        EXPECT_FALSE(::IsWindowEnabled(item(dialog, kACTChkId)));
        EXPECT_TRUE(checked(dialog, kACTChkId));
        click(dialog, kACChkId);
        EXPECT_TRUE(::IsWindowEnabled(item(dialog, kAutoCleanTimeId)));
        click(dialog, kACChkId);
        EXPECT_FALSE(::IsWindowEnabled(item(dialog, kACCChkId)));
        click(dialog, kButton1Id);
    }));
    EXPECT_EQ(RM.Filer(L"AutoCleanMemory").ReadInteger(), 128);
    EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), 1000);
    EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 3000);
    EXPECT_FALSE(RM.Filer(L"ACChk").ReadBool());
    EXPECT_TRUE(RM.Filer(L"ACTChk").ReadBool()) << "a disabled trigger is written as it stands";
}

TEST_F(SettingsDialogTest, FailedChecksAndCancelWriteNothing) {
    const std::string before = "[Clean]\r\nCleanValue=64\r\n[Window]\r\nAlarmValue=20\r\n";
    write_bytes(ini, before);
    ErrorBoxes boxes;
    std::vector<bool> page2_shown;
    EXPECT_FALSE(run(96, [&](HWND dialog) {
        type(dialog, kEdit1Id, L"100");
        click(dialog, kButton1Id);
        DWORD start = 1, end = 0;
        ::SendMessageW(field(dialog, kEdit1Id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);

        type(dialog, kEdit1Id, L"50");
        click(dialog, kACChkId);
        click(dialog, kButton1Id);

        // A bad value on a page not shown: the change is refused and that page comes up.
        click(dialog, kACMChkId);
        type(dialog, kAlarmValueId, L"0");
        // (The dialog itself is not shown yet.)
        auto page2_visible = [&] { return (::GetWindowLongPtrW(::GetParent(item(dialog, kAlarmValueId)), GWL_STYLE) & WS_VISIBLE) != 0; };
        page2_shown.push_back(page2_visible());
        EXPECT_FALSE(page_change_allowed(dialog));
        page2_shown.push_back(page2_visible());

        type(dialog, kAlarmValueId, L"30");
        ::SendMessageW(item(dialog, kHotKeyWindowId), HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        EXPECT_TRUE(page_change_allowed(dialog));
        click(dialog, kButton2Id);
    }));
    EXPECT_EQ(page2_shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{L"0より上で96以下の整数値を入力してください",
                                                      L"自動確保する方法について選択してください",
                                                      L"0より上で100以下の整数値を入力してください"}));
    EXPECT_EQ(read_bytes(ini), before);
}

// What the test does once the dialog is on the screen, run by a timer of its modal loop.
std::function<void()> when_shown;

void CALLBACK run_when_shown(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    when_shown();
}

TEST_F(SettingsDialogTest, ShownModallyOverItsOwner) {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    bool owner_enabled_while_open = true, shown = false;
    when_shown = [&] {
        HWND dialog = ::FindWindowW(L"#32770", L"設定");
        shown = dialog && ::IsWindowVisible(dialog);
        owner_enabled_while_open = ::IsWindowEnabled(owner);
        RECT client{};
        ::GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 374);
        EXPECT_EQ(client.bottom, 359);
        // For a person to look at: QV_ARTIFACTS, or the working folder.
        std::filesystem::path artifacts = test::environment_path(L"QV_ARTIFACTS");
        if (artifacts.empty()) artifacts = std::filesystem::current_path();
        artifacts /= L"settings-dialog";
        for (int page = 0; page < 3; ++page) {
            HWND tabs = item(dialog, kPageControl1Id);
            ::SendMessageW(tabs, TCM_SETCURSEL, page, 0);
            NMHDR header{tabs, static_cast<UINT_PTR>(kPageControl1Id), TCN_SELCHANGE};
            ::SendMessageW(dialog, WM_NOTIFY, kPageControl1Id, reinterpret_cast<LPARAM>(&header));
            ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            RECT frame{};
            ::GetWindowRect(dialog, &frame);
            test::ScreenCapture::take(frame).save_bmp(artifacts / (L"page" + std::to_wstring(page + 1) + L".bmp"));
        }
        click(dialog, kButton2Id);
    };
    ShowSettingsDialog(owner, RM, 2048, {}, [](HWND dialog) { ::SetTimer(dialog, 1, 300, &run_when_shown); });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(owner_enabled_while_open);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

} // namespace
} // namespace qv::settings::win32
