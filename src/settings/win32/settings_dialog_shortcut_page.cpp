#include "settings/win32/make_short_cut.h"
#include "settings/win32/settings_dialog_pages.h"

namespace qv::settings::win32 {

TShortcutPage::TShortcutPage(HWND dialog, const RECT& area, HFONT font) : TSettingsPage(dialog, area, font) {
    const int width = Width();
    constexpr int kButtonHeight = 25;
    AddGroup(8, 6, width - 16, 206, L"ショートカット");
    const int inner = width - 40;
    const int button_width = inner - 32;
    AddGroup(20, 28, inner, 84, L"作成");
    Button4 = AddButton(36, 50, button_width, kButtonHeight, L"スタートアップにショートカットを作成", kButton4Id);
    Button5 = AddButton(36, 80, button_width, kButtonHeight, L"デスクトップにショートカットを作成", kButton5Id);
    AddGroup(20, 118, inner, 84, L"削除");
    Button7 = AddButton(36, 140, button_width, kButtonHeight, L"スタートアップからショートカットを削除", kButton7Id);
    Button6 = AddButton(36, 170, button_width, kButtonHeight, L"デスクトップからショートカットを削除", kButton6Id);
}

void TShortcutPage::OnCommand(HWND control, int code) {
    if (code != BN_CLICKED) return;
    HWND dialog = ::GetAncestor(Panel(), GA_ROOT);
    if (control == Button4) create_program_shortcut(dialog, L"Startup");
    if (control == Button5) create_program_shortcut(dialog, L"Desktop");
    if (control == Button7) delete_program_shortcut(dialog, L"Startup");
    if (control == Button6) delete_program_shortcut(dialog, L"Desktop");
}

} // namespace qv::settings::win32
