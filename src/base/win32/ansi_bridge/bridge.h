#pragma once
// The 95 family implements only a handful of the wide-character functions (MessageBoxW, TextOutW, the
// text-extent functions, GetCommandLineW, lstrlenW and the code-page conversions); every other one is a
// stub that fails. The program and the runtime linked into it still call the wide functions: each one
// they import is bridged here instead of imported.
//
// A bridge defines the import slot the compiler calls through (`__imp_` + the function's decorated
// name), so every caller in the executable reaches it without knowing. Its first call decides once:
// on the NT family it points the slot at the system's own function, so later calls cost what an
// import costs; on the 95 family at a replacement in `qv::win::ansi`, which converts text to the ANSI
// code page and calls the ANSI function. A function whose bridge is missing stays a plain import, and
// the import check of the package names it.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv::win::bridge {

// True on the 95 family (GetVersion's top bit): the ANSI functions must be used there.
bool ansi_system() noexcept;

// The system's own function, from a library loaded by name once and kept for the process's life.
FARPROC system_export(const char* library, const char* name) noexcept;

template <typename Function>
struct Slot;

template <typename Return, typename... Arguments>
struct Slot<Return(WINAPI*)(Arguments...)> {
    using Function = Return(WINAPI*)(Arguments...);

    // The slot's first value: chooses the function for this system once, stores it and forwards the call.
    // A caller may have read the slot before the first call and keep calling through that value (the
    // compiler takes import slots for constants and hoists them out of a message loop): the choice is
    // therefore kept here too, so those calls cost one test, not a lookup. A constant-initialised static
    // needs no guard: the guard's lock is built on a semaphore, whose creation may be the call resolved.
    template <Function* slot, const char* library, const char* name, Function ansi>
    static Return WINAPI resolve(Arguments... arguments) {
        static Function chosen = nullptr;
        if (!chosen) {
            chosen = ansi_system() ? ansi
                                   : reinterpret_cast<Function>(reinterpret_cast<void*>(system_export(library, name)));
        }
        *slot = chosen;
        return chosen(arguments...);
    }

    // The first value of a slot of a function only newer systems have: the system's own where it exists,
    // else `fallback`, on every family.
    template <Function* slot, const char* library, const char* name, Function fallback>
    static Return WINAPI resolve_newer(Arguments... arguments) {
        static Function chosen = nullptr;
        if (!chosen) {
            chosen = reinterpret_cast<Function>(reinterpret_cast<void*>(system_export(library, name)));
            if (!chosen) chosen = fallback;
        }
        *slot = chosen;
        return chosen(arguments...);
    }
};

// Text handed to an ANSI function: the wide text converted, while null and resource numbers
// (MAKEINTRESOURCE, atoms) pass through as they are.
class AnsiArgument {
public:
    explicit AnsiArgument(const wchar_t* text);
    AnsiArgument(const wchar_t* text, int length);  // length -1: up to the terminator
    const char* get() const noexcept { return passes_ ? passed_ : converted_.c_str(); }
    operator const char*() const noexcept { return get(); }
    int length() const noexcept { return static_cast<int>(converted_.size()); }

private:
    std::string converted_;
    const char* passed_ = nullptr;
    bool passes_ = false;  // null is passed on as null, not as empty text
};

// Copies ANSI text into a caller's wide buffer of `capacity` characters, cut to fit and always
// terminated when capacity > 0; returns the characters written without the terminator.
int copy_to_wide(std::string_view ansi, wchar_t* buffer, int capacity) noexcept;

// ANSI text at most `capacity` bytes long with its terminator, as wide text.
std::wstring wide_from_buffer(const char* ansi, std::size_t capacity);

// A font description with its face name in the other form (cut to LF_FACESIZE - 1 characters).
LOGFONTA ansi_logfont(const LOGFONTW& font) noexcept;
LOGFONTW wide_logfont(const LOGFONTA& font) noexcept;

// Wide text in the ANSI code page, into a fixed field of `capacity` bytes: cut to whole characters (a
// double-byte one never loses its second byte) and always terminated when capacity > 0; returns the
// bytes written without the terminator.
int copy_to_ansi(std::wstring_view text, char* buffer, int capacity) noexcept;

} // namespace qv::win::bridge

// The import slot's linker name: `__imp_` and the decorated name (on i686, stdcall's `_name@bytes`,
// bytes being the arguments' size).
#if defined(__i386__)
#define QV_IMPORT_SLOT_NAME(name, bytes) "__imp__" #name "@" #bytes
#else
#define QV_IMPORT_SLOT_NAME(name, bytes) "__imp_" #name
#endif

// Bridges the system function `name` of `library` (a string such as "user32.dll"): callers reach
// qv::win::ansi::name on the 95 family. `bytes` is the size of its arguments on i686.
#define QV_BRIDGE(library, name, bytes)                                                                     \
    namespace qv::win::bridge::slots {                                                                    \
    inline constexpr char name##_library[] = library;                                                      \
    inline constexpr char name##_name[] = #name;                                                           \
    }                                                                                                      \
    extern "C" decltype(&::name) qv_bridge_slot_##name __asm__(QV_IMPORT_SLOT_NAME(name, bytes));          \
    decltype(&::name) qv_bridge_slot_##name =                                                              \
        &::qv::win::bridge::Slot<decltype(&::name)>::resolve<&qv_bridge_slot_##name,                       \
                                                             ::qv::win::bridge::slots::name##_library,     \
                                                             ::qv::win::bridge::slots::name##_name,        \
                                                             &::qv::win::ansi::name>
