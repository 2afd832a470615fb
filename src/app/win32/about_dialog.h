#pragma once
// TForm3, the about dialog "バージョン情報": the program's icon, name and version, a home-page link
// and a mail link, an information line and OK. Made each time it is opened and released when it closes.
#include <windows.h>

#include <functional>
#include <memory>

#include "base/version.h"
#include "base/win32/dialog_frame.h"
#include "base/win32/unique_handle.h"
#include "controls/win32/light_label.h"

namespace qv::app {

inline constexpr wchar_t kAboutCaption[] = L"バージョン情報";
inline constexpr wchar_t kVersionText[] = L"Quorvane Ver " QV_VERSION_WTEXT;
inline constexpr wchar_t kHomePage[] = L"https://quorvane.app/";
inline constexpr wchar_t kSupportMail[] = L"support@quorvane.app";
inline constexpr wchar_t kAboutInfo[] = L"Copyright (C) 2026 Quorvane Project";

class TForm3 final : public win::ModalDialog {
public:
    TForm3() = default;
    ~TForm3() override;

    // Shows the dialog over `owner` and returns once it has closed. `opened` is told the dialog's
    // window as soon as it exists. Throws AppError when the system cannot make the dialog.
    void ShowModal(HWND owner, const std::function<void(HWND dialog)>& opened = {});

    // The about dialog open now in this program, if any.
    static HWND OpenDialog() noexcept;

private:
    INT_PTR on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void FormCreate();
    HWND add_label(int x, int y, const wchar_t* text, HFONT font);
    std::unique_ptr<controls::TLightLabel> add_link(int x,
                                                    int y,
                                                    int width,
                                                    int height,
                                                    const wchar_t* text,
                                                    controls::TJumpType type);
    HWND add_ok_button();

    std::function<void(HWND)> opened_;
    // The fonts outlive the controls that show them.
    win::UniqueFont form_font_, title_font_, caption_font_;
    win::UniqueIcon icon_;
    std::unique_ptr<controls::TLightLabel> home_link_, mail_link_;
};

}  // namespace qv::app
