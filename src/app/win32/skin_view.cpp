#include "app/win32/skin_view.h"

#include <commctrl.h>

#include <memory>
#include <optional>

#include "app/app_info.h"
#include "app/design_slots.h"
#include "app/win32/refresh_pause.h"
#include "base/win32/error_report.h"
#include "base/win32/message_text.h"
#include "base/win32/pending_messages.h"
#include "skin/digit_composer.h"
#include "skin/win32/picture_file.h"
#include "skin/win32/rgn_btn.h"

namespace qv::app {
namespace {

// A skin's picture, enlarged by the skin's whole factor on a scaled display.
skin::Image load_skin_picture(const std::wstring& path, int factor) {
    skin::Image picture = skin::win::LoadPictureFile(path);
    if (factor > 1) return skin::Enlarged(picture, factor);
    return picture;
}

// The digit pictures 0.bmp, 1.bmp, ... as far as they can be read; a field shows the digits it has.
skin::DigitPictures load_digit_pictures(const std::wstring& folder, int factor) {
    return skin::LoadDigitPictures(
        [&](int digit) { return load_skin_picture(folder + std::to_wstring(digit) + L".bmp", factor); });
}

} // namespace

SkinView::SkinView(DesignCanvas& canvas, DefaultDesignView& default_design, settings::win32::SystemServices& services,
                   metrics::TSystemProbe& probe, MainState& state,
                   std::function<void(skin::GraphicControl& sender)> button_click)
    : canvas_(canvas), default_design_(default_design), services_(services), SystemProbe(probe), state_(state),
      button_click_(std::move(button_click)) {}

void SkinView::ClearForSkin() {
    RefreshPause pause(SystemProbe);
    canvas_.design.ClearAll();
    clear_progress_hints();
    default_design_.show_fixed_elements(false);
}

bool SkinView::LoadSkin(const std::wstring& file) {
    state_.SkinActive = false;
    RefreshPause pause(SystemProbe);
    // Also when the load fails: the refresh comes back on and shows values at once.
    struct RefreshAtEnd {
        SkinView& view;
        RefreshPause& pause;
        ~RefreshAtEnd() {
            if (pause.resume()) win::guarded(view.window(), [this] { view.SystemProbe.Refresh(); });
        }
    } refresh_at_end{*this, pause};

    // A description is small: a huge file is no skin, and is not read into memory to find that out.
    // (FindFirstFileW: Windows 95 lacks GetFileAttributesExW.)
    WIN32_FIND_DATAW found{};
    if (win::UniqueFindHandle(::FindFirstFileW(file.c_str(), &found)) &&
        (found.nFileSizeHigh != 0 || found.nFileSizeLow > skin::kMaxSkinFileBytes)) {
        return false;
    }
    const settings::StoreServices services = services_.services();
    const auto skin = skin::ReadSkinDescription(*services.files, *services.ansi, file);
    if (!skin) return false;
    ClearForSkin();
    // Skins keep their pictures' pixels: enlarged by whole factors only (at 200 %, not at 150 %).
    skin_factor_ = skin::SkinScaleFactor(canvas_.dpi);
    build_skin(skin::ScaledSkin(*skin, skin_factor_));
    state_.SkinActive = true;
    return true;
}

void SkinView::build_skin(const skin::SkinDescription& skin) {
    skin::GraphicHost& host = canvas_.host();
    const auto total_bytes = static_cast<std::int64_t>(SystemProbe.Memory.PhysicalTotal);
    auto digits = std::make_shared<const skin::DigitPictures>(load_digit_pictures(skin.Folder, skin_factor_));

    // The window takes the background picture's size (or keeps the picture it had when this one cannot
    // be read): measured before anything is built, so that no element larger than it is ever drawn.
    // Its error is shown where the picture is put in place, after the buttons' own messages.
    skin::Image back;
    std::optional<skin::win::PictureFileError::Kind> back_error;
    try {
        back = load_skin_picture(skin.PathOf(skin.BackImage), skin_factor_);
    } catch (const skin::win::PictureFileError& e) {
        back_error = e.kind();
    }
    const skin::Image& window_picture = back_error ? canvas_.BackImage.Picture() : back;
    skin::CheckSkinFitsWindow(skin, {window_picture.Width(), window_picture.Height()},
                              {digits->CellWidth, digits->CellHeight});

    for (size_t i = 0; i < skin.Gauges.size(); ++i) {
        const auto& spec = skin.Gauges[i];
        if (!spec) continue;
        auto gauge = std::make_unique<skin::TLabelGauge>();
        const skin::SkinPosition& at = spec->Position;
        gauge->SetBounds(at.Left, at.Top, at.WidthOr(0), at.HeightOr(0));
        gauge->SetShowText(false);
        gauge->SetBorderStyle(skin::bsNone);
        gauge->SetMaxValue(i == 0 ? total_bytes : 100);  // memory in bytes
        gauge->SetMinValue(0);
        gauge->SetTransparent(true);
        gauge->SetBackColor(spec->BackColor);
        gauge->SetForeColor(spec->ForeColor);
        gauge->SetForeColor2(spec->ForeColor2);
        gauge->SetKind(spec->Vertical ? skin::TLabelGaugeKind::gkVerticalBar : skin::TLabelGaugeKind::gkHorizontalBar);
        gauge->OnMouseDown = canvas_.drag_on_press();
        gauge->SetParent(&host);
        canvas_.design.SkinGauges[i] = std::move(gauge);
    }
    for (size_t b = 0; b < skin.Buttons.size(); ++b) {
        if (skin.Buttons[b]) build_skin_button(static_cast<int>(b), *skin.Buttons[b], skin);
    }
    for (size_t i = 0; i < skin.ProgressBars.size(); ++i) {
        const auto& spec = skin.ProgressBars[i];
        if (!spec) continue;
        auto bar = std::make_unique<skin::TGProgress>();
        const skin::SkinPosition& at = spec->Position;
        bar->SetBounds(at.Left, at.Top, at.WidthOr(0), at.HeightOr(0));
        bar->SetTransparent(true);
        bar->SetMax(i == 0 ? total_bytes : 100);
        bar->SetMin(0);
        bar->SetGradientBar(true);
        bar->SetColor(spec->ForeColor);
        bar->SetColorEnd(spec->ForeColor2);
        bar->OnMouseDown = canvas_.drag_on_press();
        bar->SetParent(&host);
        add_progress_hint(static_cast<int>(i) + 1, bar->BoundsRect());
        canvas_.design.SkinProgressBars[i] = std::move(bar);
    }
    for (size_t i = 0; i < skin.Values.size(); ++i) {
        const auto& at = skin.Values[i];
        if (!at) continue;
        auto field = std::make_unique<skin::DigitField>(digits, skin.ValueAlign, skin.ValueTransparentColor);
        field->SetPosition(*at);
        field->OnMouseDown = canvas_.drag_on_press();
        field->SetParent(&host);
        canvas_.design.SkinValues[i] = std::move(field);
    }

    canvas_.BackImage.SetTransparentColor(skin.BackTransparentColor);
    // Reported when it cannot be read; the skin then goes on with the picture there was.
    if (back_error) canvas_.show_picture_error(*back_error);
    else canvas_.BackImage.SetPicture(std::move(back));
    shape_window_to_picture();
}

void SkinView::build_skin_button(int slot, const skin::SkinButtonSpec& spec, const skin::SkinDescription& skin) {
    auto load = [&](const std::wstring& file) -> std::optional<skin::Image> {
        try {
            return load_skin_picture(skin.PathOf(file), skin_factor_);
        } catch (const skin::win::PictureFileError&) {
            ::MessageBoxW(window(), L"Buttonの画像が読みこめません", kAppTitle, MB_OK);
            return std::nullopt;
        }
    };
    auto owned = std::make_unique<skin::win::TRgnBtn>();
    skin::win::TRgnBtn& button = *owned;
    canvas_.design.SkinButtons[static_cast<size_t>(slot)] = std::move(owned);
    // A button sized by its picture is measured before the picture is there: it stays 0 x 0.
    button.SetBounds(spec.Position.Left, spec.Position.Top, spec.Position.WidthOr(0), spec.Position.HeightOr(0));
    button.SetParent(&canvas_.host());
    if (!spec.Image.empty()) {
        if (auto picture = load(spec.Image)) button.SetGlyph1(*picture);
    } else {
        // All of the see-through colour: an invisible click area over the background picture.
        button.SetGlyph1(skin::Image::Filled(button.Width(), button.Height(), skin::ToPixel(skin::clKey)));
    }
    if (!spec.ClickImage.empty()) {
        if (auto picture = load(spec.ClickImage)) button.SetGlyph2(*picture);
    } else {
        button.SetGlyph2(button.Glyph1());
    }
    button.OnClick = [this](skin::GraphicControl& sender) { button_click_(sender); };
    button.CreateButtonRegion();
}

void SkinView::shape_window_to_picture() {
    const int width = canvas_.BackImage.Picture().Width();
    const int height = canvas_.BackImage.Picture().Height();
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window(), GWL_EXSTYLE)));
    ::SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    canvas_.BackImage.SetBounds(DesignCanvas::kBackImageLeft * skin_factor_, canvas_.BackImage.Top(), width, height);
    canvas_.BackImage.BuildRegion();
    win::run_pending_messages();
    canvas_.BackImage.ApplyRegion();
    win::run_pending_messages();
}

void SkinView::add_progress_hint(int metric, const skin::Rect& bounds) {
    if (!progress_tips_) {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        progress_tips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                               CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr));
        if (!progress_tips_) return;  // the bars work without their hints
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // also understood by the older common controls
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window();
    tool.uId = static_cast<UINT_PTR>(metric);
    tool.rect = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(progress_tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SkinView::clear_progress_hints() {
    if (!progress_tips_) return;
    for (int metric = 1; metric <= kMetricSlots; ++metric) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window();
        tool.uId = static_cast<UINT_PTR>(metric);
        ::SendMessageW(progress_tips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::wstring SkinView::ProgressHint(int metric) { return progress_hint_text(metric, figures_of(SystemProbe)); }

LRESULT SkinView::on_notify(NMHDR& header) {
    if (progress_tips_ && header.hwndFrom == progress_tips_.get() && win::asks_for_tip_text(header)) {
        // The text is made when the tip is about to show, from the last refresh's figures.
        win::answer_tip_text(header, ProgressHint(static_cast<int>(header.idFrom)));
    }
    return 0;
}

} // namespace qv::app
