#include "skin/win32/form_rgn.h"

#include <new>

#include "base/app_error.h"
#include "skin/region_runs.h"
#include "skin/win32/region_data.h"
#include "skin/win32/system_colors.h"

namespace qv::skin::win {
namespace {

// The most rectangles a window's shape may have. Wine hands a shape to the X server in one request, which
// holds 32,766 of them; a longer one ends the program. No outline anyone can see needs as many.
constexpr DWORD kMaxShapeRects = 32766;

qv::win::UniqueRegion EmptyRegion() {
    qv::win::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (!region) throw AppError(L"CreateRectRgnに失敗しました");
    return region;
}

} // namespace

TFormRgn::TFormRgn(HWND window) : window_(window) {}

void TFormRgn::BuildRegion() {
    if (Picture().PictureFormat() == Image::ifJpeg) {
        throw AppError(L"ビットマップを持っている時のみイメージの変更が可能です");
    }
    RECT outer{}, client{};
    ::GetWindowRect(window_, &outer);
    ::GetClientRect(window_, &client);
    const Point offset = FormRegionOffset(Left(), Top(), {outer.right - outer.left, outer.bottom - outer.top},
                                          {client.right - client.left, client.bottom - client.top});
    const Pixel key = Win32SystemColors().ResolvePixel(transparent_color_);
    qv::win::UniqueRegion shape;
    try {
        shape = RegionFromRects(BandedRects(FormRegionRuns(Picture(), key, Width(), Height())), offset);
    } catch (const std::bad_alloc&) {
        throw AppError(L"CreateRectRgnに失敗しました");
    }
    if (!shape) throw AppError(L"CreateRectRgnに失敗しました");
    region_ = std::move(shape);
}

void TFormRgn::ApplyRegion() {
    if (!region_) return;
    const DWORD bytes = ::GetRegionData(region_.get(), 0, nullptr);
    if (bytes < sizeof(RGNDATAHEADER) || (bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT) > kMaxShapeRects) {
        throw AppError(L"SetWindowRGNに失敗しました");
    }
    qv::win::UniqueRegion copy = EmptyRegion();
    if (::CombineRgn(copy.get(), copy.get(), region_.get(), RGN_OR) == ERROR) {
        throw AppError(L"CombineRgnに失敗しました");
    }
    if (!::SetWindowRgn(window_, copy.get(), TRUE)) throw AppError(L"SetWindowRGNに失敗しました");
    // The window owns its shape now.
    copy.release();
}

} // namespace qv::skin::win
