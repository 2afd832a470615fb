#include "skin/win32/form_rgn.h"

#include "base/app_error.h"
#include "skin/region_runs.h"
#include "skin/win32/system_colors.h"

namespace qv::skin::win {
namespace {

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
    qv::win::UniqueRegion shape = EmptyRegion();
    RECT outer{}, client{};
    ::GetWindowRect(window_, &outer);
    ::GetClientRect(window_, &client);
    const Point offset = FormRegionOffset(Left(), Top(), {outer.right - outer.left, outer.bottom - outer.top},
                                          {client.right - client.left, client.bottom - client.top});
    const Pixel key = Win32SystemColors().ResolvePixel(transparent_color_);
    for (const Run& run : FormRegionRuns(Picture(), key, Width(), Height())) {
        qv::win::UniqueRegion piece(::CreateRectRgn(offset.x + run.Left, offset.y + run.Y, offset.x + run.Right,
                                                    offset.y + run.Y + 1));
        if (!piece) throw AppError(L"CreateRectRgnに失敗しました");
        if (::CombineRgn(shape.get(), shape.get(), piece.get(), RGN_OR) == ERROR) {
            throw AppError(L"CombineRgnに失敗しました");
        }
    }
    region_ = std::move(shape);
}

void TFormRgn::ApplyRegion() {
    if (!region_) return;
    qv::win::UniqueRegion copy = EmptyRegion();
    if (::CombineRgn(copy.get(), copy.get(), region_.get(), RGN_OR) == ERROR) {
        throw AppError(L"CombineRgnに失敗しました");
    }
    if (!::SetWindowRgn(window_, copy.get(), TRUE)) throw AppError(L"SetWindowRGNに失敗しました");
    // The window owns its shape now.
    copy.release();
}

} // namespace qv::skin::win
