#include "app/win32/icon_number_painter.h"

#include "base/app_error.h"

namespace qv::app {
namespace {

win::UniqueFont make_font(int height) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    // Two colours only: smoothed edges would be shades of neither.
    font.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy(font.lfFaceName, L"ＭＳ Ｐゴシック");
    return win::UniqueFont(::CreateFontIndirectW(&font));
}

} // namespace

IconNumberPainter::IconNumberPainter(int size) : size_(size < kBaseIconSize ? kBaseIconSize : size) {
    win::WindowDC screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    IconBitmap.reset(::CreateCompatibleBitmap(screen.get(), size_, size_));
    IconMask.reset(::CreateBitmap(size_, size_, 1, 1, nullptr));
    font_ = make_font(icon_font_height(10, size_));
    small_font_ = make_font(icon_font_height(7, size_));
    if (!dc_ || !IconBitmap || !IconMask || !font_ || !small_font_) {
        throw AppError(L"イメージの生成に失敗しました");
    }
    // Every pixel of a drawn icon is opaque.
    win::SelectGuard mask(dc_.get(), IconMask.get());
    ::PatBlt(dc_.get(), 0, 0, size_, size_, BLACKNESS);
}

win::UniqueIcon IconNumberPainter::draw(int number, COLORREF text, COLORREF back) {
    const IconNumberLayout layout = icon_number_layout(number, size_);
    {
        win::SelectGuard bitmap(dc_.get(), IconBitmap.get());
        win::SelectGuard font(dc_.get(), layout.small_font ? small_font_.get() : font_.get());
        win::UniqueBrush brush(::CreateSolidBrush(back));
        RECT all{0, 0, size_, size_};
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
