#include "base/win32/display_scale.h"
#include "settings/win32/design_font_items.h"
#include "settings/win32/design_preview.h"
#include "settings/win32/file_dialogs.h"
#include "settings/win32/settings_dialog_pages.h"
#include "skin/win32/picture_file.h"

namespace qv::settings::win32 {
namespace {

enum Element { eWindow, eGauge, eGaugeBack, eTitle, eButtonGlyph, eButtonFace, eButtonFrame };

constexpr size_t kBackgroundColors = 5;  // TrayColors[k + 5] is the background of metric k

ColorItem tray_color_item(size_t index) {
    return index < kBackgroundColors ? items::kIconTextColors[index]
                                     : items::kIconBackColors[index - kBackgroundColors];
}
constexpr wchar_t kPictureFilter[] =
    L"すべての画像ファイル (*.bmp, *.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg|ビットマップファイル (*.bmp)|*.bmp|"
    L"jpegファイル (*.jpg, *.jpeg)|*.jpg;*.jpeg";
constexpr int kRow = 22;  // height of the buttons, fields and lists

void show(HWND control, bool shown) {
    ::ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
    ::EnableWindow(control, shown ? TRUE : FALSE);
}

} // namespace

TDesignPage::TDesignPage(HWND dialog, const RECT& area, HFONT font, TRegManager& RM)
    : TSettingsPage(dialog, area, font), RM_(RM) {
    const int width = Width();
    const int preview_x = width - 8 - TDesignPreview::kWidth;
    const int left_width = preview_x - 8 - 8;

    // The window: element, its colours and font, beside the preview.
    AddLabel(8, 8, L"ウインドウのデザイン");
    AddLabel(preview_x + TDesignPreview::kWidth - TextWidth(L"ウインドウ"), 8, L"ウインドウ");
    ComboBox1 = AddCombo(8, 16, left_width, kComboBox1Id,
                         {L"ウインドウ", L"ゲージ", L"ゲージの背景", L"タイトル", L"ボタンの文字", L"ボタンの背景",
                          L"ボタンの枠"});
    const int color_x = 8 + std::max(TextWidth(L"色"), TextWidth(L"色2")) + 6;
    const int color_width = 8 + left_width - color_x;
    ColorLabel1 = AddLabel(8, 40 + kRow / 2, L"色");
    using win::scaled;
    ColorButton1 = std::make_unique<controls::TSelectColorButton>(Panel(), scaled(color_x), scaled(40),
                                                                  scaled(color_width), scaled(kRow), kColorButton1Id);
    ColorLabel2 = AddLabel(8, 64 + kRow / 2, L"色2");
    ColorButton2 = std::make_unique<controls::TSelectColorButton>(Panel(), scaled(color_x), scaled(64),
                                                                  scaled(color_width), scaled(kRow), kColorButton2Id);
    Font = AddButton(8, 89, left_width, kRow, L"フォント変更▼", kFontId);
    Button8 = AddButton(8, 114, left_width, kRow, L"デフォルトに戻す", kButton8Id);
    preview_ = std::make_unique<TDesignPreview>(Panel(), scaled(preview_x), scaled(16), kPanel1Id);
    ColorButton1->OnClick = [this](controls::TSelectColorButton&) { ColorButton1Click(); };
    ColorButton2->OnClick = [this](controls::TSelectColorButton&) { ColorButton2Click(); };

    // The tray icons: the metric, its two colours, and the icon as it will look.
    AddLabel(8, 147, L"トレイアイコンのデザイン");
    ComboBox2 = AddCombo(8, 156, 170, kComboBox2Id,
                         {L"システム リソース表示時", L"User リソース表示時", L"GDI リソース表示時",
                          L"CPU 使用率表示時", L"空きメモリ表示時"});
    HWND tray_label = AddLabel(190, 166, L"トレイアイコン");
    const int tray_side = scaled(17);
    Tray = std::make_unique<skin::win::GraphicPanel>(Panel(), scaled(RightOf(tray_label) + 6), scaled(158), tray_side,
                                                     tray_side);
    ::SetWindowLongPtrW(Tray->handle(), GWLP_ID, kTrayId);
    TrayS.SetFont({L"ＭＳ Ｐゴシック", scaled(-13), skin::fsBold, skin::kShiftJisCharset, skin::clWhite});
    TrayS.SetCaption(L"50");
    TrayS.SetParent(&Tray->Host());
    TrayS.SetBounds((tray_side - TrayS.Width()) / 2, (tray_side - TrayS.Height()) / 2, TrayS.Width(), TrayS.Height());
    constexpr int kTrayColorsRow = 181;
    HWND text_label = AddLabel(8, kTrayColorsRow + kRow / 2, L"文字色");
    ISCButton = std::make_unique<controls::TSelectColorButton>(Panel(), scaled(RightOf(text_label) + 6),
                                                               scaled(kTrayColorsRow), scaled(70), scaled(kRow),
                                                               kISCButtonId);
    HWND back_label = AddLabel(RightOf(ISCButton->handle()) + 16, kTrayColorsRow + kRow / 2, L"背景色");
    IBCButton = std::make_unique<controls::TSelectColorButton>(Panel(), scaled(RightOf(back_label) + 6),
                                                               scaled(kTrayColorsRow), scaled(70), scaled(kRow),
                                                               kIBCButtonId);
    ISCButton->OnClick = [this](controls::TSelectColorButton&) { ISCButtonClick(); };
    IBCButton->OnClick = [this](controls::TSelectColorButton&) { IBCButtonClick(); };

    // The background picture and where it goes.
    constexpr int kPictureRow = 230;
    AddLabel(8, kPictureRow - 13, L"ウインドウの背景画像");
    HWND place_label = AddLabel(width - 8 - 110 - 6 - TextWidth(L"表示位置"), kPictureRow - 13, L"表示位置");
    ComboBox3 = AddCombo(RightOf(place_label) + 6, kPictureRow - 24, 110, kComboBox3Id, {L"中央に表示", L"ストレッチ"});
    const int clear_width = TextWidth(L"クリア") + 20;
    Button10 = AddButton(width - 8 - clear_width, kPictureRow, clear_width, kRow, L"クリア", kButton10Id);
    Button9 = AddButton(width - 8 - clear_width - 4 - 26, kPictureRow, 26, kRow, L"...", kButton9Id);
    BF = AddEdit(8, kPictureRow, width - 8 - clear_width - 4 - 26 - 4 - 8, kRow, kBFId);
}

TDesignPage::~TDesignPage() = default;

HWND TDesignPage::Dialog() const { return ::GetAncestor(Panel(), GA_ROOT); }

int TDesignPage::Element() const { return static_cast<int>(::SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0)); }

size_t TDesignPage::Metric() const {
    const LRESULT selected = ::SendMessageW(ComboBox2, CB_GETCURSEL, 0, 0);
    return selected < 0 ? 0 : static_cast<size_t>(selected);
}

void TDesignPage::Load(const DialogValues&) {
    ::SendMessageW(ComboBox1, CB_SETCURSEL, 0, 0);
    ::SendMessageW(ComboBox2, CB_SETCURSEL, 0, 0);
    show(ColorButton2->handle(), false);
    show(ColorLabel2, false);
    ::EnableWindow(Font, TRUE);

    TrayColors = {skin::clWhite, skin::clWhite, skin::clWhite, skin::clWhite, skin::clWhite,
                  skin::clBlue,  skin::clBlue,  skin::clBlue,  skin::clBlue,  skin::clBlue};
    for (size_t i = 0; i < TrayColors.size(); ++i) {
        TrayColors[i] = ReadDesignColor(RM_, tray_color_item(i), TrayColors[i]);
    }
    ISCButton->SetColor(TrayColors[0]);
    IBCButton->SetColor(TrayColors[kBackgroundColors]);

    TDesignPreview& p = *preview_;
    p.SetWindowColor(ReadDesignColor(RM_, items::WindowColor, p.WindowColor()));
    ColorButton1->SetColor(p.WindowColor());
    p.SetGaugeColor1(ReadDesignColor(RM_, items::GaugeColor1, p.Gauge().ForeColor1()));
    p.SetGaugeColor2(ReadDesignColor(RM_, items::GaugeColor2, p.Gauge().ForeColor2()));
    p.SetGaugeBackColor(ReadDesignColor(RM_, items::GaugeBackColor, p.Gauge().BackColor()));
    p.SetGaugeFont(ReadDesignFont(RM_, items::GaugeFont, items::GaugeFontStyle, p.Gauge().Font()));
    p.TitleP.SetFont(ReadDesignFont(RM_, items::TitleFont, items::TitleFontStyle, p.TitleP.Font()));
    p.SetCaptionFont(ReadDesignFont(RM_, items::WindowFont, items::WindowFontStyle, p.CaptionFont()));
    skin::Font glyph = p.XButtonP.Font();
    glyph.FontColor = ReadDesignColor(RM_, items::ButtonFontColor, glyph.FontColor);
    p.XButtonP.SetFont(glyph);
    p.XButtonP.SetFarbe(ReadDesignColor(RM_, items::ButtonColor, p.XButtonP.Farbe()));
    p.XButtonP.SetRandfarbe(ReadDesignColor(RM_, items::ButtonFrameColor, p.XButtonP.Randfarbe()));

    ShowTrayColors(0);
    ::SendMessageW(ComboBox3, CB_SETCURSEL, 0, 0);
    const std::wstring back_image = RM_.Filer(items::BackImage).ReadString();
    if (!back_image.empty()) {
        ::SetWindowTextW(BF, back_image.c_str());
        const int placement = RM_.Filer(items::WD).ReadInteger();
        ::SendMessageW(ComboBox3, CB_SETCURSEL, static_cast<WPARAM>(placement), 0);
        p.SetPicturePlacement(placement);
        LoadBackImage(back_image);
    }
}

void TDesignPage::WriteBack(TRegManager& RM, const DialogValues& values) {
    const TDesignPreview& p = *preview_;
    RM.Filer(items::WindowColor).WriteColor(p.WindowColor());
    RM.Filer(items::GaugeColor1).WriteColor(p.Gauge().ForeColor1());
    RM.Filer(items::GaugeColor2).WriteColor(p.Gauge().ForeColor2());
    RM.Filer(items::GaugeBackColor).WriteColor(p.Gauge().BackColor());
    WriteDesignFont(RM, items::GaugeFont, items::GaugeFontStyle, p.Gauge().Font());
    WriteDesignFont(RM, items::TitleFont, items::TitleFontStyle, p.TitleP.Font());
    WriteDesignFont(RM, items::WindowFont, items::WindowFontStyle, p.CaptionFont());
    RM.Filer(items::ButtonFontColor).WriteColor(p.XButtonP.Font().FontColor);
    RM.Filer(items::ButtonColor).WriteColor(p.XButtonP.Farbe());
    RM.Filer(items::ButtonFrameColor).WriteColor(p.XButtonP.Randfarbe());
    for (size_t i = 0; i < TrayColors.size(); ++i) RM.Filer(tray_color_item(i)).WriteColor(TrayColors[i]);
    RM.Filer(items::TransFlag).WriteBool(values.TransFlag);
    RM.Filer(items::BackImage).WriteString(TextOf(BF));
    RM.Filer(items::WD).WriteInteger(static_cast<std::int32_t>(::SendMessageW(ComboBox3, CB_GETCURSEL, 0, 0)));
}

std::vector<TSettingsPage::TextField> TDesignPage::TextFields() const {
    return {{BF, L"ウインドウの背景画像"}};
}

void TDesignPage::OnCommand(HWND control, int code) {
    if (code == CBN_SELCHANGE) {
        if (control == ComboBox1) ComboBox1Change();
        if (control == ComboBox2) ComboBox2Change();
        if (control == ComboBox3) ComboBox3Change();
        return;
    }
    if (code != BN_CLICKED) return;
    if (control == Font) FontClick();
    if (control == Button8) Button8Click();
    if (control == Button9) Button9Click();
    if (control == Button10) Button10Click();
}

void TDesignPage::ComboBox1Change() {
    const TDesignPreview& p = *preview_;
    const int element = Element();
    show(ColorButton1->handle(), element != eTitle);
    show(ColorLabel1, element != eTitle);
    show(ColorButton2->handle(), element == eGauge);
    show(ColorLabel2, element == eGauge);
    ::EnableWindow(Font, element == eWindow || element == eGauge || element == eTitle);
    switch (element) {
    case eWindow: ColorButton1->SetColor(p.WindowColor()); break;
    case eGauge:
        ColorButton1->SetColor(p.Gauge().ForeColor1());
        ColorButton2->SetColor(p.Gauge().ForeColor2());
        break;
    case eGaugeBack: ColorButton1->SetColor(p.Gauge().BackColor()); break;
    case eButtonGlyph: ColorButton1->SetColor(p.XButtonP.Font().FontColor); break;
    case eButtonFace: ColorButton1->SetColor(p.XButtonP.Farbe()); break;
    case eButtonFrame: ColorButton1->SetColor(p.XButtonP.Randfarbe()); break;
    default: break;
    }
}

void TDesignPage::ColorButton1Click() {
    TDesignPreview& p = *preview_;
    const skin::Color color = ColorButton1->Color();
    switch (Element()) {
    case eWindow: p.SetWindowColor(color); break;
    case eGauge: p.SetGaugeColor1(color); break;
    case eGaugeBack: p.SetGaugeBackColor(color); break;
    case eButtonGlyph: {
        skin::Font glyph = p.XButtonP.Font();
        glyph.FontColor = color;
        p.XButtonP.SetFont(glyph);
        break;
    }
    case eButtonFace: p.XButtonP.SetFarbe(color); break;
    case eButtonFrame: p.XButtonP.SetRandfarbe(color); break;
    default: break;
    }
}

void TDesignPage::ColorButton2Click() {
    if (Element() == eGauge) preview_->SetGaugeColor2(ColorButton2->Color());
}

void TDesignPage::FontClick() {
    TDesignPreview& p = *preview_;
    const int element = Element();
    const skin::Font* current = element == eWindow ? &p.CaptionFont()
                                : element == eGauge ? &p.Gauge().Font()
                                : element == eTitle ? &p.TitleP.Font()
                                                    : nullptr;
    if (!current) return;
    const std::optional<skin::Font> chosen = ChooseFontDialog(Dialog(), *current);
    if (!chosen) return;
    if (element == eWindow) p.SetCaptionFont(*chosen);
    if (element == eGauge) p.SetGaugeFont(*chosen);
    if (element == eTitle) p.TitleP.SetFont(*chosen);
}

void TDesignPage::ShowTrayColors(size_t metric) {
    TrayS.SetFont([&] {
        skin::Font font = TrayS.Font();
        font.FontColor = TrayColors[metric];
        return font;
    }());
    Tray->Host().SetColor(TrayColors[metric + kBackgroundColors]);
}

void TDesignPage::ComboBox2Change() {
    const size_t metric = Metric();
    ISCButton->SetColor(TrayColors[metric]);
    IBCButton->SetColor(TrayColors[metric + kBackgroundColors]);
    ShowTrayColors(metric);
}

void TDesignPage::ISCButtonClick() {
    TrayColors[Metric()] = ISCButton->Color();
    ShowTrayColors(Metric());
}

void TDesignPage::IBCButtonClick() {
    TrayColors[Metric() + kBackgroundColors] = IBCButton->Color();
    ShowTrayColors(Metric());
}

void TDesignPage::Button8Click() {
    preview_->RestoreDefaults();
    ComboBox1Change();
}

void TDesignPage::Button9Click() {
    const std::wstring path = TextOf(BF);
    const std::optional<std::wstring> picked = OpenFileDialog(Dialog(), kPictureFilter, FolderOf(path), path);
    if (!picked) return;
    ::SetWindowTextW(BF, picked->c_str());
    LoadBackImage(*picked);
}

void TDesignPage::Button10Click() {
    ::SetWindowTextW(BF, L"");
    preview_->BackImageP.SetPicture(skin::Image{});
}

void TDesignPage::ComboBox3Change() {
    preview_->SetPicturePlacement(static_cast<int>(::SendMessageW(ComboBox3, CB_GETCURSEL, 0, 0)));
}

void TDesignPage::LoadBackImage(const std::wstring& path) {
    try {
        preview_->BackImageP.SetPicture(skin::win::LoadPictureFile(path));
    } catch (const skin::win::PictureFileError& e) {
        ::MessageBoxW(Dialog(),
                      e.kind() == skin::win::PictureFileError::CannotOpen
                          ? L"背景画像が読み込めません"
                          : L"背景画像ファイルが認識できるファイルではありません",
                      L"ERROR", MB_OK | MB_ICONWARNING);
    }
}

} // namespace qv::settings::win32
