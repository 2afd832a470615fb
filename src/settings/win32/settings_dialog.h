#pragma once
// TForm2, the settings dialog "設定": six pages on a tab control, and OK, キャンセル and ヘルプ below. It
// reads the store when it opens and writes it only on an OK whose checks pass; OK and キャンセル both
// close it, and the caller re-reads the store afterwards whichever closed it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/win32/dialog_frame.h"
#include "base/win32/unique_handle.h"
#include "settings/reg_manager.h"
#include "settings/settings_dialog_values.h"
#include "settings/win32/store_services.h"

namespace qv::settings::win32 {

class TSettingsPage;

// Shows the dialog modally over `owner` (disabled meanwhile) and returns once it has closed: true when
// OK wrote the settings. `help` opens the dialog's help topic for the window it is given. `opened` is
// told the dialog's window once its controls are loaded, before it is shown. Throws AppError when the
// system cannot make the dialog.
bool ShowSettingsDialog(HWND owner, TRegManager& RM, std::int64_t total_mb, std::function<void(HWND dialog)> help,
                        const std::function<void(HWND dialog)>& opened = {});

class TForm2 final : public win::ModalDialog {
public:
    TForm2(TRegManager& RM, std::int64_t total_mb, std::function<void(HWND)> help);
    ~TForm2() override;

    // See ShowSettingsDialog.
    bool ShowModal(HWND owner, const std::function<void(HWND)>& opened = {});

private:
    INT_PTR on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void FormCreate();
    void CreatePages();
    HWND AddButton(int x, const wchar_t* text, int id) const;
    void ShowPage(size_t index);
    // The checks on the values as the pages hold them; a failure is shown and its field selected.
    bool ValuesPass(DialogValues& values);
    // OK's check that the settings file can hold every text field's text; a failure is shown and its
    // field selected.
    bool TextsPass();
    void SelectField(DialogField field);
    bool PageControl1Changing();
    void Button1Click();
    void Button2Click();
    void Button3Click();

    TRegManager& RM;
    std::int64_t total_mb_;
    std::function<void(HWND)> help_;
    std::function<void(HWND)> opened_;
    SystemKeyLayout layout_;
    HWND PageControl1 = nullptr;
    win::UniqueFont font_;  // outlives the controls that show it
    std::vector<std::unique_ptr<TSettingsPage>> pages_;
    size_t current_page_ = 0;
    bool written_ = false;
};

} // namespace qv::settings::win32
