#include "skin/win32/dib_section.h"

#include <utility>

#include "base/app_error.h"

namespace qv::skin::win {

DibSection::DibSection(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || !bits) throw AppError(L"イメージの生成に失敗しました");
    selection_ = std::make_unique<qv::win::SelectGuard>(dc_.get(), bitmap_.get());
    pixels_ = PixelBuffer::View(static_cast<Pixel*>(bits), width, height, width);
}

DibSection& DibSection::operator=(DibSection&& other) noexcept {
    if (this != &other) {
        Release();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        selection_ = std::move(other.selection_);
        pixels_ = std::move(other.pixels_);
    }
    return *this;
}

DibSection::~DibSection() { Release(); }

void DibSection::Release() noexcept {
    selection_.reset();
    bitmap_.reset();
    dc_.reset();
    pixels_ = PixelBuffer();
}

} // namespace qv::skin::win
