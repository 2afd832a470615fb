#include "base/win32/ansi_bridge/user32_text.h"

#include "base/win32/ansi_bridge/bridge.h"

#include <cstddef>

namespace qv::win::ansi {

using bridge::AnsiArgument;

BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item) {
    // A bitmap, an owner-drawn item or a separator carries a handle or the caller's number, not text.
    if (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) {
        return ::AppendMenuA(menu, flags, id, reinterpret_cast<LPCSTR>(item));
    }
    return ::AppendMenuA(menu, flags, id, AnsiArgument(item));
}

// DT_MODIFYSTRING is dropped: the shortened text would be written into the conversion, not the caller's.
int WINAPI DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format) {
    const AnsiArgument ansi(text ? text : L"", length);
    return ::DrawTextA(dc, ansi, ansi.length(), rect, format & ~UINT{DT_MODIFYSTRING});
}

int WINAPI GetKeyNameTextW(LONG key, LPWSTR buffer, int capacity) {
    char name[256];
    const int length = ::GetKeyNameTextA(key, name, sizeof(name));
    if (length <= 0) {
        if (buffer && capacity > 0) buffer[0] = L'\0';
        return 0;
    }
    return bridge::copy_to_wide(std::string_view(name, static_cast<std::size_t>(length)), buffer, capacity);
}

UINT WINAPI MapVirtualKeyW(UINT code, UINT map_type) { return ::MapVirtualKeyA(code, map_type); }

namespace {

// The record as the 95 family knows it: no padded border width (added by Vista).
constexpr UINT kAnsiMetricsSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);

BOOL get_nonclient_metrics(NONCLIENTMETRICSW* metrics, UINT update) {
    if (!metrics) return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, nullptr, update);
    NONCLIENTMETRICSA ansi{};
    ansi.cbSize = kAnsiMetricsSize;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kAnsiMetricsSize, &ansi, update)) return FALSE;
    metrics->iBorderWidth = ansi.iBorderWidth;
    metrics->iScrollWidth = ansi.iScrollWidth;
    metrics->iScrollHeight = ansi.iScrollHeight;
    metrics->iCaptionWidth = ansi.iCaptionWidth;
    metrics->iCaptionHeight = ansi.iCaptionHeight;
    metrics->lfCaptionFont = bridge::wide_logfont(ansi.lfCaptionFont);
    metrics->iSmCaptionWidth = ansi.iSmCaptionWidth;
    metrics->iSmCaptionHeight = ansi.iSmCaptionHeight;
    metrics->lfSmCaptionFont = bridge::wide_logfont(ansi.lfSmCaptionFont);
    metrics->iMenuWidth = ansi.iMenuWidth;
    metrics->iMenuHeight = ansi.iMenuHeight;
    metrics->lfMenuFont = bridge::wide_logfont(ansi.lfMenuFont);
    metrics->lfStatusFont = bridge::wide_logfont(ansi.lfStatusFont);
    metrics->lfMessageFont = bridge::wide_logfont(ansi.lfMessageFont);
    return TRUE;
}

} // namespace

// The font questions are answered with ANSI fonts, converted; everything else the program asks carries
// no text and passes as it is.
BOOL WINAPI SystemParametersInfoW(UINT action, UINT number, PVOID value, UINT update) {
    switch (action) {
    case SPI_GETNONCLIENTMETRICS: return get_nonclient_metrics(static_cast<NONCLIENTMETRICSW*>(value), update);
    case SPI_GETICONTITLELOGFONT: {
        LOGFONTA font{};
        if (!value || !::SystemParametersInfoA(action, sizeof(font), &font, update)) return FALSE;
        *static_cast<LOGFONTW*>(value) = bridge::wide_logfont(font);
        return TRUE;
    }
    default: return ::SystemParametersInfoA(action, number, value, update);
    }
}

} // namespace qv::win::ansi

QV_BRIDGE("user32.dll", AppendMenuW, 16);
QV_BRIDGE("user32.dll", DrawTextW, 20);
QV_BRIDGE("user32.dll", GetKeyNameTextW, 12);
QV_BRIDGE("user32.dll", MapVirtualKeyW, 8);
QV_BRIDGE("user32.dll", SystemParametersInfoW, 16);
