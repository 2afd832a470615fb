// The window's default design: title, six captions, six gauges and the close button, drawn together
// into one surface; design settings applied to them; dragging the window from any of them.
#include "app/win32/main_window.h"

#include "app/app_info.h"
#include "app/design_fonts.h"
#include "app/display_values.h"

namespace qv::app {
namespace {

constexpr int kGaugeWidth = 100;
constexpr int kGaugeHeight = 16;
constexpr int kGaugeLeft[6] = {5, 5, 5, 117, 117, 117};
constexpr int kGaugeTop[6] = {32, 61, 90, 32, 61, 90};

skin::Font caption_font() {
    skin::Font font;
    font.Name = L"ＭＳ Ｐゴシック";
    font.Height = -11;
    font.Style = skin::fsBold;
    font.FontColor = skin::clWhite;
    return font;
}

int screen_ppi() {
    win::WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

} // namespace

void MainWindow::create_design_elements() {
    surface_ = std::make_unique<skin::win::WindowSurface>(handle());
    surface_->ErrorCaption = L"ERROR";
    surface_->Host().SetColor(window_color_);

    skin::Font title_font;
    title_font.Name = L"ＭＳ Ｐゴシック";
    title_font.Height = -15;
    title_font.Style = skin::fsBold;
    title_font.Charset = skin::kShiftJisCharset;
    title_font.FontColor = skin::clWhite;
    Title.SetFont(title_font);
    Title.SetCaption(kAppTitle);
    Title.SetBounds(2, 1, 162, 15);

    struct CaptionPlace { skin::TextLabel* label; const wchar_t* caption; int left, top; };
    const CaptionPlace captions[] = {{&Mem, L"Memory", 5, 19},         {&Swap, L"Swap", 5, 48},
                                     {&CPU, L"CPU", 5, 77},             {&Sys, L"System Resource", 117, 19},
                                     {&User, L"User Resource", 117, 48}, {&GDI, L"GDI Resource", 117, 77}};
    Title.SetParent(&surface_->Host());
    Title.OnMouseDown = [this](skin::GraphicControl&, skin::TMouseButton button, unsigned, int, int) {
        if (button == skin::mbLeft) start_drag();
    };
    for (const auto& c : captions) {
        c.label->SetFont(caption_font());
        c.label->SetCaption(c.caption);
        c.label->SetLeft(c.left);
        c.label->SetTop(c.top);
        c.label->SetParent(&surface_->Host());
        c.label->OnMouseDown = Title.OnMouseDown;
    }

    skin::Font button_font;
    button_font.Name = L"ＭＳ 明朝";
    button_font.Height = -13;
    button_font.Style = skin::fsBold;
    button_font.FontColor = skin::clWhite;
    XButton.SetFont(button_font);
    XButton.SetCaption(L"X");
    XButton.SetBounds(200, 3, 15, 15);
    XButton.SetRandfarbe(skin::clWhite);
    XButton.SetFarbe(kDefaultWindowColor);
    XButton.SetTextLeft(4);
    XButton.SetTextTop(1);
    XButton.OnClick = [this](skin::GraphicControl&) { hide_window(); };
    XButton.SetParent(&surface_->Host());
}

void MainWindow::start_drag() {
    // The system's move loop, as if the window had a caption bar.
    ::ReleaseCapture();
    ::SendMessageW(handle(), WM_SYSCOMMAND, SC_MOVE + 2, 0);
}

void MainWindow::apply_gauge_design(skin::TCoolGauge& gauge) {
    gauge.SetForeColor1(RM.Filer(L"GaugeColor1").ReadColor());
    gauge.SetForeColor2(RM.Filer(L"GaugeColor2").ReadColor());
    gauge.SetBackColor(RM.Filer(L"GaugeBackColor").ReadColor());
    gauge.SetFont(read_font(L"GaugeFont", L"GaugeFontStyle", gauge.Font()));
}

skin::Font MainWindow::read_font(const wchar_t* font_item, const wchar_t* style_item, const skin::Font& current) {
    const int ppi = screen_ppi();
    settings::FontSpec spec = font_spec_of(current, ppi);
    RM.Filer(font_item).ReadFont(spec);
    skin::Font font = font_with(current, spec, ppi);
    font.Style = static_cast<unsigned>(RM.Filer(style_item).ReadInteger()) & 0xFu;
    return font;
}

void MainWindow::CreateDefaultGauges() {
    const bool resume = SystemProbe.AutoRefresh();
    if (resume) SystemProbe.SetAutoRefresh(false);
    for (size_t i = 0; i < DefaultGauges.size(); ++i) {
        auto gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetBackColor(skin::clWhite);
        gauge->SetBorderStyle(skin::bsSingle);
        gauge->SetStyle(skin::sDithered);
        gauge->SetMaxValue(100);
        gauge->SetMinValue(0);
        gauge->SetProgress(0);
        gauge->SetForeColor1(0xFFFF00);
        gauge->SetForeColor2(0xFF8000);
        skin::Font font;
        font.Name = L"ＭＳ Ｐゴシック";
        font.Charset = skin::kShiftJisCharset;
        font.FontColor = 0xFF0000;
        font.Height = -13;
        font.Style = skin::fsBold;
        gauge->SetFont(font);
        gauge->SetText(L"%d%%");
        gauge->SetBounds(kGaugeLeft[i], kGaugeTop[i], kGaugeWidth, kGaugeHeight);
        gauge->OnMouseDown = Title.OnMouseDown;
        apply_gauge_design(*gauge);
        gauge->SetParent(&surface_->Host());
        DefaultGauges[i] = std::move(gauge);
    }
    // Bytes, so the refresh's figures fit without scaling.
    DefaultGauges[0]->SetMaxValue(static_cast<std::int64_t>(SystemProbe.Memory.PhysicalTotal));
    if (resume) SystemProbe.SetAutoRefresh(true);
}

void MainWindow::apply_fonts_and_button() {
    Title.SetFont(read_font(L"TitleFont", L"TitleFontStyle", Title.Font()));
    for (skin::TextLabel* label : {&Mem, &Swap, &CPU, &Sys, &User, &GDI}) {
        label->SetFont(read_font(L"WindowFont", L"WindowFontStyle", label->Font()));
    }
    skin::Font button_font = XButton.Font();
    button_font.FontColor = RM.Filer(L"ButtonFontColor").ReadColor();
    XButton.SetFont(button_font);
    XButton.SetFarbe(RM.Filer(L"ButtonColor").ReadColor());
    XButton.SetRandfarbe(RM.Filer(L"ButtonFrameColor").ReadColor());
}

void MainWindow::set_title(const std::wstring& text) { Title.SetCaption(text); }

void MainWindow::update_default_gauges(const DisplayFigures& figures) {
    if (!DefaultGauges[0]) return;
    skin::UpdateBatch batch(surface_->Host());
    auto& memory = *DefaultGauges[0];
    memory.SetProgress(static_cast<std::int64_t>(figures.PhysicalFree));
    memory.SetText(memory_gauge_text(static_cast<std::uint64_t>(memory.Progress()), state_.TotalMB));
    DefaultGauges[2]->SetProgress(shown_cpu_usage(figures.CPUUsage));
    DefaultGauges[3]->SetProgress(figures.SystemResources);
    DefaultGauges[4]->SetProgress(figures.UserResources);
    DefaultGauges[5]->SetProgress(figures.GDIResources);
    DefaultGauges[1]->SetProgress(figures.SwapUsage);
}

} // namespace qv::app
