// The settings dialog driven in its own process: what it shows from a store on a temporary file, what
// OK and キャンセル leave in that file, and the checks' messages. Most scenarios act while the dialog is
// being made, before it is shown (Wine is slow to take shown windows away); one looks at it shown.
#include "settings/win32/settings_dialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>
#include <vector>

#include "controls/win32/select_color_button.h"
#include "settings/settings_table.h"
#include "settings/win32/settings_dialog_pages.h"
#include "skin/win32/window_surface.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/files.h"
#include "support/win32/ini_text.h"
#include "support/win32/message_box.h"
#include "support/win32/screen_capture.h"
#include "support/win32/files.h"

namespace qv::settings::win32 {
namespace {

using test::TempFolder;

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

// The object behind one of the program's own windows.
template <typename T>
T& object_of(HWND window) {
    return dynamic_cast<T&>(*reinterpret_cast<win::Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

// Chooses a list entry as the user does (with its change notification).
void choose(HWND dialog, int id, int entry) {
    HWND list = item(dialog, id);
    ::SendMessageW(list, CB_SETCURSEL, entry, 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Clicks a colour button whose colour dialog answers `color`.
void pick_color(HWND dialog, int id, skin::Color color) {
    auto& button = object_of<controls::TSelectColorButton>(item(dialog, id));
    button.ColorDialog = [color](HWND, unsigned) { return std::optional<skin::Color>(color); };
    ::SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A pixel of a preview as it is drawn now.
skin::Color preview_pixel(HWND dialog, int id, int x, int y) {
    auto& panel = object_of<skin::win::GraphicPanel>(item(dialog, id));
    panel.Surface().Refresh();
    return skin::ToColor(panel.Surface().BackBuffer().Pixels().At(x, y));
}

bool visible(HWND dialog, int id) { return (::GetWindowLongPtrW(item(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

// Asks to leave the page shown, as a click on another tab does; true when the dialog allows it.
bool page_change_allowed(HWND dialog) {
    NMHDR header{item(dialog, kPageControl1Id), static_cast<UINT_PTR>(kPageControl1Id), TCN_SELCHANGING};
    return ::SendMessageW(dialog, WM_NOTIFY, kPageControl1Id, reinterpret_cast<LPARAM>(&header)) == FALSE;
}

// Answers the boxes the dialog shows ("ERROR", and "Quorvane" for errors it did not expect), from
// another thread, and keeps their texts.
class ErrorBoxes {
public:
    ErrorBoxes()
        : thread_([this] {
              while (!stop_) {
                  for (const wchar_t* caption : {L"ERROR", L"Quorvane"}) {
                      auto box = test::wait_message_box(::GetCurrentProcessId(), caption, std::chrono::milliseconds(100));
                      if (!box) continue;
                      texts.push_back(box->text);
                      test::answer_message_box(box->window, IDOK);
                  }
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
    std::wstring design(const wchar_t* key) {
        return test::IniText::from_file(test::read_file(ini).value_or("<missing>")).value(L"Design", key).value_or(L"(none)");
    }
    SystemServices system;
    TRegManager RM = make_main_store(system.services());
};

TEST_F(SettingsDialogTest, OkWithoutChangesKeepsEveryHotkey) {
    test::write_file(ini,
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
    test::write_file(ini, "[Clean]\r\nCleanValue=300\r\nAutoCleanMemory=200\r\nACChk=0\r\nACTChk=1\r\n");
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
    test::write_file(ini, before);
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
    EXPECT_EQ(test::read_file(ini).value_or("<missing>"), before);
}

TEST_F(SettingsDialogTest, OkWithoutChangesWritesTheDesignAsItWas) {
    // A picture that is not there is reported, and its path is kept as typed. A gauge background that
    // is no colour leaves the one the gauges are made with, the window's.
    test::write_file(ini, "[Clean]\r\nCleanValue=64\r\n[Design]\r\nGaugeBackColor=none\r\nWindowColor=$00123456\r\nTitleFont_FontName=Arial\r\nTitleFont_FontSize=14\r\n"
                     "TitleFont_FontColor=clRed\r\nTitleFontStyle=6\r\nIBC2=clLime\r\nWD=1\r\n"
                     "BackImage=C:\\nowhere\\back.bmp\r\nSkinFileName=C:\\skin\\a\\a.qvs\r\n");
    ErrorBoxes boxes;
    EXPECT_TRUE(run(96, [](HWND dialog) {
        EXPECT_EQ(preview_pixel(dialog, kPanel1Id, 110, 54), 0x123456u);
        click(dialog, kButton1Id);
    }));
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"背景画像が読み込めません"});
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"WindowColor", L"$00123456"},   {L"GaugeColor1", L"clAqua"},        {L"GaugeColor2", L"$00FF8000"},
        {L"GaugeBackColor", L"clWhite"},  {L"GaugeFont_FontName", L"ＭＳ Ｐゴシック"}, {L"GaugeFont_FontSize", L"10"},
        {L"GaugeFont_FontColor", L"clBlue"}, {L"GaugeFontStyle", L"1"},    {L"TitleFont_FontName", L"Arial"},
        {L"TitleFont_FontSize", L"14"},   {L"TitleFont_FontColor", L"clRed"}, {L"TitleFontStyle", L"6"},
        {L"WindowFont_FontSize", L"8"},   {L"WindowFontStyle", L"1"},       {L"ButtonFontColor", L"clWhite"},
        {L"ButtonColor", L"$00FF8000"},   {L"ButtonFrameColor", L"clWhite"}, {L"Isc0", L"clWhite"},
        {L"ISC4", L"clWhite"},            {L"IBC1", L"clBlue"},             {L"IBC2", L"clLime"},
        {L"BackImage", L"C:\\nowhere\\back.bmp"}, {L"WD", L"1"}, {L"SkinFileName", L"C:\\skin\\a\\a.qvs"}};
    for (const auto& [key, value] : expected) EXPECT_EQ(design(key), value) << key;
}

TEST_F(SettingsDialogTest, ColoursChosenOnTheDesignPageReachThePreviewAndOk) {
    test::write_file(ini, "[Clean]\r\nCleanValue=64\r\n");
    EXPECT_TRUE(run(96, [](HWND dialog) {
        EXPECT_FALSE(visible(dialog, kColorButton2Id));
        choose(dialog, kComboBox1Id, 1);  // ゲージ: both bar colours
        EXPECT_TRUE(visible(dialog, kColorButton2Id));
        choose(dialog, kComboBox1Id, 3);  // タイトル: its colour comes with the font
        EXPECT_FALSE(visible(dialog, kColorButton1Id));
        EXPECT_FALSE(visible(dialog, kColorButton2Id));

        choose(dialog, kComboBox1Id, 2);  // ゲージの背景
        EXPECT_EQ(object_of<controls::TSelectColorButton>(item(dialog, kColorButton1Id)).Color(), skin::clWhite);
        pick_color(dialog, kColorButton1Id, 0x00336699);
        // The unfilled end of gauge 4 (half full).
        EXPECT_EQ(preview_pixel(dialog, kPanel1Id, 210, 35), 0x336699u);

        // A colour chosen for one metric stays with it.
        choose(dialog, kComboBox2Id, 3);
        pick_color(dialog, kISCButtonId, 0x00010203);
        EXPECT_EQ(preview_pixel(dialog, kTrayId, 0, 0), skin::clBlue);
        pick_color(dialog, kIBCButtonId, 0x00040506);
        EXPECT_EQ(preview_pixel(dialog, kTrayId, 0, 0), 0x040506u);
        choose(dialog, kComboBox2Id, 0);
        EXPECT_EQ(preview_pixel(dialog, kTrayId, 0, 0), skin::clBlue);

        // デフォルトに戻す: the window's design as at first, the tray colours as chosen.
        click(dialog, kButton8Id);
        EXPECT_EQ(preview_pixel(dialog, kPanel1Id, 210, 35), skin::clWhite);
        EXPECT_EQ(object_of<controls::TSelectColorButton>(item(dialog, kColorButton1Id)).Color(), skin::clWhite);
        choose(dialog, kComboBox2Id, 3);
        EXPECT_EQ(preview_pixel(dialog, kTrayId, 0, 0), 0x040506u);
        pick_color(dialog, kColorButton1Id, 0x00336699);
        click(dialog, kButton1Id);
    }));
    EXPECT_EQ(design(L"GaugeBackColor"), L"$00336699");
    EXPECT_EQ(design(L"ISC3"), L"$00010203");
    EXPECT_EQ(design(L"IBC3"), L"$00040506");
    EXPECT_EQ(design(L"Isc0"), L"clWhite");
    EXPECT_EQ(design(L"WindowColor"), L"$00FF8000");
}

TEST_F(SettingsDialogTest, ClearedPictureAndSkinAreWrittenEmptyOnOkOnly) {
    const std::wstring picture = folder.file(L"back.bmp");
    test::write_file(picture, test::solid_bitmap(10, 10, RGB(0x20, 0x40, 0x60)));
    const std::string before = "[Clean]\r\nCleanValue=64\r\n[Design]\r\nBackImage=" + std::string(picture.begin(), picture.end()) +
                               "\r\nSkinFileName=C:\\skin\\a\\a.qvs\r\n";
    test::write_file(ini, before);
    auto clear_both = [](HWND dialog) {
        EXPECT_EQ(preview_pixel(dialog, kPanel1Id, 110, 54), 0x604020u) << "the picture, centred";
        click(dialog, kButton10Id);
        EXPECT_EQ(preview_pixel(dialog, kPanel1Id, 110, 54), 0xFF8000u);
        click(dialog, kButton12Id);
        pick_color(dialog, kColorButton1Id, 0x00112233);
    };
    EXPECT_FALSE(run(96, [&](HWND dialog) {
        clear_both(dialog);
        click(dialog, kButton2Id);
    }));
    EXPECT_EQ(test::read_file(ini).value_or("<missing>"), before);
    EXPECT_TRUE(run(96, [&](HWND dialog) {
        clear_both(dialog);
        click(dialog, kButton1Id);
    }));
    EXPECT_EQ(design(L"BackImage"), L"");
    EXPECT_EQ(design(L"SkinFileName"), L"");
    EXPECT_EQ(design(L"WindowColor"), L"$00112233");
}

TEST_F(SettingsDialogTest, OkWritesEveryValueOrNone) {
    const std::string before = *win::AnsiCodec().encode(L"; mine\r\n[Clean]\r\nCleanValue=64\r\n[表示]\r\nx=ソフト\r\n");
    test::write_file(ini, before);
    auto set_text = [](HWND dialog, int id, const std::wstring& text) {
        ::SetWindowTextW(item(dialog, id), text.c_str());
    };
    ErrorBoxes boxes;
    // A path no settings file can hold (half of a surrogate pair, as a file system may have in a name)
    // is refused before anything is written, naming its field.
    EXPECT_FALSE(run(96, [&](HWND dialog) {
        type(dialog, kEdit1Id, L"32");
        set_text(dialog, kBFId, L"C:\\pictures\\" + std::wstring(1, wchar_t(0xD800)) + L".bmp");
        click(dialog, kButton1Id);
        click(dialog, kButton2Id);
    }));
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"「ウインドウの背景画像」の内容は設定ファイルに保存できません"});
    EXPECT_EQ(test::read_file(ini).value_or("<missing>"), before);

    // A path with characters the code page lacks is kept with every other value; the file becomes one
    // the system reads as Unicode, its other lines as they were.
    const std::wstring picture = L"C:\\Bilder\\café.bmp";
    EXPECT_TRUE(run(96, [&](HWND dialog) {
        type(dialog, kEdit1Id, L"32");
        set_text(dialog, kBFId, picture);
        click(dialog, kButton1Id);
    }));
    EXPECT_EQ(boxes.texts.size(), 1u) << "OK failed";
    auto system_read = [&](const wchar_t* section, const wchar_t* key) {
        wchar_t value[256]{};
        ::GetPrivateProfileStringW(section, key, L"(none)", value, 256, ini.c_str());
        return std::wstring(value);
    };
    EXPECT_EQ(system_read(L"Design", L"BackImage"), picture);
    EXPECT_EQ(system_read(L"Clean", L"CleanValue"), L"32");
    EXPECT_EQ(system_read(L"Design", L"GaugeFont_FontName"), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(system_read(L"表示", L"x"), L"ソフト");
    EXPECT_EQ(test::read_file(ini).value_or("").substr(0, 2), "\xFF\xFE");
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
        for (int page = 0; page < 5; ++page) {
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
