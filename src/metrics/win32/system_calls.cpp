#include "metrics/win32/system_calls.h"

#include <string>

namespace qv::metrics::win32 {
namespace {

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

} // namespace qv::metrics::win32
