#include "settings/win32/store_services.h"

namespace qv::settings::win32 {

void MessageBoxNotifier::show_error(const std::wstring& text) {
    const UINT modality = owner_ ? MB_APPLMODAL : MB_TASKMODAL;
    ::MessageBoxW(owner_, text.c_str(), L"エラー", MB_OK | MB_ICONERROR | modality);
}

std::wstring SystemKeyLayout::key_name(unsigned virtual_key) const {
    const UINT scan = ::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
    if (scan == 0) return {};
    wchar_t name[64];
    const int length = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace qv::settings::win32
