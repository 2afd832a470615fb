#include "settings/win32/settings_dialog.h"

#include <commctrl.h>

#include "base/win32/display_scale.h"
#include "settings/win32/settings_dialog_pages.h"
#include "skin/win32/gdi_text.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kCaption[] = L"設定";
constexpr int kClientWidth = 374, kClientHeight = 359;
constexpr int kMargin = 8, kPageMargin = 6, kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 6;
constexpr const wchar_t* kPageCaptions[] = {L"メモリの最適化", L"表示関連", L"操作関連",
                                            L"デザイン",       L"スキン",   L"ショートカット"};

} // namespace

bool ShowSettingsDialog(HWND owner, TRegManager& RM, std::int64_t total_mb, std::function<void(HWND)> help,
                        const std::function<void(HWND)>& opened) {
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&classes);
    TForm2 form(RM, total_mb, std::move(help));
    return form.ShowModal(owner, opened);
}

TForm2::TForm2(TRegManager& store, std::int64_t total_mb, std::function<void(HWND)> help)
    : RM(store), total_mb_(total_mb), help_(std::move(help)) {}

TForm2::~TForm2() = default;

bool TForm2::ShowModal(HWND owner, const std::function<void(HWND)>& opened) {
    opened_ = opened;
    written_ = false;
    run_modal(owner, kCaption);
    pages_.clear();
    return written_;
}

INT_PTR TForm2::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        if (opened_) opened_(window_);
        return FALSE;  // the focus is placed already
    case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED || !lparam) return TRUE;  // Enter and Esc: no default or cancel button
        switch (LOWORD(wparam)) {
        case kButton1Id: Button1Click(); break;
        case kButton2Id: Button2Click(); break;
        case kButton3Id: Button3Click(); break;
        }
        return TRUE;
    case WM_CLOSE:  // the close box
        ::EndDialog(window_, IDCANCEL);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->hwndFrom != PageControl1) return FALSE;
        if (header->code == TCN_SELCHANGING) {
            ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, PageControl1Changing() ? FALSE : TRUE);
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
            const LRESULT selected = ::SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0);
            if (selected >= 0) ShowPage(static_cast<size_t>(selected));
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

void TForm2::FormCreate() {
    // Laid out at 96 pixels an inch, drawn at the system's scale.
    using win::scaled;
    font_ = skin::win::CreateFontFor({L"ＭＳ Ｐゴシック", scaled(-12), 0, skin::kShiftJisCharset, skin::clBlack});
    win::center_with_client_size(window_, scaled(kClientWidth), scaled(kClientHeight));

    const int buttons_top = kClientHeight - kMargin - kButtonHeight;
    PageControl1 = ::CreateWindowExW(0, WC_TABCONTROLW, L"",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE,
                                     scaled(kPageMargin), scaled(kPageMargin), scaled(kClientWidth - 2 * kPageMargin),
                                     scaled(buttons_top - kPageMargin - kMargin), window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageControl1Id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(PageControl1, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (int i = 0; i < static_cast<int>(std::size(kPageCaptions)); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
        ::SendMessageW(PageControl1, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    const int help_x = kClientWidth - kMargin - kButtonWidth;
    AddButton(help_x - 2 * (kButtonWidth + kButtonGap), L"OK", kButton1Id);
    AddButton(help_x - (kButtonWidth + kButtonGap), L"キャンセル", kButton2Id);
    AddButton(help_x, L"ヘルプ(&H)", kButton3Id);

    CreatePages();
    const DialogValues values = read_dialog_values(RM, layout_);
    for (const auto& page : pages_) page->Load(values);
    ShowPage(0);
    ::SetFocus(PageControl1);
    // Asked for from the tray or by a hotkey, the program has no active window of its own.
    ::SetForegroundWindow(window_);
}

void TForm2::CreatePages() {
    // The pages' area: the tab control's display area, in the dialog's coordinates.
    RECT area{};
    ::GetClientRect(PageControl1, &area);
    ::SendMessageW(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::MapWindowPoints(PageControl1, window_, reinterpret_cast<POINT*>(&area), 2);
    HFONT font = font_.get();
    pages_.push_back(std::make_unique<TMemoryPage>(window_, area, font, total_mb_));
    pages_.push_back(std::make_unique<TDisplayPage>(window_, area, font));
    pages_.push_back(std::make_unique<THotKeyPage>(window_, area, font));
    pages_.push_back(std::make_unique<TDesignPage>(window_, area, font, RM));
    pages_.push_back(std::make_unique<TSkinPage>(window_, area, font, RM));
    pages_.push_back(std::make_unique<TShortcutPage>(window_, area, font));
}

HWND TForm2::AddButton(int x, const wchar_t* text, int id) const {
    using win::scaled;
    HWND button = ::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, scaled(x),
                                    scaled(kClientHeight - kMargin - kButtonHeight), scaled(kButtonWidth),
                                    scaled(kButtonHeight), window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                    nullptr);
    ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return button;
}

void TForm2::ShowPage(size_t index) {
    current_page_ = index;
    ::SendMessageW(PageControl1, TCM_SETCURSEL, index, 0);
    for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->Show(i == index);
}

bool TForm2::ValuesPass(DialogValues& values) {
    for (const auto& page : pages_) page->Collect(values);
    const std::optional<CheckFailure> failure = check_dialog_values(values, total_mb_);
    if (!failure) return true;
    ::MessageBoxW(window_, failure->message.c_str(), L"ERROR", MB_OK | MB_ICONWARNING);
    SelectField(failure->field);
    return false;
}

bool TForm2::TextsPass() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        for (const TSettingsPage::TextField& text : pages_[i]->TextFields()) {
            const std::optional<std::wstring> failure = text_field_failure(text.caption, TextOf(text.edit));
            if (!failure) continue;
            ::MessageBoxW(window_, failure->c_str(), L"ERROR", MB_OK | MB_ICONWARNING);
            if (i != current_page_) ShowPage(i);
            ::SetFocus(text.edit);
            ::SendMessageW(text.edit, EM_SETSEL, 0, -1);
            return false;
        }
    }
    return true;
}

void TForm2::SelectField(DialogField field) {
    for (size_t i = 0; i < pages_.size(); ++i) {
        controls::TSpinNumberEdit* spin = pages_[i]->Field(field);
        if (!spin) continue;
        // A field on another page is brought into view: a value out of range there (as stored) would
        // otherwise hold every page change and OK with no way to reach it.
        if (i != current_page_) ShowPage(i);
        if (::IsWindowEnabled(spin->handle())) ::SetFocus(spin->EditWindow());
        ::SendMessageW(spin->EditWindow(), EM_SETSEL, 0, -1);
        return;
    }
}

bool TForm2::PageControl1Changing() {
    DialogValues values;
    return ValuesPass(values);
}

void TForm2::Button1Click() {
    DialogValues values;
    if (!ValuesPass(values) || !TextsPass()) return;
    // All the values in one replacement of the file: a failure leaves the settings as they were, and
    // the dialog open.
    WriteBatch batch(RM);
    write_dialog_values(RM, values, layout_);
    for (const auto& page : pages_) page->WriteBack(RM, values);
    batch.Commit();
    written_ = true;
    ::EndDialog(window_, IDOK);
}

void TForm2::Button2Click() { ::EndDialog(window_, IDCANCEL); }

void TForm2::Button3Click() {
    if (help_) help_(window_);
}

} // namespace qv::settings::win32
