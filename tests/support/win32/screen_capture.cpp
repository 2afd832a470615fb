#include "support/win32/screen_capture.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <system_error>

#include "base/win32/unique_handle.h"
#include "support/win32/files.h"

namespace qv::test {

ScreenCapture ScreenCapture::take() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return take(RECT{left, top, left + width, top + height});
}

ScreenCapture ScreenCapture::take(const RECT& area) {
    ScreenCapture capture;
    const int left = area.left, top = area.top;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return capture;

    win::WindowDC screen(nullptr);
    win::UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
    if (!screen || !memory) return capture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up, the row order of a BMP file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return capture;
    {
        win::SelectGuard select(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY)) return capture;
    }
    ::GdiFlush();

    capture.left_ = left;
    capture.top_ = top;
    capture.width_ = width;
    capture.height_ = height;
    capture.stride_ = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const auto* first = static_cast<const std::uint8_t*>(bits);
    capture.pixels_.assign(first, first + capture.stride_ * static_cast<size_t>(height));
    return capture;
}

COLORREF ScreenCapture::pixel(int screen_x, int screen_y) const noexcept {
    int x = screen_x - left_, y = screen_y - top_;
    if (empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const std::uint8_t* p = &pixels_[static_cast<size_t>(height_ - 1 - y) * stride_ + static_cast<size_t>(x) * 3];
    return RGB(p[2], p[1], p[0]);
}

size_t ScreenCapture::distinct_colors(const RECT& area) const {
    std::set<COLORREF> colors;
    for (int y = std::max<int>(area.top, top_); y < std::min<int>(area.bottom, top_ + height_); ++y) {
        for (int x = std::max<int>(area.left, left_); x < std::min<int>(area.right, left_ + width_); ++x) {
            colors.insert(pixel(x, y));
        }
    }
    return colors.size();
}

size_t ScreenCapture::count_pixels(const RECT& area, COLORREF color) const {
    size_t count = 0;
    for (int y = std::max<int>(area.top, top_); y < std::min<int>(area.bottom, top_ + height_); ++y) {
        for (int x = std::max<int>(area.left, left_); x < std::min<int>(area.right, left_ + width_); ++x) {
            if (pixel(x, y) == color) ++count;
        }
    }
    return count;
}

std::vector<COLORREF> ScreenCapture::pixels(const RECT& area) const {
    std::vector<COLORREF> result;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) result.push_back(pixel(x, y));
    }
    return result;
}

bool ScreenCapture::save_bmp(const std::filesystem::path& file) const {
    if (empty()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);

    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = static_cast<DWORD>(header.bfOffBits + pixels_.size());
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels_.size());

    std::string bytes(header.bfSize, '\0');
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(header), &info, sizeof(info));
    std::memcpy(bytes.data() + header.bfOffBits, pixels_.data(), pixels_.size());
    try {
        write_file(file, bytes);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace qv::test
