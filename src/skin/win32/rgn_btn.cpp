#include "skin/win32/rgn_btn.h"

#include <cstring>
#include <new>

#include "base/app_error.h"
#include "skin/region_runs.h"
#include "skin/win32/region_data.h"

namespace qv::skin::win {
namespace {

[[noreturn]] void OutOfMemory() { throw AppError(L"ﾒﾓﾘ獲得に失敗しました"); }

// Region data from outside (a stored button) must describe its rectangles within its own size.
bool PlausibleRegionData(const std::vector<std::uint8_t>& data) {
    if (data.size() < sizeof(RGNDATAHEADER)) return false;
    RGNDATAHEADER header;
    std::memcpy(&header, data.data(), sizeof(header));
    return header.dwSize == sizeof(RGNDATAHEADER) && header.iType == RDH_RECTANGLES &&
           header.nCount <= (data.size() - sizeof(RGNDATAHEADER)) / sizeof(RECT);
}

} // namespace

std::vector<std::uint8_t> RegionDataFromBitmap(const Image& bitmap) {
    try {
        const qv::win::UniqueRegion shape = RegionFromRects(BandedRects(BitmapRegionRuns(bitmap)), {});
        if (!shape) OutOfMemory();
        const DWORD size = ::GetRegionData(shape.get(), 0, nullptr);
        std::vector<std::uint8_t> data(size);
        if (size == 0 ||
            ::GetRegionData(shape.get(), size, reinterpret_cast<RGNDATA*>(data.data())) != size) {
            throw AppError(L"ﾘｰｼﾞｮﾝﾃﾞｰﾀが抽出できません");
        }
        return data;
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
}

TRgnBtn::TRgnBtn() : GraphicControl(25, 25) {}

TRgnBtn::~TRgnBtn() = default;

void TRgnBtn::ReleaseButtonRegion() noexcept {
    region_.reset();
    rgn_data_.clear();
}

void TRgnBtn::SetGlyph1(const Image& picture) {
    if (&picture == &glyph1_) return;
    glyph1_ = picture.Clone();
    ReleaseButtonRegion();
    try {
        rgn_data_ = RegionDataFromBitmap(glyph1_);
    } catch (...) {
        rgn_data_.clear();
        glyph1_ = Image();
        Invalidate();
        throw;
    }
    if (auto_size_) SetBounds(Left(), Top(), glyph1_.Width(), glyph1_.Height());
    Invalidate();
}

void TRgnBtn::SetGlyph2(const Image& picture) {
    if (&picture == &glyph2_) return;
    glyph2_ = picture.Clone();
    Invalidate();
}

void TRgnBtn::SetGlyph3(const Image& picture) {
    if (&picture == &glyph3_) return;
    glyph3_ = picture.Clone();
    Invalidate();
}

void TRgnBtn::SetAutoSize(bool auto_size) {
    auto_size_ = auto_size;
    if (auto_size_ && glyph1_.Width() >= 1 && glyph1_.Height() >= 1) {
        SetBounds(Left(), Top(), glyph1_.Width(), glyph1_.Height());
        Invalidate();
    }
}

void TRgnBtn::AdjustSize(int& width, int& height) {
    if (auto_size_ && glyph1_.Width() > 0 && glyph1_.Height() > 0) {
        width = glyph1_.Width();
        height = glyph1_.Height();
    }
}

void TRgnBtn::CreateButtonRegion() {
    if (rgn_data_.empty()) throw AppError(Name + L" のﾘｰｼﾞｮﾝ情報がありません");
    if (glyph1_.Empty() || glyph1_.Width() == 0 || glyph1_.Height() == 0) {
        throw AppError(Name + L":Glyph1 のﾋﾞｯﾄﾏｯﾌﾟが正しくありません");
    }
    region_.reset();
    XFORM transform{};
    transform.eM11 = auto_size_ ? 1.0f : static_cast<FLOAT>(Width()) / static_cast<FLOAT>(glyph1_.Width());
    transform.eM22 = auto_size_ ? 1.0f : static_cast<FLOAT>(Height()) / static_cast<FLOAT>(glyph1_.Height());
    if (!PlausibleRegionData(rgn_data_)) throw AppError(L"ﾘｰｼﾞｮﾝが作成できません");
    if (!auto_size_ && (Width() == 0 || Height() == 0)) {
        // A button of no size has no shape; a transform that scales to nothing is not for every system.
        region_.reset(::CreateRectRgn(0, 0, 0, 0));
    } else {
        RGNDATAHEADER header;
        std::memcpy(&header, rgn_data_.data(), sizeof(header));
        region_ = RegionFromRegionRects(rgn_data_.data() + sizeof(header), header.nCount, &transform);
    }
    if (!region_) throw AppError(L"ﾘｰｼﾞｮﾝが作成できません");
}

void TRgnBtn::Paint(PaintContext& pc) {
    const Image* chosen = &glyph3_;
    if (Enabled() || glyph3_.Empty()) chosen = Enabled() && pressed_ ? &glyph2_ : &glyph1_;
    const PixelBuffer& pixels = chosen->Pixels();
    if (pixels.Empty()) return;
    // Scaled to the button as its hit region is, see-through where the picture has its bottom-left colour.
    pc.canvas.Stretch(pixels, pixels.Bounds(), ClientRect(), chosen->BottomLeft());
}

void TRgnBtn::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl::MouseDown(button, shift, x, y);
    if (region_ && ::PtInRegion(region_.get(), x, y)) {
        pressed_ = true;
        Invalidate();
    }
}

void TRgnBtn::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl::MouseUp(button, shift, x, y);
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
}

} // namespace qv::skin::win
