#include "settings/settings_dialog_values.h"

#include <iterator>

#include "settings/setting_items.h"

namespace qv::settings {
namespace {

std::wstring amount_message(std::int64_t total_mb) {
    return L"0より上で" + std::to_wstring(total_mb) + L"以下の整数値を入力してください";
}

constexpr wchar_t kPercentMessage[] = L"0より上で100以下の整数値を入力してください";

// The hotkey values in the order of items::kHotkeys.
constexpr std::uint16_t DialogValues::*kHotkeyValues[] = {&DialogValues::HotKeyWindow, &DialogValues::HotKeyClean,
                                                          &DialogValues::HotKeySet, &DialogValues::HotKeyStop,
                                                          &DialogValues::HotKeyAutoHide};
static_assert(std::size(kHotkeyValues) == items::kHotkeys.size());

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
    read_optimization_items(RM, v);
    v.Tasktray = RM.Filer(items::Tasktray).ReadBool();
    v.TopMost = RM.Filer(items::TopMost).ReadBool();
    v.RefreshTime = RM.Filer(items::RefreshTime).ReadInteger();
    v.Alarm = RM.Filer(items::Alarm).ReadBool();
    v.AlarmValue = RM.Filer(items::AlarmValue).ReadInteger();
    v.Snap = RM.Filer(items::Snap).ReadBool();
    v.AutoHide = RM.Filer(items::AutoHide).ReadBool();
    v.TransFlag = RM.Filer(items::TransFlag).ReadBool();
    for (size_t i = 0; i < items::kHotkeys.size(); ++i) {
        v.*kHotkeyValues[i] = text_to_hotkey(RM.Filer(items::kHotkeys[i]).ReadString(), layout);
    }
    return v;
}

void write_dialog_values(TRegManager& RM, const DialogValues& v, const KeyLayout& layout) {
    RM.Filer(items::ACChk).WriteBool(v.ACChk);
    RM.Filer(items::ACMChk).WriteBool(v.ACMChk);
    RM.Filer(items::AutoCleanMemory).WriteInteger(v.AutoCleanMemory);
    RM.Filer(items::AutoCleanTime).WriteInteger(v.AutoCleanTime);
    RM.Filer(items::ACTChk).WriteBool(v.ACTChk);
    RM.Filer(items::CleanValue).WriteInteger(v.CleanValue);
    RM.Filer(items::TopMost).WriteBool(v.TopMost);
    RM.Filer(items::Tasktray).WriteBool(v.Tasktray);
    RM.Filer(items::ACCChk).WriteBool(v.ACCChk);
    RM.Filer(items::AutoCleanCPU).WriteInteger(v.AutoCleanCPU);
    RM.Filer(items::RefreshTime).WriteInteger(v.RefreshTime);
    RM.Filer(items::Alarm).WriteBool(v.Alarm);
    RM.Filer(items::AlarmValue).WriteInteger(v.AlarmValue);
    RM.Filer(items::Snap).WriteBool(v.Snap);
    RM.Filer(items::AutoHide).WriteBool(v.AutoHide);
    for (size_t i = 0; i < items::kHotkeys.size(); ++i) {
        RM.Filer(items::kHotkeys[i]).WriteString(hotkey_to_text(v.*kHotkeyValues[i], layout));
    }
}

} // namespace qv::settings
