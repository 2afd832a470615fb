#pragma once
// TRgnBtn: the skins' buttons. Three pictures (normal, pressed, disabled) drawn with their bottom-left
// colour see-through; the normal picture also gives the shape in which a press shows the pressed
// picture. The click itself is by rectangle, as for any control.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/win32/unique_handle.h"
#include "skin/graphic_control.h"
#include "skin/image.h"

namespace qv::skin::win {

// The shape of a button picture as the system's region data (RGNDATA, as GetRegionData gives it):
// every run of pixels differing from the bottom-left pixel. Raises AppError with the texts of
// BitmapRegionRuns, "ﾘｰｼﾞｮﾝﾃﾞｰﾀが抽出できません" and "ﾒﾓﾘ獲得に失敗しました".
std::vector<std::uint8_t> RegionDataFromBitmap(const Image& bitmap);

class TRgnBtn : public GraphicControl {
public:
    TRgnBtn();
    ~TRgnBtn() override;

    const Image& Glyph1() const noexcept { return glyph1_; }
    // Copies the picture in and computes the shape data from it; when that fails, the data and the
    // picture are cleared and the failure passed on.
    void SetGlyph1(const Image& picture);
    const Image& Glyph2() const noexcept { return glyph2_; }
    void SetGlyph2(const Image& picture);
    const Image& Glyph3() const noexcept { return glyph3_; }
    void SetGlyph3(const Image& picture);

    // While set, the button keeps the size of Glyph1.
    bool AutoSize() const noexcept { return auto_size_; }
    void SetAutoSize(bool auto_size);

    // The shape data ("RgnData" of a stored button).
    const std::vector<std::uint8_t>& RgnData() const noexcept { return rgn_data_; }
    void SetRgnData(std::vector<std::uint8_t> data) { rgn_data_ = std::move(data); }

    // Makes the hit region from the shape data, scaled from Glyph1's size to the button's (unless
    // AutoSize). Raises AppError: Name + " のﾘｰｼﾞｮﾝ情報がありません", Name + ":Glyph1 のﾋﾞｯﾄﾏｯﾌﾟが正しくありません",
    // "ﾘｰｼﾞｮﾝが作成できません".
    void CreateButtonRegion();
    // Drops the region and the shape data.
    void ReleaseButtonRegion() noexcept;
    HRGN Region() const noexcept { return region_.get(); }

    bool Pressed() const noexcept { return pressed_; }

    void Paint(PaintContext& pc) override;
    void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
    void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;

protected:
    void AdjustSize(int& width, int& height) override;

private:
    Image glyph1_;
    Image glyph2_;
    Image glyph3_;
    bool auto_size_ = false;
    bool pressed_ = false;
    std::vector<std::uint8_t> rgn_data_;
    qv::win::UniqueRegion region_;
};

} // namespace qv::skin::win
