#include "settings/win32/design_preview.h"

#include "app/app_info.h"

namespace qv::settings::win32 {
namespace {

constexpr skin::Color kDefaultWindowColor = 0xFF8000;
constexpr skin::Color kDefaultGaugeColor1 = 0xFFFF00;
constexpr skin::Color kDefaultGaugeColor2 = 0xFF8000;
constexpr int kGaugeWidth = 100, kGaugeHeight = 16;
constexpr int kGaugeLeft[6] = {5, 5, 5, 117, 117, 117};
constexpr int kGaugeTop[6] = {32, 61, 90, 32, 61, 90};
constexpr int kGaugeProgress[6] = {100, 100, 100, 50, 50, 50};

constexpr wchar_t kPGothic[] = L"ＭＳ Ｐゴシック";

// 10 points at 96 pixels an inch.
skin::Font gauge_font() { return {kPGothic, -13, skin::fsBold, skin::kShiftJisCharset, skin::clBlue}; }

} // namespace

skin::Font TitlePFont() { return {kPGothic, -15, skin::fsBold, skin::kShiftJisCharset, skin::clWhite}; }

skin::Font LabelFont() { return {kPGothic, -11, skin::fsBold, 0 /* ANSI_CHARSET */, skin::clWhite}; }

TDesignPreview::TDesignPreview(HWND parent, int x, int y, int id)
    : Panel1(std::make_unique<skin::win::GraphicPanel>(parent, x, y, kWidth, kHeight)) {
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
    TitleP.SetCaption(app::kAppTitle);
    TitleP.SetBounds(2, 1, 162, 15);
    TitleP.SetParent(&host);

    struct CaptionPlace { skin::TextLabel* label; const wchar_t* caption; int left, top; };
    const CaptionPlace captions[] = {{&MemP, L"Memory", 5, 19},         {&SwapP, L"Swap", 5, 48},
                                     {&CPUP, L"CPU", 5, 77},             {&SysP, L"System Resource", 117, 19},
                                     {&UserP, L"User Resource", 117, 48}, {&GDIP, L"GDI Resource", 117, 77}};
    for (const auto& c : captions) {
        c.label->SetFont(LabelFont());
        c.label->SetCaption(c.caption);
        c.label->SetLeft(c.left);
        c.label->SetTop(c.top);
        c.label->SetParent(&host);
    }

    XButtonP.SetFont({L"ＭＳ 明朝", -13, skin::fsBold, skin::kDefaultCharset, skin::clWhite});
    XButtonP.SetCaption(L"X");
    XButtonP.SetBounds(200, 3, 15, 15);
    XButtonP.SetRandfarbe(skin::clWhite);
    XButtonP.SetFarbe(kDefaultWindowColor);
    XButtonP.SetParent(&host);

    for (size_t i = 0; i < PreviewGauges.size(); ++i) {
        auto gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetBounds(kGaugeLeft[i], kGaugeTop[i], kGaugeWidth, kGaugeHeight);
        gauge->SetBorderStyle(skin::bsSingle);
        gauge->SetStyle(skin::sDithered);
        gauge->SetMinValue(0);
        gauge->SetMaxValue(100);
        gauge->SetProgress(kGaugeProgress[i]);
        gauge->SetForeColor1(kDefaultGaugeColor1);
        gauge->SetForeColor2(kDefaultGaugeColor2);
        gauge->SetFont(gauge_font());
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
    SetGaugeColor1(kDefaultGaugeColor1);
    SetGaugeColor2(kDefaultGaugeColor2);
    SetGaugeBackColor(skin::clWhite);
    skin::Font font = gauge_font();
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
