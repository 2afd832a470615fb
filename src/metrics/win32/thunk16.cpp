// The 95 family's route from 32-bit code to the 16-bit GetFreeSystemResources of User.exe.
#include <cstdint>

#include "metrics/win32/thunk16.h"

#if defined(__i386__)
// QT_Thunk takes the 16:16 target in EDX and copies the arguments found between ESP and EBP - 0x40
// to the 16-bit stack: the caller's frame must reserve exactly 0x40 bytes below EBP before pushing
// them (as the thunk compiler's code does). The 16-bit function pops its arguments; QT_Thunk leaves
// ESP accordingly, and restoring ESP from EBP makes that irrelevant here. Registers the C caller keeps
// are saved above the frame, where QT_Thunk does not count them as arguments.
extern "C" std::uint32_t qv_call_qt_thunk(FARPROC qt_thunk, std::uint32_t target, std::uint32_t argument);
__asm__(R"(
    .text
    .globl _qv_call_qt_thunk
    .def _qv_call_qt_thunk; .scl 2; .type 32; .endef
_qv_call_qt_thunk:
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl %ebp
    movl %esp, %ebp
    subl $0x40, %esp
    movl 28(%ebp), %eax
    pushw %ax
    movl 24(%ebp), %edx
    call *20(%ebp)
    movzwl %ax, %eax
    movl %ebp, %esp
    popl %ebp
    popl %edi
    popl %esi
    popl %ebx
    ret
)");
#endif

namespace qv::metrics::win32 {
namespace {

template <typename Function>
Function function_cast(FARPROC address) noexcept {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

#if defined(__i386__)
// GetProcAddress where it answers for ordinals (NT, Wine); the export table where it refuses (95).
FARPROC kernel32_ordinal(HMODULE kernel32, WORD ordinal) noexcept {
    if (FARPROC found = ::GetProcAddress(kernel32, MAKEINTRESOURCEA(ordinal))) return found;
    return export_by_ordinal(kernel32, ordinal);
}
#endif

} // namespace

Win9xThunk16::Win9xThunk16([[maybe_unused]] Platform platform) noexcept {
#if defined(__i386__)
    // On the NT family these ordinals are other functions: never look them up there.
    if (platform != Platform::Windows95) return;
    HMODULE kernel32 = ::GetModuleHandleA("kernel32.dll");  // always loaded; not ours to free
    load_library16_ = function_cast<LoadLibrary16Function>(kernel32_ordinal(kernel32, 35));
    free_library16_ = function_cast<FreeLibrary16Function>(kernel32_ordinal(kernel32, 36));
    get_proc_address16_ = function_cast<GetProcAddress16Function>(kernel32_ordinal(kernel32, 37));
#endif
}

std::uint16_t Win9xThunk16::load_library16(const char* name) {
    if (!load_library16_ || !free_library16_ || !get_proc_address16_) return 0;
    return load_library16_(name);
}

void Win9xThunk16::free_library16(std::uint16_t instance) noexcept {
    if (free_library16_) free_library16_(instance);
}

std::uint32_t Win9xThunk16::get_proc_address16(std::uint16_t instance, const char* name) {
    return get_proc_address16_ ? get_proc_address16_(instance, name) : 0;
}

bool Win9xThunk16::load_kernel32() {
    kernel32_.reset(::LoadLibraryA("Kernel32.dll"));
    return static_cast<bool>(kernel32_);
}

bool Win9xThunk16::find_qt_thunk() {
    qt_thunk_ = kernel32_ ? ::GetProcAddress(kernel32_.get(), "QT_Thunk") : nullptr;
#if defined(__i386__)
    // Wine's QT_Thunk (set to report the 95 family) leaves through NtSetContextThread, which restores no
    // integer registers: the 16-bit function's result never reaches EAX, which reads 0. There the call
    // goes through Wine's generic thunk (kernel32 ordinal 55, K32WOWCallback16Ex), which hands the result
    // back in memory. A real 95-family system keeps QT_Thunk, the route its thunk compiler's code takes.
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const bool wine = ntdll && ::GetProcAddress(ntdll, "wine_get_version");
    generic_thunk_ = qt_thunk_ && wine ? function_cast<GenericThunkFunction>(kernel32_ordinal(kernel32_.get(), 55))
                                       : nullptr;
#endif
    return qt_thunk_ != nullptr;
}

std::uint16_t Win9xThunk16::call16([[maybe_unused]] std::uint32_t target, [[maybe_unused]] std::uint16_t argument) {
#if defined(__i386__)
    if (generic_thunk_) {
        constexpr DWORD kPascal = 0;  // WCB16_PASCAL: the argument bytes as they lie, the callee pops them
        DWORD result = 0;
        WORD word = argument;
        return generic_thunk_(target, kPascal, sizeof(word), &word, &result) ? static_cast<std::uint16_t>(result) : 0;
    }
    if (qt_thunk_) return static_cast<std::uint16_t>(qv_call_qt_thunk(qt_thunk_, target, argument));
#endif
    return 0;
}

void Win9xThunk16::free_kernel32() noexcept {
    qt_thunk_ = nullptr;
    generic_thunk_ = nullptr;
    kernel32_.reset();
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

} // namespace qv::metrics::win32
