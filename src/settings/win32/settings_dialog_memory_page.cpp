#include "settings/win32/settings_dialog_pages.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

namespace qv::settings::win32 {
namespace {

constexpr int kFieldWidth = 50;

} // namespace

void LinkToTrackBar(controls::TSpinNumberEdit& edit, HWND bar) {
    edit.OnChange = [bar](controls::TSpinNumberEdit& sender) {
        ::SendMessageW(bar, TBM_SETPOS, TRUE, sender.Value());
    };
}

void FollowTrackBar(controls::TSpinNumberEdit& edit, HWND bar) {
    edit.SetValue(static_cast<std::int32_t>(::SendMessageW(bar, TBM_GETPOS, 0, 0)));
}

TMemoryPage::TMemoryPage(HWND dialog, const RECT& area, HFONT font, std::int64_t total_mb)
    : TSettingsPage(dialog, area, font) {
    const int total = static_cast<int>(std::clamp<std::int64_t>(total_mb, 0, std::numeric_limits<std::int32_t>::max()));
    const int width = Width();

    AddGroup(8, 6, width - 16, 64, L"物理メモリを最適化する量");
    constexpr int kAmountRow = 40;
    const int mb_label = TextWidth(L"MB");
    const int edit1_x = width - 24 - mb_label - 4 - 80;
    Edit1 = AddSpin(edit1_x, kAmountRow, 80, kEdit1Id, 0, total);
    AddLabel(RightOf(Edit1->handle()) + 4, kAmountRow, L"MB");
    TrackBar1 = AddTrackBar(16, kAmountRow, edit1_x - 8 - 16, TBS_BOTTOM, kTrackBar1Id, total);
    LinkToTrackBar(*Edit1, TrackBar1);

    AddGroup(8, 80, width - 16, 138, L"自動実行");
    ACChk = AddCheck(18, 104, L"物理メモリを自動で最適化する", kACChkId);
    constexpr int kIndent = 26, kMemoryRow = 132, kTimeRow = 160, kCpuRow = 188;
    ACMChk = AddCheck(kIndent, kMemoryRow, L"物理メモリが", kACMChkId);
    ACTChk = AddCheck(kIndent, kTimeRow, L"", kACTChkId);
    ACCChk = AddCheck(kIndent, kCpuRow, L"CPU使用率が", kACCChkId);
    // The three fields in one column.
    const int field_x = std::max(RightOf(ACMChk), RightOf(ACCChk)) + 2;
    AutoCleanMemory = AddSpin(field_x, kMemoryRow, kFieldWidth, kAutoCleanMemoryId, 0, 128);
    AddLabel(RightOf(AutoCleanMemory->handle()) + 4, kMemoryRow, L"MB 以下のとき自動実行");
    AutoCleanTime = AddSpin(field_x, kTimeRow, kFieldWidth, kAutoCleanTimeId, 0, 1000);
    AddLabel(RightOf(AutoCleanTime->handle()) + 4, kTimeRow, L"分ごとに自動実行");
    AutoCleanCPU = AddSpin(field_x, kCpuRow, kFieldWidth, kAutoCleanCPUId, 0, 100);
    AddLabel(RightOf(AutoCleanCPU->handle()) + 4, kCpuRow, L"% 以上の時は自動実行しない");
}

void TMemoryPage::Load(const DialogValues& values) {
    Edit1->SetValue(values.CleanValue);
    SetChecked(ACChk, values.ACChk);
    SetChecked(ACMChk, values.ACMChk);
    AutoCleanMemory->SetValue(values.AutoCleanMemory);
    AutoCleanTime->SetValue(values.AutoCleanTime);
    SetChecked(ACTChk, values.ACTChk);
    SetChecked(ACCChk, values.ACCChk);
    AutoCleanCPU->SetValue(values.AutoCleanCPU);
    ACChkClick();
}

void TMemoryPage::Collect(DialogValues& values) const {
    values.CleanValue = Edit1->Value();
    values.ACChk = IsChecked(ACChk);
    values.ACMChk = IsChecked(ACMChk);
    values.ACTChk = IsChecked(ACTChk);
    values.ACCChk = IsChecked(ACCChk);
    values.AutoCleanMemory = AutoCleanMemory->Value();
    values.AutoCleanTime = AutoCleanTime->Value();
    values.AutoCleanCPU = AutoCleanCPU->Value();
}

controls::TSpinNumberEdit* TMemoryPage::Field(DialogField field) {
    switch (field) {
    case DialogField::Edit1: return Edit1.get();
    case DialogField::AutoCleanMemory: return AutoCleanMemory.get();
    case DialogField::AutoCleanTime: return AutoCleanTime.get();
    case DialogField::AutoCleanCPU: return AutoCleanCPU.get();
    default: return nullptr;
    }
}

void TMemoryPage::OnCommand(HWND control, int code) {
    if (control == ACChk && code == BN_CLICKED) ACChkClick();
}

void TMemoryPage::OnScroll(HWND bar) {
    if (bar == TrackBar1) FollowTrackBar(*Edit1, TrackBar1);
}

void TMemoryPage::ACChkClick() {
    const BOOL enabled = IsChecked(ACChk);
    for (HWND control : {ACMChk, ACTChk, ACCChk, AutoCleanMemory->handle(), AutoCleanTime->handle(),
                         AutoCleanCPU->handle()}) {
        ::EnableWindow(control, enabled);
    }
}

} // namespace qv::settings::win32
