#pragma once
// The 95 family's route from 32-bit code to 16-bit functions.
#include <windows.h>

#include "base/win32/unique_handle.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics::win32 {

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

} // namespace qv::metrics::win32
