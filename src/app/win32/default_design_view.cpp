#include "app/win32/default_design_view.h"

#include <optional>

#include "app/app_info.h"
#include "app/win32/refresh_pause.h"
#include "base/win32/error_report.h"
#include "settings/win32/design_font_items.h"
#include "skin/default_design.h"
#include "skin/win32/picture_file.h"

namespace qv::app {
namespace {

namespace items = settings::items;
namespace layout = skin::default_design;

} // namespace

DefaultDesignView::DefaultDesignView(DesignCanvas& canvas, settings::TRegManager& settings,
                                     metrics::TSystemProbe& probe, std::function<void()> x_button_click)
    : canvas_(canvas), RM(settings), SystemProbe(probe) {
    skin::GraphicHost& host = canvas_.host();
    const skin::Rect& title = layout::kTitleBounds;
    Title.SetFont(canvas_.scaled(layout::TitleFont()));
    Title.SetCaption(kAppTitle);
    Title.SetBounds(canvas_.scaled(title.left), canvas_.scaled(title.top), canvas_.scaled(title.Width()),
                    canvas_.scaled(title.Height()));
    Title.SetParent(&host);
    Title.OnMouseDown = canvas_.drag_on_press();
    skin::TextLabel* const captions[] = {&Mem, &Swap, &CPU, &Sys, &User, &GDI};
    for (size_t i = 0; i < layout::kCaptions.size(); ++i) {
        captions[i]->SetFont(canvas_.scaled(layout::CaptionFont()));
        captions[i]->SetCaption(layout::kCaptions[i].caption);
        captions[i]->SetLeft(canvas_.scaled(layout::kCaptions[i].left));
        captions[i]->SetTop(canvas_.scaled(layout::kCaptions[i].top));
        captions[i]->SetParent(&host);
        captions[i]->OnMouseDown = Title.OnMouseDown;
    }

    const skin::Rect& button = layout::kCloseButtonBounds;
    XButton.SetFont(canvas_.scaled(layout::CloseButtonFont()));
    XButton.SetCaption(L"X");
    XButton.SetBounds(canvas_.scaled(button.left), canvas_.scaled(button.top), canvas_.scaled(button.Width()),
                      canvas_.scaled(button.Height()));
    XButton.SetRandfarbe(skin::clWhite);
    XButton.SetFarbe(kDefaultWindowColor);
    XButton.SetTextLeft(canvas_.scaled(4));
    XButton.SetTextTop(canvas_.scaled(1));
    XButton.OnClick = [click = std::move(x_button_click)](skin::GraphicControl&) { click(); };
    XButton.SetParent(&host);
}

DefaultDesignView::GaugeDesign DefaultDesignView::read_gauge_design(const skin::Font& created_font) {
    GaugeDesign design;
    design.ForeColor1 = RM.Filer(items::GaugeColor1).ReadColor();
    design.ForeColor2 = RM.Filer(items::GaugeColor2).ReadColor();
    design.BackColor = RM.Filer(items::GaugeBackColor).ReadColor();
    design.Font = read_font(items::GaugeFont, items::GaugeFontStyle, created_font);
    return design;
}

skin::Font DefaultDesignView::read_font(settings::FontItem font_item, settings::IntegerItem style_item,
                                        const skin::Font& current) {
    return settings::win32::ReadDesignFont(RM, font_item, style_item, current);
}

void DefaultDesignView::CreateDefaultGauges() {
    RefreshPause pause(SystemProbe);
    DesignSlots& design = canvas_.design;
    // The settings keep font sizes in points: they come back at the screen's scale.
    const skin::Font created_font = canvas_.scaled(layout::GaugeFont());
    // Read once for all six. A hand-edited value that is no colour is reported, and the gauges keep
    // the look they are created with rather than the program failing to start.
    std::optional<GaugeDesign> settings;
    win::guarded(canvas_.window(), [&] { settings = read_gauge_design(created_font); });
    for (size_t i = 0; i < design.DefaultGauges.size(); ++i) {
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
        gauge->SetBounds(canvas_.scaled(layout::kGaugeLeft[i]), canvas_.scaled(layout::kGaugeTop[i]),
                         canvas_.scaled(layout::kGaugeWidth), canvas_.scaled(layout::kGaugeHeight));
        gauge->OnMouseDown = Title.OnMouseDown;
        if (settings) {
            gauge->SetForeColor1(settings->ForeColor1);
            gauge->SetForeColor2(settings->ForeColor2);
            gauge->SetBackColor(settings->BackColor);
            gauge->SetFont(settings->Font);
        }
        gauge->SetParent(&canvas_.host());
        design.DefaultGauges[i] = std::move(gauge);
    }
    // Bytes, so the refresh's figures fit without scaling.
    design.DefaultGauges[0]->SetMaxValue(static_cast<std::int64_t>(SystemProbe.Memory.PhysicalTotal));
}

void DefaultDesignView::show() {
    CreateDefaultGauges();
    show_fixed_elements(true);
    // The one-pixel frame stays one pixel at every scale.
    const int width = canvas_.scaled(kClientWidth) + 2, height = canvas_.scaled(kClientHeight) + 2;
    const HWND window = canvas_.window();
    win::UniqueRegion whole(::CreateRectRgn(0, 0, width, height));
    if (whole && ::SetWindowRgn(window, whole.get(), TRUE)) whole.release();  // the window owns it now
    ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    canvas_.BackImage.SetBounds(canvas_.scaled(DesignCanvas::kBackImageLeft), 0, width, canvas_.scaled(kClientHeight));
}

void DefaultDesignView::show_fixed_elements(bool shown) {
    for (skin::GraphicControl* element : {static_cast<skin::GraphicControl*>(&Title), static_cast<skin::GraphicControl*>(&Mem),
                                          static_cast<skin::GraphicControl*>(&Swap), static_cast<skin::GraphicControl*>(&CPU),
                                          static_cast<skin::GraphicControl*>(&Sys), static_cast<skin::GraphicControl*>(&User),
                                          static_cast<skin::GraphicControl*>(&GDI), static_cast<skin::GraphicControl*>(&XButton)}) {
        element->SetVisible(shown);
    }
    XButton.SetEnabled(shown);
}

void DefaultDesignView::load_background_picture(PictureErrors errors) {
    skin::win::TFormRgn& BackImage = canvas_.BackImage;
    const std::wstring file = RM.Filer(items::BackImage).ReadString();
    if (file.empty()) {
        BackImage.SetPicture(skin::Image{});
        return;
    }
    switch (RM.Filer(items::WD).ReadInteger()) {
    case 0: BackImage.SetCenter(true); BackImage.SetStretch(false); break;
    case 1: BackImage.SetStretch(true); BackImage.SetCenter(false); break;
    default: break;  // the placement stays as it is
    }
    // The picture BackImage had may be a skin's, which the default design must not keep.
    if (!load_back_picture(file, errors)) BackImage.SetPicture(skin::Image{});
}

bool DefaultDesignView::load_back_picture(const std::wstring& path, PictureErrors errors) {
    try {
        canvas_.BackImage.SetPicture(skin::win::LoadPictureFile(path));
        return true;
    } catch (const skin::win::PictureFileError& e) {
        if (errors == PictureErrors::Shown) canvas_.show_picture_error(e.kind());
        return false;
    }
}

void DefaultDesignView::apply_fonts_and_button() {
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

void DefaultDesignView::apply_gauge_design_to_default_gauges() {
    for (auto& gauge : canvas_.design.DefaultGauges) {
        if (!gauge) continue;
        const GaugeDesign design = read_gauge_design(gauge->Font());
        gauge->SetForeColor1(design.ForeColor1);
        gauge->SetForeColor2(design.ForeColor2);
        gauge->SetBackColor(design.BackColor);
        gauge->SetFont(design.Font);
    }
}

} // namespace qv::app
