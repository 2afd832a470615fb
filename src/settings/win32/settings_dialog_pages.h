#pragma once
// The pages of the settings dialog, in tab order, and the identifiers of their controls.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "controls/win32/select_color_button.h"
#include "settings/win32/settings_dialog_page.h"
#include "skin/text_label.h"
#include "skin/win32/window_surface.h"

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
    // デザイン
    kComboBox1Id = 501,
    kColorButton1Id,
    kColorButton2Id,
    kFontId,
    kPanel1Id,
    kComboBox2Id,
    kISCButtonId,
    kIBCButtonId,
    kTrayId,
    kButton8Id,
    kBFId,
    kButton9Id,
    kButton10Id,
    kComboBox3Id,
    // スキン
    kEdit3Id = 551,
    kButton11Id,
    kButton12Id,
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

class TDesignPreview;

// "デザイン": the window's colours, fonts and background picture, tried out on a miniature of the window,
// and the tray icons' colours. Nothing reaches the store before OK; the transparency check box of
// "表示関連" is written among this page's items.
class TDesignPage final : public TSettingsPage {
public:
    TDesignPage(HWND dialog, const RECT& area, HFONT font, TRegManager& RM);
    ~TDesignPage() override;
    void Load(const DialogValues& values) override;
    void WriteBack(TRegManager& RM, const DialogValues& values) override;
    std::vector<TextField> TextFields() const override;

protected:
    void OnCommand(HWND control, int code) override;

private:
    // What the element chooser's entry lets the colour buttons and the font button edit.
    void ComboBox1Change();
    void ColorButton1Click();
    void ColorButton2Click();
    void FontClick();
    void ComboBox2Change();
    void ISCButtonClick();
    void IBCButtonClick();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void ComboBox3Change();
    // Into the preview; a file that cannot be read is reported and the preview keeps its picture.
    void LoadBackImage(const std::wstring& path);
    void ShowTrayColors(size_t metric);
    int Element() const;
    size_t Metric() const;
    HWND Dialog() const;

    TRegManager& RM_;
    std::unique_ptr<TDesignPreview> preview_;
    HWND ComboBox1 = nullptr, ColorLabel1 = nullptr, ColorLabel2 = nullptr, Font = nullptr, ComboBox2 = nullptr,
         Button8 = nullptr, BF = nullptr, Button9 = nullptr, Button10 = nullptr, ComboBox3 = nullptr;
    std::unique_ptr<controls::TSelectColorButton> ColorButton1, ColorButton2, ISCButton, IBCButton;
    std::unique_ptr<skin::win::GraphicPanel> Tray;  // before TrayS, which leaves it first
    skin::TextLabel TrayS;
    // The tray icons' text colours (ISC0 to ISC4), then their background colours (IBC0 to IBC4).
    std::array<skin::Color, 10> TrayColors{};
};

// "スキン": the skin description file in force; empty for the default design.
class TSkinPage final : public TSettingsPage {
public:
    TSkinPage(HWND dialog, const RECT& area, HFONT font, TRegManager& RM);
    void Load(const DialogValues& values) override;
    void WriteBack(TRegManager& RM, const DialogValues& values) override;
    std::vector<TextField> TextFields() const override;

protected:
    void OnCommand(HWND control, int code) override;

private:
    void Button11Click();

    TRegManager& RM_;
    HWND Edit3 = nullptr, Button11 = nullptr, Button12 = nullptr;
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
