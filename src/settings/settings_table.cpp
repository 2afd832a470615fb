#include "settings/settings_table.h"

#include <array>

namespace qv::settings {
namespace {

struct ItemRow {
    const wchar_t* name;
    const wchar_t* section;
    const wchar_t* ident;
    const wchar_t* default_value;
};

// Spellings matter: "Hotkey" and "HotKey" are one section (names match without regard to case), and
// ISC0 is stored under "Isc0"; files already written depend on both.
constexpr std::array<ItemRow, 52> kItems{{
    {L"CleanValue", L"Clean", L"CleanValue", L"-1"},
    {L"AutoClean", L"Clean", L"AutoClean", L"False"},
    {L"AutoCleanTime", L"Clean", L"AutoCleanTime", L"20"},
    {L"AutoCleanMemory", L"Clean", L"AutoCleanMemory", L"16"},
    {L"AutoCleanCPU", L"Clean", L"AutoCleanCPU", L"85"},
    {L"ACChk", L"Clean", L"ACChk", L"False"},
    {L"ACMChk", L"Clean", L"ACMChk", L"False"},
    {L"ACCChk", L"Clean", L"ACCChk", L"False"},
    {L"TopMost", L"Window", L"TopMost", L"False"},
    {L"Tasktray", L"Window", L"Tasktray", L"False"},
    {L"ACTChk", L"Clean", L"ACTChk", L"False"},
    {L"RefreshTime", L"Window", L"RefreshTime", L"2000"},
    {L"FormLeft", L"Window", L"FormLeft", L"100"},
    {L"FormTop", L"Window", L"FormTop", L"100"},
    {L"IconMenu", L"Window", L"IconMenu", L"6"},
    {L"Alarm", L"Window", L"Alarm", L"False"},
    {L"AlarmValue", L"Window", L"AlarmValue", L"20"},
    {L"Snap", L"Window", L"Snap", L"True"},
    {L"HotKeyClean", L"Hotkey", L"HotkeyClean", L""},
    {L"HotKeyWindow", L"Hotkey", L"HotkeyWindow", L""},
    {L"HotKeySet", L"HotKey", L"HotKeySet", L""},
    {L"HotKeyAutoHide", L"HotKey", L"HotKeyAutoHide", L""},
    {L"HotKeyStop", L"HotKey", L"HotKeyStop", L""},
    {L"WindowFontStyle", L"Design", L"WindowFontStyle", L"1"},
    {L"WindowFont", L"Design", L"WindowFont", L""},
    {L"WindowColor", L"Design", L"WindowColor", L"$00FF8000"},
    {L"GaugeColor1", L"Design", L"GaugeColor1", L"clAqua"},
    {L"GaugeColor2", L"Design", L"GaugeColor2", L"$00FF8000"},
    {L"GaugeBackColor", L"Design", L"GaugeBackColor", L"clWhite"},
    {L"GaugeFontStyle", L"Design", L"GaugeFontStyle", L"1"},
    {L"GaugeFont", L"Design", L"GaugeFont", L""},
    {L"TitleFont", L"Design", L"TitleFont", L""},
    {L"TitleFontStyle", L"Design", L"TitleFontStyle", L"1"},
    {L"ButtonFontColor", L"Design", L"ButtonFontColor", L"clWhite"},
    {L"ButtonColor", L"Design", L"ButtonColor", L"$00FF8000"},
    {L"ButtonFrameColor", L"Design", L"ButtonFrameColor", L"clWhite"},
    {L"AIcons", L"Window", L"AIcons", L"0000"},
    {L"ISC0", L"Design", L"Isc0", L"clWhite"},
    {L"ISC1", L"Design", L"ISC1", L"clWhite"},
    {L"ISC2", L"Design", L"ISC2", L"clWhite"},
    {L"ISC3", L"Design", L"ISC3", L"clWhite"},
    {L"ISC4", L"Design", L"ISC4", L"clWhite"},
    {L"IBC0", L"Design", L"IBC0", L"clBlue"},
    {L"IBC1", L"Design", L"IBC1", L"clBlue"},
    {L"IBC2", L"Design", L"IBC2", L"clBlue"},
    {L"IBC3", L"Design", L"IBC3", L"clBlue"},
    {L"IBC4", L"Design", L"IBC4", L"clBlue"},
    {L"TransFlag", L"Window", L"TransFlag", L"False"},
    {L"BackImage", L"Design", L"BackImage", L""},
    {L"WD", L"Design", L"WD", L"0"},
    {L"SkinFileName", L"Design", L"SkinFileName", L""},
    {L"AutoHide", L"Window", L"AutoHide", L"False"},
}};

} // namespace

TRegItems main_store_items() {
    std::vector<TRegItem> items;
    items.reserve(kItems.size());
    for (const auto& row : kItems) {
        items.push_back({row.name, row.section, row.ident, row.default_value});
    }
    return TRegItems(std::move(items));
}

TRegManager make_main_store(const StoreServices& services) {
    return TRegManager(services, main_store_items(), TRegType::rtIni);
}

} // namespace qv::settings
