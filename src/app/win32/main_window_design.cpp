// The window's default design: title, six captions, six gauges and the close button, drawn together
// into one surface; design settings applied to them; dragging the window from any of them.
#include "app/win32/main_window.h"

#include <optional>

#include "app/app_info.h"
#include "app/display_values.h"
#include "app/win32/refresh_pause.h"
#include "base/win32/error_report.h"
#include "settings/win32/design_font_items.h"
#include "skin/default_design.h"
#include "skin/win32/picture_file.h"

namespace qv::app {
namespace {

namespace layout = skin::default_design;

} // namespace

skin::Font MainWindow::scaled(skin::Font font) const {
    font.Height = win::scale_to_dpi(font.Height, dpi_);
    return font;
}

void MainWindow::create_design_elements() {
    surface_ = std::make_unique<skin::win::WindowSurface>(handle());
    surface_->ErrorCaption = L"ERROR";
    surface_->Host().SetColor(window_color_);

    // The background picture lies beneath everything else: it is attached first.
    BackImage = std::make_unique<skin::win::TFormRgn>(handle());
    BackImage->SetBounds(scaled(kBackImageLeft), 0, scaled(kClientWidth) + 2, scaled(kClientHeight));
    BackImage->SetParent(&surface_->Host());

    const skin::Rect& title = layout::kTitleBounds;
    Title.SetFont(scaled(layout::TitleFont()));
    Title.SetCaption(kAppTitle);
    Title.SetBounds(scaled(title.left), scaled(title.top), scaled(title.Width()), scaled(title.Height()));
    Title.SetParent(&surface_->Host());
    Title.OnMouseDown = [this](skin::GraphicControl&, skin::TMouseButton button, unsigned, int, int) {
        if (button == skin::mbLeft) start_drag();
    };
    BackImage->OnMouseDown = Title.OnMouseDown;
    skin::TextLabel* const captions[] = {&Mem, &Swap, &CPU, &Sys, &User, &GDI};
    for (size_t i = 0; i < layout::kCaptions.size(); ++i) {
        captions[i]->SetFont(scaled(layout::CaptionFont()));
        captions[i]->SetCaption(layout::kCaptions[i].caption);
        captions[i]->SetLeft(scaled(layout::kCaptions[i].left));
        captions[i]->SetTop(scaled(layout::kCaptions[i].top));
        captions[i]->SetParent(&surface_->Host());
        captions[i]->OnMouseDown = Title.OnMouseDown;
    }

    const skin::Rect& button = layout::kCloseButtonBounds;
    XButton.SetFont(scaled(layout::CloseButtonFont()));
    XButton.SetCaption(L"X");
    XButton.SetBounds(scaled(button.left), scaled(button.top), scaled(button.Width()), scaled(button.Height()));
    XButton.SetRandfarbe(skin::clWhite);
    XButton.SetFarbe(kDefaultWindowColor);
    XButton.SetTextLeft(scaled(4));
    XButton.SetTextTop(scaled(1));
    XButton.OnClick = [this](skin::GraphicControl&) { XButtonClick(); };
    XButton.SetParent(&surface_->Host());
}

void MainWindow::apply_transparent_back() {
    if (!state_.TransparentBack) {
        surface_->OnPaintBackground = nullptr;
        return;
    }
    surface_->OnPaintBackground = [this](HDC dc, const RECT&) {
        // The desktop as it lies under the window: the buffer's origin moved to the client area's place
        // on the screen, so the wallpaper lines up with the desktop around the window.
        POINT origin{0, 0};
        ::ClientToScreen(handle(), &origin);
        ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        ::PaintDesktop(dc);
    };
}

void MainWindow::start_drag() {
    // The system's move loop, as if the window had a caption bar.
    ::ReleaseCapture();
    ::SendMessageW(handle(), WM_SYSCOMMAND, SC_MOVE + 2, 0);
}

MainWindow::GaugeDesign MainWindow::read_gauge_design(const skin::Font& created_font) {
    GaugeDesign design;
    design.ForeColor1 = RM.Filer(items::GaugeColor1).ReadColor();
    design.ForeColor2 = RM.Filer(items::GaugeColor2).ReadColor();
    design.BackColor = RM.Filer(items::GaugeBackColor).ReadColor();
    design.Font = read_font(items::GaugeFont, items::GaugeFontStyle, created_font);
    return design;
}

skin::Font MainWindow::read_font(settings::FontItem font_item, settings::IntegerItem style_item,
                                 const skin::Font& current) {
    return settings::win32::ReadDesignFont(RM, font_item, style_item, current);
}

void MainWindow::CreateDefaultGauges() {
    RefreshPause pause(SystemProbe);
    // The settings keep font sizes in points: they come back at the screen's scale.
    const skin::Font created_font = scaled(layout::GaugeFont());
    // Read once for all six. A hand-edited value that is no colour is reported, and the gauges keep
    // the look they are created with rather than the program failing to start.
    std::optional<GaugeDesign> settings;
    win::guarded(handle(), [&] { settings = read_gauge_design(created_font); });
    for (size_t i = 0; i < design_.DefaultGauges.size(); ++i) {
        auto gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetBackColor(layout::kGaugeBackColor);
        gauge->SetBorderStyle(skin::bsSingle);
        gauge->SetStyle(skin::sDithered);
        gauge->SetMaxValue(100);
        gauge->SetMinValue(0);
        gauge->SetProgress(0);
        gauge->SetForeColor1(layout::kGaugeColor1);
        gauge->SetForeColor2(layout::kGaugeColor2);
        gauge->SetFont(created_font);
        gauge->SetText(L"%d%%");
        gauge->SetBounds(scaled(layout::kGaugeLeft[i]), scaled(layout::kGaugeTop[i]), scaled(layout::kGaugeWidth),
                         scaled(layout::kGaugeHeight));
        gauge->OnMouseDown = Title.OnMouseDown;
        if (settings) {
            gauge->SetForeColor1(settings->ForeColor1);
            gauge->SetForeColor2(settings->ForeColor2);
            gauge->SetBackColor(settings->BackColor);
            gauge->SetFont(settings->Font);
        }
        gauge->SetParent(&surface_->Host());
        design_.DefaultGauges[i] = std::move(gauge);
    }
    // Bytes, so the refresh's figures fit without scaling.
    design_.DefaultGauges[0]->SetMaxValue(static_cast<std::int64_t>(SystemProbe.Memory.PhysicalTotal));
}

void MainWindow::ClearForSkin() {
    RefreshPause pause(SystemProbe);
    design_.ClearAll();
    clear_progress_hints();
    show_fixed_elements(false);
}

void MainWindow::RestoreDefaultDesign() {
    RefreshPause pause(SystemProbe);
    design_.ClearAll();
    clear_progress_hints();
    CreateDefaultGauges();
    show_fixed_elements(true);
    // The whole window again, whatever shape and size a skin gave it.
    // The one-pixel frame stays one pixel at every scale.
    const int width = scaled(kClientWidth) + 2, height = scaled(kClientHeight) + 2;
    win::UniqueRegion whole(::CreateRectRgn(0, 0, width, height));
    if (whole && ::SetWindowRgn(handle(), whole.get(), TRUE)) whole.release();  // the window owns it now
    ::SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    BackImage->SetBounds(scaled(kBackImageLeft), 0, width, scaled(kClientHeight));
    state_.SkinActive = false;
    // The new gauges show values at once.
    if (pause.resume()) win::guarded(handle(), [this] { SystemProbe.Refresh(); });
}

void MainWindow::show_fixed_elements(bool shown) {
    for (skin::GraphicControl* element : {static_cast<skin::GraphicControl*>(&Title), static_cast<skin::GraphicControl*>(&Mem),
                                          static_cast<skin::GraphicControl*>(&Swap), static_cast<skin::GraphicControl*>(&CPU),
                                          static_cast<skin::GraphicControl*>(&Sys), static_cast<skin::GraphicControl*>(&User),
                                          static_cast<skin::GraphicControl*>(&GDI), static_cast<skin::GraphicControl*>(&XButton)}) {
        element->SetVisible(shown);
    }
    XButton.SetEnabled(shown);
}

void MainWindow::SkinButtonClick(skin::GraphicControl& sender) {
    if (!state_.SkinActive) return;
    switch (design_.ButtonSlotOf(sender)) {
    case 1: NsetClick(); break;
    case 2: terminate(); break;
    case 3: XButtonClick(); break;
    case 4: RunOptimization(RM.Filer(items::CleanValue).ReadInteger()); break;
    default: break;
    }
}

void MainWindow::XButtonClick() { hide_window(); }

void MainWindow::load_background_picture(PictureErrors errors) {
    const std::wstring file = RM.Filer(items::BackImage).ReadString();
    if (file.empty()) {
        BackImage->SetPicture(skin::Image{});
        return;
    }
    switch (RM.Filer(items::WD).ReadInteger()) {
    case 0: BackImage->SetCenter(true); BackImage->SetStretch(false); break;
    case 1: BackImage->SetStretch(true); BackImage->SetCenter(false); break;
    default: break;  // the placement stays as it is
    }
    // The picture BackImage had may be a skin's, which the default design must not keep.
    if (!load_back_picture(file, errors)) BackImage->SetPicture(skin::Image{});
}

bool MainWindow::load_back_picture(const std::wstring& path, PictureErrors errors) {
    try {
        BackImage->SetPicture(skin::win::LoadPictureFile(path));
        return true;
    } catch (const skin::win::PictureFileError& e) {
        if (errors == PictureErrors::Shown) show_picture_error(e.kind());
        return false;
    }
}

void MainWindow::show_picture_error(skin::win::PictureFileError::Kind kind) {
    show_error_box(kind == skin::win::PictureFileError::CannotOpen ? L"背景画像が読み込めません"
                                                                   : L"背景画像ファイルが認識できるファイルではありません");
}

void MainWindow::apply_fonts_and_button() {
    Title.SetFont(read_font(items::TitleFont, items::TitleFontStyle, Title.Font()));
    for (skin::TextLabel* label : {&Mem, &Swap, &CPU, &Sys, &User, &GDI}) {
        label->SetFont(read_font(items::WindowFont, items::WindowFontStyle, label->Font()));
    }
    skin::Font button_font = XButton.Font();
    button_font.FontColor = RM.Filer(items::ButtonFontColor).ReadColor();
    XButton.SetFont(button_font);
    XButton.SetFarbe(RM.Filer(items::ButtonColor).ReadColor());
    XButton.SetRandfarbe(RM.Filer(items::ButtonFrameColor).ReadColor());
}

void MainWindow::set_title(const std::wstring& text) { Title.SetCaption(text); }

void MainWindow::show_figures(const DisplayFigures& figures) {
    skin::UpdateBatch batch(surface_->Host());
    if (state_.SkinActive) design_.ShowOnSkin(figures);
    else design_.ShowOnDefaultGauges(figures, state_.TotalMB);
}

} // namespace qv::app
