#include "settings/settings_dialog_values.h"

namespace qv::settings {
namespace {

std::wstring amount_message(std::int64_t total_mb) {
    return L"0より上で" + std::to_wstring(total_mb) + L"以下の整数値を入力してください";
}

constexpr wchar_t kPercentMessage[] = L"0より上で100以下の整数値を入力してください";

struct HotkeyItem {
    const wchar_t* name;
    std::uint16_t DialogValues::*value;
};

// The order in which they are written: a fresh file's hotkey section takes the spelling of the first.
constexpr HotkeyItem kHotkeys[] = {
    {L"HotKeyWindow", &DialogValues::HotKeyWindow}, {L"HotKeyClean", &DialogValues::HotKeyClean},
    {L"HotKeySet", &DialogValues::HotKeySet},       {L"HotKeyStop", &DialogValues::HotKeyStop},
    {L"HotKeyAutoHide", &DialogValues::HotKeyAutoHide},
};

} // namespace

std::optional<CheckFailure> check_dialog_values(const DialogValues& v, std::int64_t total_mb) {
    auto within = [](std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; };
    if (!within(v.CleanValue, 1, total_mb)) return CheckFailure{DialogField::Edit1, amount_message(total_mb)};
    if (!within(v.RefreshTime, 100, 5000)) {
        return CheckFailure{DialogField::Edit2, L"100以上5000以下の整数値を入力してください"};
    }
    if (!within(v.AutoCleanMemory, 1, total_mb)) {
        return CheckFailure{DialogField::AutoCleanMemory, amount_message(total_mb)};
    }
    if (v.AutoCleanTime < 1) return CheckFailure{DialogField::AutoCleanTime, L"1以上の整数値を入力してください"};
    if (!within(v.AutoCleanCPU, 1, 100)) return CheckFailure{DialogField::AutoCleanCPU, kPercentMessage};
    if (!within(v.AlarmValue, 1, 100)) return CheckFailure{DialogField::AlarmValue, kPercentMessage};
    if (v.ACChk && !v.ACMChk && !v.ACTChk && !v.ACCChk) {
        return CheckFailure{DialogField::None, L"自動確保する方法について選択してください"};
    }
    return std::nullopt;
}

std::optional<std::wstring> text_field_failure(std::wstring_view caption, std::wstring_view text) {
    if (ini::storable_value(text)) return std::nullopt;
    return L"「" + std::wstring(caption) + L"」の内容は設定ファイルに保存できません";
}

DialogValues read_dialog_values(TRegManager& RM, const KeyLayout& layout) {
    DialogValues v;
    v.CleanValue = RM.Filer(L"CleanValue").ReadInteger();
    v.Tasktray = RM.Filer(L"Tasktray").ReadBool();
    v.ACChk = RM.Filer(L"ACChk").ReadBool();
    v.ACMChk = RM.Filer(L"ACMChk").ReadBool();
    v.AutoCleanMemory = RM.Filer(L"AutoCleanMemory").ReadInteger();
    v.AutoCleanTime = RM.Filer(L"AutoCleanTime").ReadInteger();
    v.TopMost = RM.Filer(L"TopMost").ReadBool();
    v.ACTChk = RM.Filer(L"ACTChk").ReadBool();
    v.ACCChk = RM.Filer(L"ACCChk").ReadBool();
    v.AutoCleanCPU = RM.Filer(L"AutoCleanCPU").ReadInteger();
    v.RefreshTime = RM.Filer(L"RefreshTime").ReadInteger();
    v.Alarm = RM.Filer(L"Alarm").ReadBool();
    v.AlarmValue = RM.Filer(L"AlarmValue").ReadInteger();
    v.Snap = RM.Filer(L"Snap").ReadBool();
    v.AutoHide = RM.Filer(L"AutoHide").ReadBool();
    v.TransFlag = RM.Filer(L"TransFlag").ReadBool();
    for (const HotkeyItem& item : kHotkeys) v.*item.value = text_to_hotkey(RM.Filer(item.name).ReadString(), layout);
    return v;
}

void write_dialog_values(TRegManager& RM, const DialogValues& v, const KeyLayout& layout) {
    RM.Filer(L"ACChk").WriteBool(v.ACChk);
    RM.Filer(L"ACMChk").WriteBool(v.ACMChk);
    RM.Filer(L"AutoCleanMemory").WriteInteger(v.AutoCleanMemory);
    RM.Filer(L"AutoCleanTime").WriteInteger(v.AutoCleanTime);
    RM.Filer(L"ACTChk").WriteBool(v.ACTChk);
    RM.Filer(L"CleanValue").WriteInteger(v.CleanValue);
    RM.Filer(L"TopMost").WriteBool(v.TopMost);
    RM.Filer(L"Tasktray").WriteBool(v.Tasktray);
    RM.Filer(L"ACCChk").WriteBool(v.ACCChk);
    RM.Filer(L"AutoCleanCPU").WriteInteger(v.AutoCleanCPU);
    RM.Filer(L"RefreshTime").WriteInteger(v.RefreshTime);
    RM.Filer(L"Alarm").WriteBool(v.Alarm);
    RM.Filer(L"AlarmValue").WriteInteger(v.AlarmValue);
    RM.Filer(L"Snap").WriteBool(v.Snap);
    RM.Filer(L"AutoHide").WriteBool(v.AutoHide);
    for (const HotkeyItem& item : kHotkeys) RM.Filer(item.name).WriteString(hotkey_to_text(v.*item.value, layout));
}

} // namespace qv::settings
