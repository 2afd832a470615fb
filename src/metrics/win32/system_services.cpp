#include "metrics/win32/system_services.h"

#include <string>

#include "base/win32/error_report.h"

namespace qv::metrics::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr LONG kStatusNotImplemented = static_cast<LONG>(0xC0000002);

template <typename Function>
Function function_cast(FARPROC address) noexcept {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

class Win32RegistryKey : public RegistryKey {
public:
    // A predefined root of this machine: not ours to close.
    explicit Win32RegistryKey(HKEY predefined) noexcept : handle_(predefined) {}
    explicit Win32RegistryKey(win::UniqueKey owned) noexcept : handle_(owned.get()), owned_(std::move(owned)) {}

    std::unique_ptr<RegistryKey> open(std::string_view subkey) override {
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(handle_, std::string(subkey).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
            return nullptr;
        }
        return std::make_unique<Win32RegistryKey>(win::UniqueKey(opened));
    }

    std::optional<std::uint32_t> value_size(std::string_view name) override {
        DWORD size = 0;
        if (::RegQueryValueExA(handle_, std::string(name).c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return size;
    }

    std::optional<std::vector<std::uint8_t>> read(std::string_view name, std::uint32_t capacity) override {
        // Never a null buffer: with one, the call only tells the size.
        std::vector<std::uint8_t> data(capacity ? capacity : 1);
        DWORD size = capacity;
        if (::RegQueryValueExA(handle_, std::string(name).c_str(), nullptr, nullptr, data.data(), &size) !=
                ERROR_SUCCESS ||
            size > capacity) {
            return std::nullopt;
        }
        data.resize(size);
        return data;
    }

private:
    HKEY handle_;
    win::UniqueKey owned_;
};

} // namespace

Platform current_platform() noexcept {
#if defined(_WIN64)
    // A 64-bit build never runs on the 95 family, and the 16-bit code its figures come from is out of reach
    // of 64-bit code: the figures take the NT route even where Wine is set to report the 95 family. The
    // text layer follows GetVersion all the same.
    return Platform::Nt;
#else
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (::GetVersionExA(&info) && info.dwPlatformId != VER_PLATFORM_WIN32_NT) return Platform::Windows95;
    return Platform::Nt;
#endif
}

bool NtSystemInformation::load() {
    if (query_) return true;
    ntdll_.reset(::LoadLibraryA("ntdll"));
    if (!ntdll_) return false;
    query_ = function_cast<QueryFunction>(::GetProcAddress(ntdll_.get(), "NtQuerySystemInformation"));
    return query_ != nullptr;
}

std::int32_t NtSystemInformation::query(std::uint32_t info_class, void* buffer, std::uint32_t length) {
    if (!query_) return kStatusNotImplemented;
    return query_(info_class, buffer, length, nullptr);
}

std::unique_ptr<RegistryKey> SystemRegistry::root(RegistryRoot which, std::string_view machine) {
    HKEY predefined = which == RegistryRoot::DynData ? HKEY_DYN_DATA : HKEY_LOCAL_MACHINE;
    if (machine.empty()) return std::make_unique<Win32RegistryKey>(predefined);
    HKEY remote = nullptr;
    if (::RegConnectRegistryA(std::string(machine).c_str(), predefined, &remote) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(win::UniqueKey(remote));
}

FARPROC export_by_ordinal(HMODULE module, WORD ordinal) noexcept {
    if (!module) return nullptr;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!directory.VirtualAddress) return nullptr;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    if (ordinal < exports->Base || ordinal - exports->Base >= exports->NumberOfFunctions) return nullptr;
    const DWORD address = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions)[ordinal - exports->Base];
    const bool forwarded = address >= directory.VirtualAddress && address < directory.VirtualAddress + directory.Size;
    if (!address || forwarded) return nullptr;
    return reinterpret_cast<FARPROC>(const_cast<BYTE*>(base + address));
}

WindowTimer::WindowTimer() {
    register_class(L"QuorvaneRefreshTimer");
    try {
        create(L"QuorvaneRefreshTimer", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
    } catch (const std::exception&) {
        // Systems before Windows 2000 have no message-only windows: a hidden window that is never shown.
        create(L"QuorvaneRefreshTimer", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    }
}

WindowTimer::~WindowTimer() {
    enabled_ = false;
    apply();
    destroy();
}

void WindowTimer::set_handler(std::function<void()> on_tick) { on_tick_ = std::move(on_tick); }

void WindowTimer::set_interval(std::uint32_t milliseconds) {
    interval_ = milliseconds;
    apply();
}

void WindowTimer::set_enabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void WindowTimer::apply() noexcept {
    if (!handle()) return;
    if (enabled_ && interval_ > 0) {
        ::SetTimer(handle(), kTimerId, interval_, nullptr);  // replaces a running one
    } else {
        ::KillTimer(handle(), kTimerId);
    }
}

void WindowTimer::tick() noexcept {
    if (ticking_ || !on_tick_) return;
    ticking_ = true;
    try {
        on_tick_();
    } catch (...) {
        if (error_handler_) {
            try {
                error_handler_(std::current_exception());
            } catch (...) {
            }
        } else {
            win::report_current_exception(error_owner_);
        }
    }
    ticking_ = false;
}

LRESULT WindowTimer::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kTimerId) {
        tick();
        return 0;
    }
    return default_message(message, wparam, lparam);
}

} // namespace qv::metrics::win32
