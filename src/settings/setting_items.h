#pragma once
// The main window's settings: every item the program reads or writes, with its section, key, default
// and type. The table below is the only place a key, a section or a default is written; the program
// reaches an item only through its definition in `items`, so a misspelt name or an operation of
// another type does not compile:
//
//     RM.Filer(items::RefreshTime).ReadInteger();
//     RM.Filer(items::WindowColor).WriteColor(0x00FF8000);
//
// The store still finds the item by its name at every use, as a lookup by text would.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/reg_manager.h"

namespace qv::settings {

// What an item holds, and so which operations its filer offers.
enum class ItemKind { Text, Integer, Bool, ColorValue, Font };

struct ItemRow {
    std::wstring_view name;
    std::wstring_view section;
    std::wstring_view ident;
    std::wstring_view default_value;
    ItemKind kind;
};

// Spellings matter: "Hotkey" and "HotKey" are one section (names match without regard to case), and
// ISC0 is stored under "Isc0"; files already written depend on both.
inline constexpr std::array<ItemRow, 52> kItemTable{{
    {L"CleanValue", L"Clean", L"CleanValue", L"-1", ItemKind::Integer},
    {L"AutoClean", L"Clean", L"AutoClean", L"False", ItemKind::Bool},
    {L"AutoCleanTime", L"Clean", L"AutoCleanTime", L"20", ItemKind::Integer},
    {L"AutoCleanMemory", L"Clean", L"AutoCleanMemory", L"16", ItemKind::Integer},
    {L"AutoCleanCPU", L"Clean", L"AutoCleanCPU", L"85", ItemKind::Integer},
    {L"ACChk", L"Clean", L"ACChk", L"False", ItemKind::Bool},
    {L"ACMChk", L"Clean", L"ACMChk", L"False", ItemKind::Bool},
    {L"ACCChk", L"Clean", L"ACCChk", L"False", ItemKind::Bool},
    {L"TopMost", L"Window", L"TopMost", L"False", ItemKind::Bool},
    {L"Tasktray", L"Window", L"Tasktray", L"False", ItemKind::Bool},
    {L"ACTChk", L"Clean", L"ACTChk", L"False", ItemKind::Bool},
    {L"RefreshTime", L"Window", L"RefreshTime", L"2000", ItemKind::Integer},
    {L"FormLeft", L"Window", L"FormLeft", L"100", ItemKind::Integer},
    {L"FormTop", L"Window", L"FormTop", L"100", ItemKind::Integer},
    {L"IconMenu", L"Window", L"IconMenu", L"6", ItemKind::Integer},
    {L"Alarm", L"Window", L"Alarm", L"False", ItemKind::Bool},
    {L"AlarmValue", L"Window", L"AlarmValue", L"20", ItemKind::Integer},
    {L"Snap", L"Window", L"Snap", L"True", ItemKind::Bool},
    {L"HotKeyClean", L"Hotkey", L"HotkeyClean", L"", ItemKind::Text},
    {L"HotKeyWindow", L"Hotkey", L"HotkeyWindow", L"", ItemKind::Text},
    {L"HotKeySet", L"HotKey", L"HotKeySet", L"", ItemKind::Text},
    {L"HotKeyAutoHide", L"HotKey", L"HotKeyAutoHide", L"", ItemKind::Text},
    {L"HotKeyStop", L"HotKey", L"HotKeyStop", L"", ItemKind::Text},
    {L"WindowFontStyle", L"Design", L"WindowFontStyle", L"1", ItemKind::Integer},
    {L"WindowFont", L"Design", L"WindowFont", L"", ItemKind::Font},
    {L"WindowColor", L"Design", L"WindowColor", L"$00FF8000", ItemKind::ColorValue},
    {L"GaugeColor1", L"Design", L"GaugeColor1", L"clAqua", ItemKind::ColorValue},
    {L"GaugeColor2", L"Design", L"GaugeColor2", L"$00FF8000", ItemKind::ColorValue},
    {L"GaugeBackColor", L"Design", L"GaugeBackColor", L"clWhite", ItemKind::ColorValue},
    {L"GaugeFontStyle", L"Design", L"GaugeFontStyle", L"1", ItemKind::Integer},
    {L"GaugeFont", L"Design", L"GaugeFont", L"", ItemKind::Font},
    {L"TitleFont", L"Design", L"TitleFont", L"", ItemKind::Font},
    {L"TitleFontStyle", L"Design", L"TitleFontStyle", L"1", ItemKind::Integer},
    {L"ButtonFontColor", L"Design", L"ButtonFontColor", L"clWhite", ItemKind::ColorValue},
    {L"ButtonColor", L"Design", L"ButtonColor", L"$00FF8000", ItemKind::ColorValue},
    {L"ButtonFrameColor", L"Design", L"ButtonFrameColor", L"clWhite", ItemKind::ColorValue},
    {L"AIcons", L"Window", L"AIcons", L"0000", ItemKind::Text},
    {L"ISC0", L"Design", L"Isc0", L"clWhite", ItemKind::ColorValue},
    {L"ISC1", L"Design", L"ISC1", L"clWhite", ItemKind::ColorValue},
    {L"ISC2", L"Design", L"ISC2", L"clWhite", ItemKind::ColorValue},
    {L"ISC3", L"Design", L"ISC3", L"clWhite", ItemKind::ColorValue},
    {L"ISC4", L"Design", L"ISC4", L"clWhite", ItemKind::ColorValue},
    {L"IBC0", L"Design", L"IBC0", L"clBlue", ItemKind::ColorValue},
    {L"IBC1", L"Design", L"IBC1", L"clBlue", ItemKind::ColorValue},
    {L"IBC2", L"Design", L"IBC2", L"clBlue", ItemKind::ColorValue},
    {L"IBC3", L"Design", L"IBC3", L"clBlue", ItemKind::ColorValue},
    {L"IBC4", L"Design", L"IBC4", L"clBlue", ItemKind::ColorValue},
    {L"TransFlag", L"Window", L"TransFlag", L"False", ItemKind::Bool},
    {L"BackImage", L"Design", L"BackImage", L"", ItemKind::Text},
    {L"WD", L"Design", L"WD", L"0", ItemKind::Integer},
    {L"SkinFileName", L"Design", L"SkinFileName", L"", ItemKind::Text},
    {L"AutoHide", L"Window", L"AutoHide", L"False", ItemKind::Bool},
}};

// The filer of one item: only the operations of the item's type.
template <ItemKind K>
class ItemFiler {
public:
    explicit ItemFiler(TRegFiler& filer) : filer_(filer) {}

    std::wstring ReadString() requires(K == ItemKind::Text) { return filer_.ReadString(); }
    void WriteString(std::wstring_view text) requires(K == ItemKind::Text) { filer_.WriteString(text); }
    std::int32_t ReadInteger() requires(K == ItemKind::Integer) { return filer_.ReadInteger(); }
    void WriteInteger(std::int32_t value) requires(K == ItemKind::Integer) { filer_.WriteInteger(value); }
    bool ReadBool() requires(K == ItemKind::Bool) { return filer_.ReadBool(); }
    void WriteBool(bool value) requires(K == ItemKind::Bool) { filer_.WriteBool(value); }
    Color ReadColor() requires(K == ItemKind::ColorValue) { return filer_.ReadColor(); }
    void WriteColor(Color color) requires(K == ItemKind::ColorValue) { filer_.WriteColor(color); }
    void ReadFont(FontSpec& font) requires(K == ItemKind::Font) { filer_.ReadFont(font); }
    void WriteFont(const FontSpec& font) requires(K == ItemKind::Font) { filer_.WriteFont(font); }

private:
    TRegFiler& filer_;
};

// One item of the table, by its name. Made only at compile time, and only for a name the table holds
// with this type: anything else fails to compile.
template <ItemKind K>
class Item {
public:
    using Filer = ItemFiler<K>;

    consteval explicit Item(std::wstring_view name) : name_(name) {
        bool found = false;
        for (const ItemRow& row : kItemTable) found = found || (row.name == name && row.kind == K);
        if (!found) throw "not an item of the table with this type";
    }
    constexpr std::wstring_view name() const noexcept { return name_; }

private:
    std::wstring_view name_;
};

using TextItem = Item<ItemKind::Text>;
using IntegerItem = Item<ItemKind::Integer>;
using BoolItem = Item<ItemKind::Bool>;
using ColorItem = Item<ItemKind::ColorValue>;
using FontItem = Item<ItemKind::Font>;

namespace items {

inline constexpr IntegerItem CleanValue{L"CleanValue"};
inline constexpr BoolItem AutoClean{L"AutoClean"};
inline constexpr IntegerItem AutoCleanTime{L"AutoCleanTime"};
inline constexpr IntegerItem AutoCleanMemory{L"AutoCleanMemory"};
inline constexpr IntegerItem AutoCleanCPU{L"AutoCleanCPU"};
inline constexpr BoolItem ACChk{L"ACChk"};
inline constexpr BoolItem ACMChk{L"ACMChk"};
inline constexpr BoolItem ACCChk{L"ACCChk"};
inline constexpr BoolItem TopMost{L"TopMost"};
inline constexpr BoolItem Tasktray{L"Tasktray"};
inline constexpr BoolItem ACTChk{L"ACTChk"};
inline constexpr IntegerItem RefreshTime{L"RefreshTime"};
inline constexpr IntegerItem FormLeft{L"FormLeft"};
inline constexpr IntegerItem FormTop{L"FormTop"};
inline constexpr IntegerItem IconMenu{L"IconMenu"};
inline constexpr BoolItem Alarm{L"Alarm"};
inline constexpr IntegerItem AlarmValue{L"AlarmValue"};
inline constexpr BoolItem Snap{L"Snap"};
inline constexpr TextItem HotKeyClean{L"HotKeyClean"};
inline constexpr TextItem HotKeyWindow{L"HotKeyWindow"};
inline constexpr TextItem HotKeySet{L"HotKeySet"};
inline constexpr TextItem HotKeyAutoHide{L"HotKeyAutoHide"};
inline constexpr TextItem HotKeyStop{L"HotKeyStop"};
inline constexpr IntegerItem WindowFontStyle{L"WindowFontStyle"};
inline constexpr FontItem WindowFont{L"WindowFont"};
inline constexpr ColorItem WindowColor{L"WindowColor"};
inline constexpr ColorItem GaugeColor1{L"GaugeColor1"};
inline constexpr ColorItem GaugeColor2{L"GaugeColor2"};
inline constexpr ColorItem GaugeBackColor{L"GaugeBackColor"};
inline constexpr IntegerItem GaugeFontStyle{L"GaugeFontStyle"};
inline constexpr FontItem GaugeFont{L"GaugeFont"};
inline constexpr FontItem TitleFont{L"TitleFont"};
inline constexpr IntegerItem TitleFontStyle{L"TitleFontStyle"};
inline constexpr ColorItem ButtonFontColor{L"ButtonFontColor"};
inline constexpr ColorItem ButtonColor{L"ButtonColor"};
inline constexpr ColorItem ButtonFrameColor{L"ButtonFrameColor"};
inline constexpr TextItem AIcons{L"AIcons"};
inline constexpr ColorItem ISC0{L"ISC0"};
inline constexpr ColorItem ISC1{L"ISC1"};
inline constexpr ColorItem ISC2{L"ISC2"};
inline constexpr ColorItem ISC3{L"ISC3"};
inline constexpr ColorItem ISC4{L"ISC4"};
inline constexpr ColorItem IBC0{L"IBC0"};
inline constexpr ColorItem IBC1{L"IBC1"};
inline constexpr ColorItem IBC2{L"IBC2"};
inline constexpr ColorItem IBC3{L"IBC3"};
inline constexpr ColorItem IBC4{L"IBC4"};
inline constexpr BoolItem TransFlag{L"TransFlag"};
inline constexpr TextItem BackImage{L"BackImage"};
inline constexpr IntegerItem WD{L"WD"};
inline constexpr TextItem SkinFileName{L"SkinFileName"};
inline constexpr BoolItem AutoHide{L"AutoHide"};

// The five hotkeys, by the index they are registered under (1 to 5), which is also the order the
// settings dialog writes them in: a fresh file's hotkey section takes the spelling of the first.
inline constexpr std::array<TextItem, 5> kHotkeys{HotKeyWindow, HotKeyClean, HotKeySet, HotKeyStop, HotKeyAutoHide};

// The tray numbers' colours, by metric kind 1 to 5 (index kind - 1).
inline constexpr std::array<ColorItem, 5> kIconTextColors{ISC0, ISC1, ISC2, ISC3, ISC4};
inline constexpr std::array<ColorItem, 5> kIconBackColors{IBC0, IBC1, IBC2, IBC3, IBC4};

} // namespace items

// The automatic optimization's items, read into any record with members of their names: the main
// window's timers and the settings dialog read the same eight.
template <class Record>
void read_optimization_items(TRegManager& RM, Record& r) {
    r.ACChk = RM.Filer(items::ACChk).ReadBool();
    r.ACTChk = RM.Filer(items::ACTChk).ReadBool();
    r.ACMChk = RM.Filer(items::ACMChk).ReadBool();
    r.ACCChk = RM.Filer(items::ACCChk).ReadBool();
    r.AutoCleanTime = RM.Filer(items::AutoCleanTime).ReadInteger();
    r.AutoCleanMemory = RM.Filer(items::AutoCleanMemory).ReadInteger();
    r.AutoCleanCPU = RM.Filer(items::AutoCleanCPU).ReadInteger();
    r.CleanValue = RM.Filer(items::CleanValue).ReadInteger();
}

} // namespace qv::settings
