#include "base/win32/program_folder.h"
#include "settings/setting_items.h"
#include "settings/win32/file_dialogs.h"
#include "settings/win32/settings_dialog_pages.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kSkinFilter[] = L"スキンファイル (*.qvs)|*.qvs";

} // namespace

TSkinPage::TSkinPage(HWND dialog, const RECT& area, HFONT font, TRegManager& RM)
    : TSettingsPage(dialog, area, font), RM_(RM) {
    const int width = Width();
    constexpr int kRow = 22, kTop = 30;
    AddLabel(8, 12, L"スキンファイル");
    const int clear_width = TextWidth(L"クリア") + 20;
    Button12 = AddButton(width - 8 - clear_width, kTop, clear_width, kRow, L"クリア", kButton12Id);
    Button11 = AddButton(width - 8 - clear_width - 4 - 26, kTop, 26, kRow, L"...", kButton11Id);
    Edit3 = AddEdit(8, kTop, width - 8 - clear_width - 4 - 26 - 4 - 8, kRow, kEdit3Id);
}

void TSkinPage::Load(const DialogValues&) {
    ::SetWindowTextW(Edit3, RM_.Filer(items::SkinFileName).ReadString().c_str());
}

void TSkinPage::WriteBack(TRegManager& RM, const DialogValues&) {
    RM.Filer(items::SkinFileName).WriteString(TextOf(Edit3));
}

std::vector<TSettingsPage::TextField> TSkinPage::TextFields() const { return {{Edit3, L"スキンファイル"}}; }

void TSkinPage::OnCommand(HWND control, int code) {
    if (code != BN_CLICKED) return;
    if (control == Button11) Button11Click();
    if (control == Button12) ::SetWindowTextW(Edit3, L"");
}

void TSkinPage::Button11Click() {
    const std::wstring path = TextOf(Edit3);
    const std::optional<std::wstring> picked =
        path.empty() ? OpenFileDialog(::GetAncestor(Panel(), GA_ROOT), kSkinFilter, win::program_folder(), L"")
                     : OpenFileDialog(::GetAncestor(Panel(), GA_ROOT), kSkinFilter, FolderOf(path), path);
    if (picked) ::SetWindowTextW(Edit3, picked->c_str());
}

} // namespace qv::settings::win32
