// The 95 family's stand-ins for the window, message, font and tray functions, called directly: here (the NT
// family, code page 932) the ANSI functions they call are real, so Japanese text must come back whole.
#include "base/win32/ansi_bridge/gdi32.h"
#include "base/win32/ansi_bridge/shell32_tray.h"
#include "base/win32/ansi_bridge/user32_messages.h"
#include "base/win32/ansi_bridge/user32_text.h"
#include "base/win32/ansi_bridge/user32_windows.h"
#include "base/win32/message_text.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qv::win {
namespace {

const std::wstring kJapanese = L"メモリ解放 Quorvane";  // 6 double-byte characters, 10 single

struct AnsiWindow {
    HWND handle;
    explicit AnsiWindow(const wchar_t* window_class, DWORD style = WS_POPUP, const wchar_t* title = L"")
        : handle(ansi::CreateWindowExW(0, window_class, title, style, 0, 0, 200, 200, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr)) {}
    ~AnsiWindow() { ::DestroyWindow(handle); }
};

TEST(AnsiBridge, WindowClassesAndTextsKeepJapaneseAndCountWideCharacters) {
    const wchar_t* class_name = L"QvAnsiテスト";
    WNDCLASSEXW registered{sizeof(registered)};
    registered.lpfnWndProc = &ansi::DefWindowProcW;
    registered.hInstance = ::GetModuleHandleW(nullptr);
    registered.lpszClassName = class_name;
    ASSERT_NE(ansi::RegisterClassExW(&registered), 0);
    WNDCLASSEXW found{sizeof(found)};
    ASSERT_TRUE(ansi::GetClassInfoExW(registered.hInstance, class_name, &found));
    EXPECT_EQ(found.lpszClassName, class_name);

    AnsiWindow window(class_name, WS_POPUP, kJapanese.c_str());
    ASSERT_TRUE(window.handle);
    EXPECT_EQ(ansi::FindWindowW(class_name, kJapanese.c_str()), window.handle);
    EXPECT_EQ(ansi::FindWindowW(nullptr, kJapanese.c_str()), window.handle);
    wchar_t name[64];
    EXPECT_EQ(ansi::GetClassNameW(window.handle, name, 64), 9);
    EXPECT_STREQ(name, class_name);

    const int length = static_cast<int>(kJapanese.size());
    EXPECT_EQ(ansi::GetWindowTextLengthW(window.handle), length);
    EXPECT_EQ(ansi::SendMessageW(window.handle, WM_GETTEXTLENGTH, 0, 0), length);
    // Capacity in wide characters: the text is cut to fit, terminated, never overflows.
    const struct {
        int capacity;
        std::wstring expected;
    } cuts[] = {{1, L""}, {3, kJapanese.substr(0, 2)}, {length, kJapanese.substr(0, length - 1)}, {length + 1, kJapanese},
                {100, kJapanese}};
    for (const auto& cut : cuts) {
        std::wstring buffer(102, L'#');
        EXPECT_EQ(ansi::GetWindowTextW(window.handle, buffer.data(), cut.capacity), static_cast<int>(cut.expected.size()));
        EXPECT_EQ(buffer.c_str(), cut.expected);
        EXPECT_EQ(buffer[static_cast<std::size_t>(cut.capacity)], L'#') << cut.capacity;
        buffer.assign(102, L'#');
        EXPECT_EQ(ansi::SendMessageW(window.handle, WM_GETTEXT, static_cast<WPARAM>(cut.capacity),
                                     reinterpret_cast<LPARAM>(buffer.data())),
                  static_cast<LRESULT>(cut.expected.size()));
        EXPECT_EQ(buffer.c_str(), cut.expected);
    }

    const std::wstring changed = L"設定";
    EXPECT_TRUE(ansi::SendMessageW(window.handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(changed.c_str())));
    wchar_t read[16];
    DWORD_PTR answer = 0;
    EXPECT_TRUE(ansi::SendMessageTimeoutW(window.handle, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(read), 0, 1000, &answer));
    EXPECT_EQ(answer, 2u);
    EXPECT_STREQ(read, L"設定");
    EXPECT_TRUE(ansi::SetWindowTextW(window.handle, kJapanese.c_str()));
    EXPECT_EQ(ansi::GetWindowTextLengthW(window.handle), length);
}

TEST(AnsiBridge, ControlMessagesCarryTheirTextsInTheAnsiForm) {
    AnsiWindow combo(L"COMBOBOX", WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS);
    ASSERT_EQ(ansi::SendMessageW(combo.handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"中央に表示")), 0);
    EXPECT_EQ(ansi::SendMessageW(combo.handle, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(L"中央に表示")), 0);
    EXPECT_EQ(ansi::SendMessageW(combo.handle, CB_GETLBTEXTLEN, 0, 0), 5);
    wchar_t item[6];
    EXPECT_EQ(ansi::SendMessageW(combo.handle, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item)), 5);
    EXPECT_STREQ(item, L"中央に表示");

    AnsiWindow tabs(WC_TABCONTROLW);
    TCITEMW tab{TCIF_TEXT};
    tab.pszText = const_cast<wchar_t*>(L"ホットキー");
    ASSERT_EQ(ansi::SendMessageW(tabs.handle, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab)), 0);
    wchar_t label[16];
    TCITEMW read{TCIF_TEXT};
    read.pszText = label;
    read.cchTextMax = 16;
    ASSERT_TRUE(::SendMessageW(tabs.handle, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_STREQ(label, L"ホットキー");

    AnsiWindow tips(TOOLTIPS_CLASSW);
    TTTOOLINFOW tool{TTTOOLINFOW_V2_SIZE};
    tool.hwnd = tabs.handle;
    tool.uId = 1;
    tool.lpszText = const_cast<wchar_t*>(L"空きメモリ");
    ASSERT_TRUE(ansi::SendMessageW(tips.handle, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    wchar_t text[80] = {};
    tool.lpszText = text;
    ::SendMessageW(tips.handle, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"空きメモリ");
    EXPECT_EQ(ansi::SendMessageW(tips.handle, TTM_GETTOOLCOUNT, 0, 0), 1);
    ansi::SendMessageW(tips.handle, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(ansi::SendMessageW(tips.handle, TTM_GETTOOLCOUNT, 0, 0), 0);

    HMENU menu = ::CreatePopupMenu();
    ASSERT_TRUE(ansi::AppendMenuW(menu, MF_STRING, 7, L"終了(&X)"));
    ASSERT_TRUE(ansi::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
    wchar_t entry[16];
    EXPECT_EQ(::GetMenuStringW(menu, 7, entry, 16, MF_BYCOMMAND), 6);
    EXPECT_STREQ(entry, L"終了(&X)");
    ::DestroyMenu(menu);
}

TEST(AnsiBridge, FontsAndSystemFontsComeBackWithTheirWideFaceNames) {
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::wcscpy(font.lfFaceName, L"ＭＳ Ｐゴシック");
    HFONT made = ansi::CreateFontIndirectW(&font);
    ASSERT_TRUE(made);
    LOGFONTW read{};
    EXPECT_EQ(ansi::GetObjectW(made, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_EQ(ansi::GetObjectW(made, sizeof(read), &read), static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_STREQ(read.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(read.lfHeight, -12);
    LOGBRUSH brush{};
    HBRUSH solid = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(ansi::GetObjectW(solid, sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
    ::DeleteObject(solid);

    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, made);
    TEXTMETRICW ours{}, system{};
    ASSERT_TRUE(ansi::GetTextMetricsW(dc, &ours));
    ASSERT_TRUE(::GetTextMetricsW(dc, &system));
    EXPECT_EQ(ours.tmHeight, system.tmHeight);
    EXPECT_EQ(ours.tmAveCharWidth, system.tmAveCharWidth);
    EXPECT_EQ(ours.tmCharSet, system.tmCharSet);
    RECT drawn{}, expected{};
    EXPECT_EQ(ansi::DrawTextW(dc, kJapanese.c_str(), -1, &drawn, DT_CALCRECT | DT_SINGLELINE),
              ::DrawTextW(dc, kJapanese.c_str(), -1, &expected, DT_CALCRECT | DT_SINGLELINE));
    EXPECT_EQ(drawn.right, expected.right);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(made);

    NONCLIENTMETRICSW metrics{sizeof(metrics)}, system_metrics{sizeof(system_metrics)};
    ASSERT_TRUE(ansi::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(system_metrics), &system_metrics, 0));
    EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, system_metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(metrics.iCaptionHeight, system_metrics.iCaptionHeight);
    LOGFONTW icon{}, system_icon{};
    ASSERT_TRUE(ansi::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0));
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(system_icon), &system_icon, 0));
    EXPECT_STREQ(icon.lfFaceName, system_icon.lfFaceName);
}

// Fixed ANSI fields (the tray's 64-byte tip, a tooltip's 80-byte answer) hold whole characters only.
TEST(AnsiBridge, FixedFieldsAreCutAtWholeCharacters) {
    const struct {
        std::wstring tip;
        std::size_t bytes;
    } tips[] = {
        {std::wstring(70, L'a'), 63},
        {std::wstring(40, L'あ'), 62},
        {L"a" + std::wstring(40, L'あ'), 63},
        {L"物理 50%", 8},
    };
    for (const auto& c : tips) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.uFlags = NIF_TIP | NIF_ICON | NIF_INFO;
        c.tip.copy(data.szTip, c.tip.size());
        const NOTIFYICONDATAA ansi = ansi::ansi_notify_icon_data(data);
        EXPECT_EQ(ansi.cbSize, NOTIFYICONDATAA_V1_SIZE);
        EXPECT_EQ(ansi.uFlags, static_cast<UINT>(NIF_TIP | NIF_ICON));
        EXPECT_EQ(std::strlen(ansi.szTip), c.bytes) << c.bytes;
        EXPECT_GT(::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.szTip, -1, nullptr, 0), 0)
            << "a broken character";
    }

    NMTTDISPINFOA ansi_request{};
    ansi_request.hdr.code = TTN_GETDISPINFOA;
    NMTTDISPINFOW wide_request{};
    wide_request.hdr.code = TTN_GETDISPINFOW;
    const std::wstring long_tip(50, L'空');
    ASSERT_TRUE(asks_for_tip_text(ansi_request.hdr) && asks_for_tip_text(wide_request.hdr));
    answer_tip_text(ansi_request.hdr, long_tip);
    answer_tip_text(wide_request.hdr, long_tip);
    EXPECT_EQ(ansi_request.lpszText, ansi_request.szText);
    EXPECT_EQ(std::strlen(ansi_request.szText), 78u);
    EXPECT_EQ(std::wstring(wide_request.lpszText), long_tip);
}

// A double-byte character reaches an ANSI window in two WM_CHAR messages; a wide window gets it whole.
TEST(AnsiBridge, TypedCharactersAreWholeBeforeTheyAreJudged) {
    AnsiWindow ansi_window(L"STATIC");
    const HWND ansi = ansi_window.handle;
    TypedCharacters typed;
    EXPECT_EQ(typed.take(ansi, '5')->character, L'5');
    EXPECT_FALSE(typed.take(ansi, 0x82));  // full-width zero in Shift-JIS: 82 4F
    const auto zero = typed.take(ansi, 0x4F);
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->character, L'０');
    EXPECT_EQ(zero->lead_byte, 0x82u);
    EXPECT_EQ(typed.take(ansi, 0xB1)->character, L'ｱ');  // half-width katakana: one byte
    EXPECT_EQ(message_text(ansi, reinterpret_cast<LPARAM>("\x90\xdd\x92\xe8")), L"設定");

    HWND wide = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(typed.take(wide, L'０')->character, L'０');
    EXPECT_EQ(message_text(wide, reinterpret_cast<LPARAM>(L"設定")), L"設定");
    ::DestroyWindow(wide);
}

} // namespace
} // namespace qv::win
