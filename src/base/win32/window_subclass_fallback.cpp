#include "base/win32/window_subclass_fallback.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace qv::win::fallback_subclass {
namespace {

// The window property that holds the window's chain; the chain belongs to the window while it is there.
constexpr wchar_t kChainProperty[] = L"Quorvane.SubclassChain";

struct Subclass {
    SUBCLASSPROC procedure;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed;  // kept in place while messages run, so the positions of the others stay put
};

// One message on its way down the chain: the subclasses below `next` have yet to see it.
struct Frame {
    std::size_t next;
    Frame* outer;
};

struct Chain {
    WNDPROC original = nullptr;
    std::vector<Subclass> subclasses;  // the oldest first
    Frame* current = nullptr;          // the innermost message being handled; null outside messages
    bool attached = true;              // still hung on the window
};

Chain* chain_of(HWND window) noexcept { return static_cast<Chain*>(::GetPropW(window, kChainProperty)); }

LRESULT CALLBACK chain_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

bool ours(HWND window) noexcept {
    return ::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&chain_procedure);
}

// Takes the chain off the window, giving the window its procedure back unless a later subclasser
// (one that calls ours in turn) replaced it meanwhile.
void detach(Chain& chain, HWND window) noexcept {
    if (ours(window)) ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
    ::RemovePropW(window, kChainProperty);
    chain.attached = false;
}

// Outside every message: forgets removed subclasses, and frees the chain once it is off the window or
// has nothing left to run. With a later subclasser on top it stays, to hand messages on to the original.
void settle(Chain* chain, HWND window) noexcept {
    if (chain->current) return;
    if (chain->attached) {
        std::erase_if(chain->subclasses, [](const Subclass& subclass) { return subclass.removed; });
        if (!chain->subclasses.empty() || !ours(window)) return;
        detach(*chain, window);
    }
    std::unique_ptr<Chain> released(chain);
}

LRESULT call_next(Chain& chain, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Frame* frame = chain.current;
    std::size_t next = frame ? frame->next : 0;
    while (next > 0 && chain.subclasses[next - 1].removed) --next;
    if (next == 0) return ::CallWindowProcW(chain.original, window, message, wparam, lparam);
    const Subclass subclass = chain.subclasses[next - 1];
    // A subclass may hand on more than one message while it handles one: each goes on from below it.
    struct Restore {
        Frame& frame;
        std::size_t next;
        ~Restore() { frame.next = next; }
    } restore{*frame, frame->next};
    frame->next = next - 1;
    return subclass.procedure(window, message, wparam, lparam, subclass.id, subclass.data);
}

LRESULT CALLBACK chain_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    Chain* chain = chain_of(window);
    if (!chain) return ::DefWindowProcW(window, message, wparam, lparam);
    Frame frame{chain->subclasses.size(), chain->current};
    chain->current = &frame;
    LRESULT result = 0;
    try {
        result = call_next(*chain, window, message, wparam, lparam);
    } catch (...) {
    }
    chain->current = frame.outer;
    if (message == WM_NCDESTROY && chain->attached) {
        for (Subclass& subclass : chain->subclasses) subclass.removed = true;
        detach(*chain, window);
    }
    settle(chain, window);
    return result;
}

Subclass* find(Chain& chain, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    for (Subclass& subclass : chain.subclasses) {
        if (!subclass.removed && subclass.procedure == procedure && subclass.id == id) return &subclass;
    }
    return nullptr;
}

} // namespace

BOOL set(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept {
    if (!procedure || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return FALSE;
    try {
        if (Chain* chain = chain_of(window)) {
            if (Subclass* subclass = find(*chain, procedure, id)) {
                subclass->data = data;
            } else {
                chain->subclasses.push_back({procedure, id, data, false});
            }
            return TRUE;
        }
        auto chain = std::make_unique<Chain>();
        chain->subclasses.push_back({procedure, id, data, false});
        if (!::SetPropW(window, kChainProperty, chain.get())) return FALSE;
        const LONG_PTR original =
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&chain_procedure));
        if (!original) {
            ::RemovePropW(window, kChainProperty);
            return FALSE;
        }
        chain->original = reinterpret_cast<WNDPROC>(original);
        chain.release();  // the window's now, until settle() frees it
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOL remove(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    Chain* chain = chain_of(window);
    Subclass* subclass = chain ? find(*chain, procedure, id) : nullptr;
    if (!subclass) return FALSE;
    subclass->removed = true;
    settle(chain, window);
    return TRUE;
}

LRESULT def_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    Chain* chain = chain_of(window);
    if (!chain) return ::DefWindowProcW(window, message, wparam, lparam);
    try {
        return call_next(*chain, window, message, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

} // namespace qv::win::fallback_subclass
