#include "settings/design_fonts.h"

#include <gtest/gtest.h>

namespace qv::settings {
namespace {

TEST(DesignFonts, UnchangedKeysKeepTheDesignedFontExactly) {
    skin::Font title;
    title.Name = L"ＭＳ Ｐゴシック";
    title.Height = -15;  // 11.25 points: no whole point size gives it back
    title.FontColor = 0xFFFFFF;
    title.Style = skin::fsBold;
    const auto spec = font_spec_of(title, 96);
    EXPECT_EQ(spec.size, 11);
    EXPECT_EQ(font_with(title, spec, 96), title);
}

TEST(DesignFonts, ReadValuesReplaceNameSizeAndColour) {
    skin::Font label;
    label.Height = -11;
    auto spec = font_spec_of(label, 96);
    spec.name = L"Arial";
    spec.size = 12;
    spec.color = 0x00FF00;
    const auto font = font_with(label, spec, 96);
    EXPECT_EQ(font.Name, L"Arial");
    EXPECT_EQ(font.Height, -16);
    EXPECT_EQ(font.FontColor, 0x00FF00u);
    spec.size = 0;  // no usable size: the height stays
    EXPECT_EQ(font_with(label, spec, 96).Height, -11);
}

} // namespace
} // namespace qv::settings
