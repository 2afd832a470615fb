#include "app/win32/icon_number_painter.h"

#include "app/icon_number.h"
#include "base/app_error.h"

namespace qv::app {
namespace {

constexpr int kIconSize = 16;

win::UniqueFont make_font(int points, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, dpi, 72);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"ＭＳ Ｐゴシック");
    return win::UniqueFont(::CreateFontIndirectW(&font));
}

} // namespace

IconNumberPainter::IconNumberPainter() {
    win::WindowDC screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    IconBitmap.reset(::CreateCompatibleBitmap(screen.get(), kIconSize, kIconSize));
    IconMask.reset(::CreateBitmap(kIconSize, kIconSize, 1, 1, nullptr));
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    font_ = make_font(10, dpi);
    small_font_ = make_font(7, dpi);
    if (!dc_ || !IconBitmap || !IconMask || !font_ || !small_font_) {
        throw AppError(L"イメージの生成に失敗しました");
    }
    // Every pixel of a drawn icon is opaque.
    win::SelectGuard mask(dc_.get(), IconMask.get());
    ::PatBlt(dc_.get(), 0, 0, kIconSize, kIconSize, BLACKNESS);
}

win::UniqueIcon IconNumberPainter::draw(int number, COLORREF text, COLORREF back) {
    const IconNumberLayout layout = icon_number_layout(number);
    {
        win::SelectGuard bitmap(dc_.get(), IconBitmap.get());
        win::SelectGuard font(dc_.get(), layout.small_font ? small_font_.get() : font_.get());
        win::UniqueBrush brush(::CreateSolidBrush(back));
        RECT all{0, 0, kIconSize, kIconSize};
        ::FillRect(dc_.get(), &all, brush.get());
        ::SetTextColor(dc_.get(), text);
        ::SetBkColor(dc_.get(), back);
        ::SetBkMode(dc_.get(), OPAQUE);
        ::TextOutW(dc_.get(), layout.x, layout.y, layout.text.c_str(), static_cast<int>(layout.text.size()));
    }
    // The bitmap is deselected now: CreateIconIndirect copies it.
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = IconMask.get();
    info.hbmColor = IconBitmap.get();
    return win::UniqueIcon(::CreateIconIndirect(&info));
}

} // namespace qv::app
