#pragma once
// The Win32 side of the probe's and the monitor's interfaces.
#include <windows.h>

#include <exception>
#include <functional>

#include "base/win32/unique_handle.h"
#include "base/win32/window.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics::win32 {

// The NT family when GetVersionEx says so (always in a 64-bit build); anything else is the 95 family.
Platform current_platform() noexcept;

class SystemTickClock : public TickClock {
public:
    std::uint32_t tick_count() override { return ::GetTickCount(); }
};

// NtQuerySystemInformation from ntdll, found at run time (the 95 family has no ntdll).
class NtSystemInformation : public NtSystem {
public:
    bool load() override;
    std::int32_t query(std::uint32_t info_class, void* buffer, std::uint32_t length) override;

private:
    using QueryFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    win::UniqueLibrary ntdll_;
    QueryFunction query_ = nullptr;
};

// The 95 family's thunk services. Only a 32-bit program can reach 16-bit code, and only on the 95
// family are kernel32's ordinals 35, 36 and 37 these services: elsewhere every call fails, and the
// probe reports "Faild to call User.exe".
class Win9xThunk16 : public Thunk16 {
public:
    explicit Win9xThunk16(Platform platform) noexcept;
    std::uint16_t load_library16(const char* name) override;
    void free_library16(std::uint16_t instance) noexcept override;
    std::uint32_t get_proc_address16(std::uint16_t instance, const char* name) override;
    bool load_kernel32() override;
    bool find_qt_thunk() override;
    std::uint16_t call16(std::uint32_t target, std::uint16_t argument) override;
    void free_kernel32() noexcept override;

private:
    using LoadLibrary16Function = WORD(WINAPI*)(LPCSTR);
    using FreeLibrary16Function = void(WINAPI*)(WORD);
    using GetProcAddress16Function = DWORD(WINAPI*)(WORD, LPCSTR);
    LoadLibrary16Function load_library16_ = nullptr;
    FreeLibrary16Function free_library16_ = nullptr;
    GetProcAddress16Function get_proc_address16_ = nullptr;
    // K32WOWCallback16Ex: target, flags, argument bytes, arguments, result.
    using GenericThunkFunction = BOOL(WINAPI*)(DWORD, DWORD, DWORD, void*, DWORD*);
    win::UniqueLibrary kernel32_;
    FARPROC qt_thunk_ = nullptr;
    GenericThunkFunction generic_thunk_ = nullptr;
};

// An export of a loaded module by ordinal, read from its export table. The 95 family's GetProcAddress
// refuses ordinals of kernel32, so this is the way to its thunk services there. Null for a missing or
// forwarded export.
FARPROC export_by_ordinal(HMODULE module, WORD ordinal) noexcept;

// The registry through the ANSI calls (the 95 family has no others).
class SystemRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> root(RegistryRoot which, std::string_view machine) override;
};

// The probe's timer: SetTimer on a hidden message-only window of the creating thread, so any message
// loop of that thread drives it (the main window's). A tick never runs inside another tick: messages
// that a refresh or an error box lets run do not start a second refresh, and a refresh that keeps
// failing shows one error box at a time.
class WindowTimer : public RefreshTimer, private win::Window {
public:
    WindowTimer();  // throws AppError when the window cannot be made
    ~WindowTimer() override;

    void set_handler(std::function<void()> on_tick) override;
    void set_interval(std::uint32_t milliseconds) override;
    void set_enabled(bool enabled) override;

    // An exception from a tick goes to the program's error report, owned by this window (may be null)...
    void set_error_owner(HWND owner) noexcept { error_owner_ = owner; }
    // ... or to this handler instead.
    void set_error_handler(std::function<void(std::exception_ptr)> handler) { error_handler_ = std::move(handler); }

    HWND window() const noexcept { return handle(); }

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void apply() noexcept;
    void tick() noexcept;

    std::function<void()> on_tick_;
    std::function<void(std::exception_ptr)> error_handler_;
    HWND error_owner_ = nullptr;
    std::uint32_t interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
};

} // namespace qv::metrics::win32
