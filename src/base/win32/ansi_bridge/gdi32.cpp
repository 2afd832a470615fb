#include "base/win32/ansi_bridge/gdi32.h"

#include "base/win32/ansi_bridge/bridge.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace qv::win::ansi {

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return ::CreateFontIndirectA(nullptr);
    const LOGFONTA ansi = bridge::ansi_logfont(*font);
    return ::CreateFontIndirectA(&ansi);
}

// Only a font's description holds text; bitmaps, brushes, pens and the rest read the same either way.
int WINAPI GetObjectW(HANDLE object, int size, LPVOID buffer) {
    if (::GetObjectType(object) != OBJ_FONT) return ::GetObjectA(object, size, buffer);
    if (!buffer) return sizeof(LOGFONTW);
    LOGFONTA ansi{};
    if (!::GetObjectA(object, sizeof(ansi), &ansi)) return 0;
    const LOGFONTW wide = bridge::wide_logfont(ansi);
    const int copied = std::clamp(size, 0, static_cast<int>(sizeof(wide)));
    std::memcpy(buffer, &wide, static_cast<std::size_t>(copied));
    return copied;
}

namespace {

WCHAR wide_character(BYTE ansi) {
    const char byte = static_cast<char>(ansi);
    WCHAR wide = 0;
    return ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &wide, 1) == 1 ? wide : WCHAR{ansi};
}

} // namespace

BOOL WINAPI GetTextMetricsW(HDC dc, LPTEXTMETRICW metrics) {
    TEXTMETRICA ansi{};
    if (!metrics || !::GetTextMetricsA(dc, &ansi)) return FALSE;
    // The fields before the characters and after them are the same in both records.
    std::memcpy(metrics, &ansi, offsetof(TEXTMETRICA, tmFirstChar));
    metrics->tmFirstChar = wide_character(ansi.tmFirstChar);
    metrics->tmLastChar = wide_character(ansi.tmLastChar);
    metrics->tmDefaultChar = wide_character(ansi.tmDefaultChar);
    metrics->tmBreakChar = wide_character(ansi.tmBreakChar);
    metrics->tmItalic = ansi.tmItalic;
    metrics->tmUnderlined = ansi.tmUnderlined;
    metrics->tmStruckOut = ansi.tmStruckOut;
    metrics->tmPitchAndFamily = ansi.tmPitchAndFamily;
    metrics->tmCharSet = ansi.tmCharSet;
    return TRUE;
}

} // namespace qv::win::ansi

QV_BRIDGE("gdi32.dll", CreateFontIndirectW, 4);
QV_BRIDGE("gdi32.dll", GetObjectW, 12);
QV_BRIDGE("gdi32.dll", GetTextMetricsW, 8);
