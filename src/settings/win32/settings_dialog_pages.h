#pragma once
// The pages of the settings dialog, in tab order, and the identifiers of their controls.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "settings/win32/settings_dialog_page.h"

namespace qv::settings::win32 {

enum SettingsControlId : int {
    kButton1Id = 101,  // OK
    kButton2Id,        // キャンセル
    kButton3Id,        // ヘルプ
    kPageControl1Id,
    // メモリの最適化
    kTrackBar1Id = 201,
    kEdit1Id,
    kACChkId,
    kACMChkId,
    kAutoCleanMemoryId,
    kACTChkId,
    kAutoCleanTimeId,
    kACCChkId,
    kAutoCleanCPUId,
    // 表示関連
    kTrackBar2Id = 301,
    kEdit2Id,
    kTopMostChkId,
    kTasktrayChkId,
    kAlarmId,
    kAlarmValueId,
    kSnapId,
    kTransId,
    kAutoHideId,
    // 操作関連
    kHotKeyCleanId = 401,
    kHotKeyWindowId,
    kHotKeySetId,
    kHotKeyStopId,
    kHotKeyAutoHideId,
    // ショートカット
    kButton4Id = 601,
    kButton5Id,
    kButton7Id,
    kButton6Id,
};

// "メモリの最適化": the amount with its track bar, and the automatic runs.
class TMemoryPage final : public TSettingsPage {
public:
    TMemoryPage(HWND dialog, const RECT& area, HFONT font, std::int64_t total_mb);
    void Load(const DialogValues& values) override;
    void Collect(DialogValues& values) const override;
    controls::TSpinNumberEdit* Field(DialogField field) override;

protected:
    void OnCommand(HWND control, int code) override;
    void OnScroll(HWND bar) override;

private:
    // The three triggers and their fields can be used only while automatic runs are on.
    void ACChkClick();

    HWND TrackBar1 = nullptr, ACChk = nullptr, ACMChk = nullptr, ACTChk = nullptr, ACCChk = nullptr;
    std::unique_ptr<controls::TSpinNumberEdit> Edit1, AutoCleanMemory, AutoCleanTime, AutoCleanCPU;
};

// "表示関連": the refresh interval with its track bar, and the window's behaviour.
class TDisplayPage final : public TSettingsPage {
public:
    TDisplayPage(HWND dialog, const RECT& area, HFONT font);
    void Load(const DialogValues& values) override;
    void Collect(DialogValues& values) const override;
    controls::TSpinNumberEdit* Field(DialogField field) override;

protected:
    void OnScroll(HWND bar) override;

private:
    HWND TrackBar2 = nullptr, TopMostChk = nullptr, TasktrayChk = nullptr, Alarm = nullptr, Snap = nullptr,
         Trans = nullptr, AutoHide = nullptr;
    std::unique_ptr<controls::TSpinNumberEdit> Edit2, AlarmValue;
};

// "操作関連": the five global hotkeys.
class THotKeyPage final : public TSettingsPage {
public:
    THotKeyPage(HWND dialog, const RECT& area, HFONT font);
    void Load(const DialogValues& values) override;
    void Collect(DialogValues& values) const override;

private:
    HWND HotKeyClean = nullptr, HotKeyWindow = nullptr, HotKeySet = nullptr, HotKeyStop = nullptr,
         HotKeyAutoHide = nullptr;
};

// "デザイン": the window's colours, fonts and background picture. Its controls are still to come; the
// transparency check box of "表示関連" is written among its items.
class TDesignPage final : public TSettingsPage {
public:
    using TSettingsPage::TSettingsPage;
    void WriteBack(TRegManager& RM, const DialogValues& values) override;
};

// "ショートカット": shortcuts to the program in Startup and on the desktop, made and removed at once.
class TShortcutPage final : public TSettingsPage {
public:
    TShortcutPage(HWND dialog, const RECT& area, HFONT font);

protected:
    void OnCommand(HWND control, int code) override;

private:
    HWND Button4 = nullptr, Button5 = nullptr, Button6 = nullptr, Button7 = nullptr;
};

// A track bar and a spin edit that hold one number: the bar follows every change of the field's text.
void LinkToTrackBar(controls::TSpinNumberEdit& edit, HWND bar);
// The field follows the bar's position.
void FollowTrackBar(controls::TSpinNumberEdit& edit, HWND bar);

} // namespace qv::settings::win32
