#include "skin/win32/gdi_text.h"

#include <algorithm>
#include <cwchar>

#include "base/app_error.h"

namespace qv::skin::win {
namespace {

constexpr std::size_t kKeptMasks = 128;  // every percentage of a font, and then some

} // namespace

qv::win::UniqueFont CreateFontFor(const Font& font) {
    LOGFONTW log{};
    log.lfHeight = font.Height;
    log.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    log.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    log.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
    log.lfCharSet = static_cast<BYTE>(font.Charset);
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(log.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    qv::win::UniqueFont handle(::CreateFontIndirectW(&log));
    if (!handle) throw AppError(L"フォントの生成に失敗しました");
    return handle;
}

GdiTextRenderer::GdiTextRenderer() : measure_dc_(::CreateCompatibleDC(nullptr)) {
    if (!measure_dc_) throw AppError(L"イメージの生成に失敗しました");
}

HFONT GdiTextRenderer::FontHandle(const Font& font) {
    const FontKey key = KeyOf(font);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, CreateFontFor(font)).first;
    return it->second.get();
}

Size GdiTextRenderer::Measure(const Font& font, std::wstring_view text) {
    if (text.empty()) return {};
    qv::win::SelectGuard selected(measure_dc_.get(), FontHandle(font));
    SIZE size{};
    ::GetTextExtentPoint32W(measure_dc_.get(), text.data(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

std::shared_ptr<const PixelBuffer> GdiTextRenderer::Render(const Font& font, std::wstring_view text) {
    MaskKey key{KeyOf(font), std::wstring(text)};
    if (const auto found = masks_.find(key); found != masks_.end()) return found->second;

    const Size size = Measure(font, text);
    auto mask = std::make_shared<PixelBuffer>(size.cx, size.cy);
    if (!mask->Empty()) {
        if (!scratch_.Valid() || scratch_.Width() < size.cx || scratch_.Height() < size.cy) {
            scratch_ = DibSection(std::max(size.cx, scratch_.Width()), std::max(size.cy, scratch_.Height()));
        }
        HDC dc = scratch_.Dc();
        ::PatBlt(dc, 0, 0, size.cx, size.cy, BLACKNESS);
        {
            qv::win::SelectGuard selected(dc, FontHandle(font));
            ::SetTextColor(dc, RGB(255, 255, 255));
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
            ::TextOutW(dc, 0, 0, text.data(), static_cast<int>(text.size()));
        }
        ::GdiFlush();
        const PixelBuffer& drawn = scratch_.Pixels();
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) mask->Set(x, y, drawn.At(x, y) & 0xFFFFFF);
        }
    }

    if (mask_order_.size() >= kKeptMasks) {
        masks_.erase(mask_order_.front());
        mask_order_.pop_front();
    }
    mask_order_.push_back(key);
    return masks_.emplace(std::move(key), std::move(mask)).first->second;
}

} // namespace qv::skin::win
