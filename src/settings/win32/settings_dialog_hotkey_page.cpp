#include "settings/win32/settings_dialog_pages.h"

#include <commctrl.h>

#include "settings/hotkey_control_value.h"

namespace qv::settings::win32 {
namespace {

std::uint16_t hotkey_of(HWND control) {
    return hotkey_from_control(static_cast<unsigned>(::SendMessageW(control, HKM_GETHOTKEY, 0, 0)) & 0xFFFFu);
}

void set_hotkey(HWND control, std::uint16_t value) {
    ::SendMessageW(control, HKM_SETHOTKEY, hotkey_to_control(value), 0);
}

} // namespace

THotKeyPage::THotKeyPage(HWND dialog, const RECT& area, HFONT font) : TSettingsPage(dialog, area, font) {
    const int width = Width();
    constexpr int kFirstRow = 38, kRowHeight = 32, kFieldWidth = 150;
    AddGroup(8, 6, width - 16, kFirstRow + 4 * kRowHeight + 26, L"ホットキーの設定");
    const int field_x = width - 24 - kFieldWidth;
    struct Row {
        const wchar_t* label;
        int id;
        HWND* control;
    };
    const Row rows[] = {
        {L"設定値でのメモリの最適化", kHotKeyCleanId, &HotKeyClean},
        {L"ウインドウの表示/非表示", kHotKeyWindowId, &HotKeyWindow},
        {L"設定の表示", kHotKeySetId, &HotKeySet},
        {L"監視の一時停止/解除", kHotKeyStopId, &HotKeyStop},
        {L"ウインドウを隠す/隠さない", kHotKeyAutoHideId, &HotKeyAutoHide},
    };
    int middle = kFirstRow;
    for (const Row& row : rows) {
        AddLabel(20, middle, row.label);
        *row.control = AddHotKey(field_x, middle, kFieldWidth, row.id);
        middle += kRowHeight;
    }
}

void THotKeyPage::Load(const DialogValues& values) {
    set_hotkey(HotKeyWindow, values.HotKeyWindow);
    set_hotkey(HotKeyClean, values.HotKeyClean);
    set_hotkey(HotKeySet, values.HotKeySet);
    set_hotkey(HotKeyStop, values.HotKeyStop);
    set_hotkey(HotKeyAutoHide, values.HotKeyAutoHide);
}

void THotKeyPage::Collect(DialogValues& values) const {
    values.HotKeyWindow = hotkey_of(HotKeyWindow);
    values.HotKeyClean = hotkey_of(HotKeyClean);
    values.HotKeySet = hotkey_of(HotKeySet);
    values.HotKeyStop = hotkey_of(HotKeyStop);
    values.HotKeyAutoHide = hotkey_of(HotKeyAutoHide);
}

} // namespace qv::settings::win32
