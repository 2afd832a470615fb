#include "base/win32/shell_link.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace qv::win {
namespace {

template <typename Interface>
struct ComRelease {
    Interface* pointer = nullptr;
    ~ComRelease() {
        if (pointer) pointer->Release();
    }
};

// `text` gives a field in the form the link object takes.
template <typename Link, typename Text>
ShellLinkOutcome save(REFIID link_id, const ShellLinkFields& fields, const std::wstring& file, Text text) {
    ComRelease<Link> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, link_id,
                                  reinterpret_cast<void**>(&link.pointer)))) {
        return ShellLinkOutcome::no_link_object;
    }
    ComRelease<IPersistFile> persist;
    if (FAILED(link.pointer->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.pointer)))) {
        return ShellLinkOutcome::no_persist_file;
    }
    link.pointer->SetDescription(text(fields.description));
    link.pointer->SetPath(text(fields.path));
    link.pointer->SetArguments(text(fields.arguments));
    link.pointer->SetShowCmd(fields.show_command);
    link.pointer->SetWorkingDirectory(text(fields.working_directory));
    return SUCCEEDED(persist.pointer->Save(file.c_str(), FALSE)) ? ShellLinkOutcome::saved : ShellLinkOutcome::not_saved;
}

} // namespace

ShellLinkOutcome save_shell_link(const ShellLinkFields& fields, const std::wstring& file, bool ansi) {
    if (ansi) {
        return save<IShellLinkA>(IID_IShellLinkA, fields, file,
                                 [](const std::wstring& text) { return bridge::AnsiArgument(text.c_str()); });
    }
    return save<IShellLinkW>(IID_IShellLinkW, fields, file, [](const std::wstring& text) { return text.c_str(); });
}

} // namespace qv::win
