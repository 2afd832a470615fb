#include "settings/win32/settings_dialog_pages.h"

#include <commctrl.h>

namespace qv::settings::win32 {

TDisplayPage::TDisplayPage(HWND dialog, const RECT& area, HFONT font) : TSettingsPage(dialog, area, font) {
    const int width = Width();

    AddGroup(8, 6, width - 16, 82, L"表示の更新間隔");
    TrackBar2 = AddTrackBar(16, 36, width - 32, TBS_AUTOTICKS, kTrackBar2Id, 5000);
    ::SendMessageW(TrackBar2, TBM_SETTICFREQ, 500, 0);
    ::SendMessageW(TrackBar2, TBM_SETPAGESIZE, 0, 500);
    Edit2 = AddSpin(20, 68, 70, kEdit2Id, 0, 5000, 100);
    AddLabel(RightOf(Edit2->handle()) + 4, 68, L"ms(1秒=1000ms)");
    LinkToTrackBar(*Edit2, TrackBar2);

    constexpr int kLeft = 12, kFirstRow = 108, kRowHeight = 26;
    TopMostChk = AddCheck(kLeft, kFirstRow, L"常にトップに表示する", kTopMostChkId);
    TasktrayChk = AddCheck(kLeft, kFirstRow + kRowHeight, L"起動時にウインドウを表示しない", kTasktrayChkId);
    const int alarm_row = kFirstRow + 2 * kRowHeight;
    Alarm = AddCheck(kLeft, alarm_row, L"", kAlarmId);
    HWND before = AddLabel(RightOf(Alarm) + 1, alarm_row, L"システムリソースが");
    AlarmValue = AddSpin(RightOf(before) + 3, alarm_row, 44, kAlarmValueId, 0, 0);
    AddLabel(RightOf(AlarmValue->handle()) + 3, alarm_row, L"%　以下になったら警告する");
    Snap = AddCheck(kLeft, kFirstRow + 3 * kRowHeight, L"ウインドウがデスクトップの端に吸いつくようにする", kSnapId);
    Trans = AddCheck(kLeft, kFirstRow + 4 * kRowHeight, L"ウインドウの背景を透過して壁紙を表示する", kTransId);
    AutoHide = AddCheck(kLeft, kFirstRow + 5 * kRowHeight, L"ウインドウにマウスカーソルが入ったらウインドウを隠す",
                        kAutoHideId);
}

void TDisplayPage::Load(const DialogValues& values) {
    SetChecked(TasktrayChk, values.Tasktray);
    SetChecked(TopMostChk, values.TopMost);
    Edit2->SetValue(values.RefreshTime);
    SetChecked(Alarm, values.Alarm);
    AlarmValue->SetValue(values.AlarmValue);
    SetChecked(Snap, values.Snap);
    SetChecked(AutoHide, values.AutoHide);
    SetChecked(Trans, values.TransFlag);
}

void TDisplayPage::Collect(DialogValues& values) const {
    values.RefreshTime = Edit2->Value();
    values.TopMost = IsChecked(TopMostChk);
    values.Tasktray = IsChecked(TasktrayChk);
    values.Alarm = IsChecked(Alarm);
    values.AlarmValue = AlarmValue->Value();
    values.Snap = IsChecked(Snap);
    values.TransFlag = IsChecked(Trans);
    values.AutoHide = IsChecked(AutoHide);
}

controls::TSpinNumberEdit* TDisplayPage::Field(DialogField field) {
    if (field == DialogField::Edit2) return Edit2.get();
    if (field == DialogField::AlarmValue) return AlarmValue.get();
    return nullptr;
}

void TDisplayPage::OnScroll(HWND bar) {
    if (bar == TrackBar2) FollowTrackBar(*Edit2, TrackBar2);
}

} // namespace qv::settings::win32
