#include "settings/win32/design_preview.h"

#include "base/win32/display_scale.h"
#include "skin/default_design.h"

namespace qv::settings::win32 {
namespace {

namespace layout = skin::default_design;

using layout::kDefaultWindowColor;
constexpr int kGaugeProgress[6] = {100, 100, 100, 50, 50, 50};
constexpr int kEdge = 1;  // the lowered edge, one pixel at every scale

// The miniature is the window at the system's scale, as the window itself is drawn.
using win::scaled;
skin::Font scaled(skin::Font font) {
    font.Height = scaled(font.Height);
    return font;
}

} // namespace

skin::Font TitlePFont() { return scaled(layout::TitleFont()); }

skin::Font LabelFont() { return scaled(layout::CaptionFont()); }

TDesignPreview::TDesignPreview(HWND parent, int x, int y, int id)
    : Panel1(std::make_unique<skin::win::GraphicPanel>(parent, x, y, scaled(kWidth - 2 * kEdge) + 2 * kEdge,
                                                       scaled(kHeight - 2 * kEdge) + 2 * kEdge)) {
    ::SetWindowLongPtrW(Handle(), GWLP_ID, id);
    // A lowered inner bevel around the miniature window.
    ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_STATICEDGE);
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    skin::GraphicHost& host = Panel1->Host();
    host.SetColor(kDefaultWindowColor);

    RECT client{};
    ::GetClientRect(Handle(), &client);
    BackImageP.SetBounds(0, 0, client.right, client.bottom);
    BackImageP.SetParent(&host);

    TitleP.SetFont(TitlePFont());
    TitleP.SetCaption(layout::kTitleCaption);
    const skin::Rect& title = layout::kTitleBounds;
    TitleP.SetBounds(scaled(title.left), scaled(title.top), scaled(title.Width()), scaled(title.Height()));
    TitleP.SetParent(&host);

    skin::TextLabel* const captions[] = {&MemP, &SwapP, &CPUP, &SysP, &UserP, &GDIP};
    for (size_t i = 0; i < layout::kCaptions.size(); ++i) {
        captions[i]->SetFont(LabelFont());
        captions[i]->SetCaption(layout::kCaptions[i].caption);
        captions[i]->SetLeft(scaled(layout::kCaptions[i].left));
        captions[i]->SetTop(scaled(layout::kCaptions[i].top));
        captions[i]->SetParent(&host);
    }

    const skin::Rect& button = layout::kCloseButtonBounds;
    XButtonP.SetFont(scaled(layout::CloseButtonFont()));
    XButtonP.SetCaption(L"X");
    XButtonP.SetBounds(scaled(button.left), scaled(button.top), scaled(button.Width()), scaled(button.Height()));
    XButtonP.SetRandfarbe(skin::clWhite);
    XButtonP.SetFarbe(kDefaultWindowColor);
    XButtonP.SetParent(&host);

    for (size_t i = 0; i < PreviewGauges.size(); ++i) {
        auto gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetBounds(scaled(layout::kGaugeLeft[i]), scaled(layout::kGaugeTop[i]), scaled(layout::kGaugeWidth),
                         scaled(layout::kGaugeHeight));
        // Made as the window's gauges are: a background that the settings cannot read stays theirs.
        gauge->SetBackColor(layout::kGaugeBackColor);
        gauge->SetBorderStyle(skin::bsSingle);
        gauge->SetStyle(skin::sDithered);
        gauge->SetMinValue(0);
        gauge->SetMaxValue(100);
        gauge->SetProgress(kGaugeProgress[i]);
        gauge->SetForeColor1(layout::kGaugeColor1);
        gauge->SetForeColor2(layout::kGaugeColor2);
        gauge->SetFont(scaled(layout::GaugeFont()));
        gauge->SetText(i == 0 ? L"128/128 MB" : L"%d%%");
        gauge->SetParent(&host);
        PreviewGauges[i] = std::move(gauge);
    }
}

TDesignPreview::~TDesignPreview() = default;

void TDesignPreview::SetWindowColor(skin::Color color) { Panel1->Host().SetColor(color); }

void TDesignPreview::SetGaugeColor1(skin::Color color) {
    for (auto& gauge : PreviewGauges) gauge->SetForeColor1(color);
}

void TDesignPreview::SetGaugeColor2(skin::Color color) {
    for (auto& gauge : PreviewGauges) gauge->SetForeColor2(color);
}

void TDesignPreview::SetGaugeBackColor(skin::Color color) {
    for (auto& gauge : PreviewGauges) gauge->SetBackColor(color);
}

void TDesignPreview::SetGaugeFont(const skin::Font& font) {
    for (auto& gauge : PreviewGauges) gauge->SetFont(font);
}

void TDesignPreview::SetCaptionFont(const skin::Font& font) {
    for (skin::TextLabel* label : Captions()) label->SetFont(font);
}

void TDesignPreview::RestoreDefaults() {
    skin::UpdateBatch batch(Panel1->Host());
    SetGaugeColor1(layout::kGaugeColor1);
    SetGaugeColor2(layout::kGaugeColor2);
    SetGaugeBackColor(layout::kGaugeBackColor);
    skin::Font font = scaled(layout::GaugeFont());
    font.Charset = Gauge().Font().Charset;  // the face, size, colour and style are restored
    SetGaugeFont(font);
    SetWindowColor(kDefaultWindowColor);
    TitleP.SetFont(TitlePFont());
    SetCaptionFont(LabelFont());
    XButtonP.SetFarbe(kDefaultWindowColor);
    XButtonP.SetRandfarbe(skin::clWhite);
    skin::Font glyph = XButtonP.Font();
    glyph.FontColor = skin::clWhite;
    XButtonP.SetFont(glyph);
}

void TDesignPreview::SetPicturePlacement(int placement) {
    if (placement == 0) {
        BackImageP.SetCenter(true);
        BackImageP.SetStretch(false);
    } else if (placement == 1) {
        BackImageP.SetStretch(true);
        BackImageP.SetCenter(false);
    }
}

} // namespace qv::settings::win32
