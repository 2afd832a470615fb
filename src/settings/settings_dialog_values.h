#pragma once
// The values the settings dialog's pages "メモリの最適化", "表示関連" and "操作関連" edit, as one plain
// record: read from the store when the dialog opens, checked when the user leaves a page or presses OK,
// and written back on OK in a fixed order.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/hotkey_text.h"
#include "settings/reg_manager.h"

namespace qv::settings {

struct DialogValues {
    // "メモリの最適化"
    std::int32_t CleanValue = 0;  // Edit1
    bool ACChk = false;
    bool ACMChk = false;
    bool ACTChk = false;
    bool ACCChk = false;
    std::int32_t AutoCleanMemory = 0;
    std::int32_t AutoCleanTime = 0;
    std::int32_t AutoCleanCPU = 0;
    // "表示関連"
    std::int32_t RefreshTime = 0;  // Edit2
    bool TopMost = false;
    bool Tasktray = false;
    bool Alarm = false;
    std::int32_t AlarmValue = 0;
    bool Snap = false;
    bool TransFlag = false;  // the check box Trans; written with the design items
    bool AutoHide = false;
    // "操作関連": hotkey values, 0 for none
    std::uint16_t HotKeyWindow = 0;
    std::uint16_t HotKeyClean = 0;
    std::uint16_t HotKeySet = 0;
    std::uint16_t HotKeyStop = 0;
    std::uint16_t HotKeyAutoHide = 0;

    friend bool operator==(const DialogValues&, const DialogValues&) = default;
};

// The number fields a check can find fault with.
enum class DialogField { None, Edit1, Edit2, AutoCleanMemory, AutoCleanTime, AutoCleanCPU, AlarmValue };

struct CheckFailure {
    DialogField field = DialogField::None;  // the field whose text is selected; None for the choice of triggers
    std::wstring message;
};

// The checks in their order; the first that fails, or nothing when all pass. Disabled fields are
// checked too: their values are written all the same.
std::optional<CheckFailure> check_dialog_values(const DialogValues& values, std::int64_t total_mb);

// OK's check of a field of free text (the picture's or the skin's path), after the checks above: the
// message naming the field when no settings file could hold its text (a line break in it); nothing
// when it can be stored.
std::optional<std::wstring> text_field_failure(std::wstring_view caption, std::wstring_view text);

// The stored values as they stand (the dialog's fields clamp them to their ranges).
DialogValues read_dialog_values(TRegManager& RM, const KeyLayout& layout);

// Writes the page values in the dialog's order, the hotkeys last as texts ("" for none). TransFlag is
// not written here: it belongs among the design items.
void write_dialog_values(TRegManager& RM, const DialogValues& values, const KeyLayout& layout);

} // namespace qv::settings
