#pragma once
// What the settings store needs from Windows: the settings file and the ANSI code page (from base), message
// boxes, and the keyboard layout's key names. One SystemServices object serves a store and must
// outlive it.
#include <windows.h>

#include "settings/hotkey_text.h"
#include "settings/reg_manager.h"
#include "base/win32/ansi_code_page.h"
#include "base/win32/file_store.h"

namespace qv::settings::win32 {

// Caption "エラー", error icon, OK; modal to the owner, or to the thread's windows when there is none.
class MessageBoxNotifier final : public Notifier {
public:
    void set_owner(HWND owner) noexcept { owner_ = owner; }
    void show_error(const std::wstring& text) override;

private:
    HWND owner_ = nullptr;
};

// Key names of the keyboard layout in force (MapVirtualKeyW, GetKeyNameTextW).
class SystemKeyLayout final : public KeyLayout {
public:
    std::wstring key_name(unsigned virtual_key) const override;
};

class SystemServices {
public:
    SystemServices() = default;
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;

    StoreServices services() noexcept { return {&files_, &ansi_, &notifier_}; }
    const KeyLayout& key_layout() const noexcept { return layout_; }
    // The window the store's message boxes belong to.
    void set_owner(HWND owner) noexcept { notifier_.set_owner(owner); }

private:
    win::Win32FileStore files_;
    win::AnsiCodec ansi_;
    MessageBoxNotifier notifier_;
    SystemKeyLayout layout_;
};

} // namespace qv::settings::win32
