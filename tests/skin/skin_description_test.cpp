#include "skin/skin_description.h"

#include <gtest/gtest.h>

#include <map>

#include "base/app_error.h"
#include "base/ini_file.h"
#include "skin/image.h"

namespace qv::skin {
namespace {

class OneFile : public ini::FileStore {
public:
    std::map<std::wstring, std::string> files;
    int reads = 0;
    ini::FileRead read(const std::wstring& path) override {
        ++reads;
        auto found = files.find(path);
        if (found == files.end()) return {ini::ReadStatus::missing, {}};
        return {ini::ReadStatus::ok, found->second};
    }
    void write(const std::wstring&, std::string_view) override {}
};

class SkinDescriptionTest : public ::testing::Test {
protected:
    OneFile store;
    ini::Utf8Codec codec;
    const std::wstring path = L"C:\\Q\\skin\\Blue\\blue.qvs";

    std::optional<SkinDescription> read(const std::string& text) {
        store.files[path] = text;
        return ReadSkinDescription(store, codec, path);
    }
};

TEST(SkinValues, PositionsSplitAtEveryComma) {
    EXPECT_EQ(SplitPosition(L"10,20,110,36"), (PositionFields{L"4", L"10", L"20", L"110", L"36"}));
    EXPECT_EQ(SplitPosition(L""), (PositionFields{L"1"}));
    EXPECT_EQ(SplitPosition(L" 5,,x"), (PositionFields{L"3", L" 5", L"", L"x"}));
    const PositionFields many = SplitPosition(L"1,2,3,4,5,6,7,8,9,10,11");
    EXPECT_EQ(many[0], L"11");
    EXPECT_EQ(many[9], L"9");  // the tenth and later fields have no place
}

TEST(SkinValues, ColoursAreHashAndRgbElseTheKeyColour) {
    EXPECT_EQ(ParseSkinColor(L"#00FF00"), 0x0000FF00u);
    EXPECT_EQ(ParseSkinColor(L"#102030"), 0x00302010u);
    EXPECT_EQ(ParseSkinColor(L"x0000ff"), 0x00FF0000u);  // the first character is not looked at
    EXPECT_EQ(ParseSkinColor(L"00FF00"), clKey);
    EXPECT_EQ(ParseSkinColor(L""), clKey);
    EXPECT_THROW(ParseSkinColor(L"#00GG00"), AppError);
    EXPECT_THROW(ParseSkinColor(L"#-12345"), AppError);
}

TEST_F(SkinDescriptionTest, AFileWithoutItsBackgroundIsNoSkin) {
    EXPECT_FALSE(ReadSkinDescription(store, codec, L"C:\\none.qvs"));
    EXPECT_FALSE(read("[Gauge]\r\nMem.Position=1,2,3,4\r\n"));
    EXPECT_FALSE(read("[BackImage]\r\nImage=ERROR\r\n"));
    // The key with an empty value is a skin (whose picture then cannot be read).
    auto skin = read("[BackImage]\r\nImage=\r\n");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->BackImage, L"");
    EXPECT_EQ(skin->Folder, L"C:\\Q\\skin\\Blue\\");
    EXPECT_EQ(skin->ValueAlign, DigitAlign::Right);
}

TEST_F(SkinDescriptionTest, ReadsEveryElement) {
    auto skin = read(
        "[backimage]\r\nimage=back.bmp,whatever\r\nTransParentColor=#000000\r\n"
        "[Gauge]\r\nMem.Position=10,20,110,36\r\nMem.ForeColor=#FF0000\r\nMem.Kind=GKVERTICALBAR\r\n"
        "CPU.Position=0,0,5,50\r\nCPU.Kind=pie\r\n"
        "[Button]\r\nExit.Position=200,3\r\nExit.Image=exit.bmp\r\nDefrag.Position=1,2,31,22\r\n"
        "[Progress]\r\nGDI.Position=1,2,3,4\r\nGDI.ForeColor2=#0000FF\r\n"
        "[Value]\r\nAlign=Center\r\nTransParentColor=#00FF00\r\nCPU.Position=5,5\r\n");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->PathOf(skin->BackImage), L"C:\\Q\\skin\\Blue\\back.bmp");
    EXPECT_EQ(skin->BackTransparentColor, 0u);

    const auto& memory = skin->Gauges[0];
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->Position.Left, 10);
    EXPECT_EQ(memory->Position.WidthOr(0), 100);
    EXPECT_EQ(memory->Position.HeightOr(0), 16);
    EXPECT_EQ(memory->ForeColor, 0x0000FFu);
    EXPECT_EQ(memory->ForeColor2, clKey);
    EXPECT_TRUE(memory->Vertical);
    ASSERT_TRUE(skin->Gauges[2]);
    EXPECT_FALSE(skin->Gauges[2]->Vertical);
    EXPECT_FALSE(skin->Gauges[1]);

    ASSERT_TRUE(skin->Buttons[1]);
    EXPECT_EQ(skin->Buttons[1]->Image, L"exit.bmp");
    EXPECT_EQ(skin->Buttons[1]->ClickImage, L"");
    EXPECT_EQ(skin->Buttons[1]->Position.WidthOr(0), 0);  // no size of its own
    ASSERT_TRUE(skin->Buttons[3]);
    EXPECT_EQ(skin->Buttons[3]->Position.WidthOr(0), 30);
    EXPECT_FALSE(skin->Buttons[0]);

    ASSERT_TRUE(skin->ProgressBars[5]);
    EXPECT_EQ(skin->ProgressBars[5]->ForeColor2, 0xFF0000u);

    EXPECT_EQ(skin->ValueAlign, DigitAlign::Center);
    EXPECT_EQ(skin->ValueTransparentColor, 0x00FF00u);
    ASSERT_TRUE(skin->Values[2]);
    EXPECT_EQ(skin->Values[2]->WidthOr(24), 24);
}

TEST_F(SkinDescriptionTest, UnusableValuesAreRaised) {
    const char* cases[] = {
        "[Gauge]\r\nMem.Position=10,20,110\r\n",      // a gauge needs Bottom
        "[Progress]\r\nCPU.Position=1,2\r\n",         // so does a bar
        "[Value]\r\nSys.Position=5\r\n",              // Top is always needed
        "[Button]\r\nMin.Position=a,1\r\n",
        "[Gauge]\r\nMem.Position=1,2,3,4\r\nMem.BackColor=#12345Z\r\n",
        // Places a window cannot have; 65536 x 65537 would wrap a 32-bit pixel count.
        "[Gauge]\r\nMem.Position=0,0,65536,65537\r\n",
        "[Progress]\r\nCPU.Position=-32769,0,10,10\r\n",
        "[Value]\r\nSys.Position=5,2147483647\r\n",
        "[Button]\r\nMin.Position=1,1,40000,2\r\n",
    };
    for (const char* keys : cases) {
        EXPECT_THROW(read(std::string("[BackImage]\r\nImage=b.bmp\r\n") + keys), AppError) << keys;
    }
}

TEST_F(SkinDescriptionTest, TheFileIsReadOnceAndAnOversizedOneIsNoSkin) {
    auto skin = read("[BackImage]\r\nImage=b.bmp\r\n[Gauge]\r\nMem.Position=-32768,0,32767,4\r\n");
    ASSERT_TRUE(skin);
    EXPECT_EQ(store.reads, 1);
    EXPECT_EQ(skin->Gauges[0]->Position.WidthOr(0), 65535);

    std::string padded = "[BackImage]\r\nImage=b.bmp\r\n";
    padded.resize(kMaxSkinFileBytes + 1, ' ');
    EXPECT_FALSE(read(padded));
}

TEST(SkinValues, ElementsMustFitTheirWindow) {
    SkinDescription skin;
    skin.Gauges[0] = SkinGaugeSpec{};
    skin.Gauges[0]->Position = {10, 10, 110, 30};
    skin.Values[2] = SkinPosition{0, 0, std::nullopt, std::nullopt};
    EXPECT_NO_THROW(CheckSkinFitsWindow(skin, {100, 20}, {8, 12}));
    EXPECT_THROW(CheckSkinFitsWindow(skin, {99, 20}, {8, 12}), AppError);
    EXPECT_THROW(CheckSkinFitsWindow(skin, {100, 19}, {8, 12}), AppError);
    // A digit field without a size is three cells wide.
    EXPECT_THROW(CheckSkinFitsWindow(skin, {100, 20}, {34, 12}), AppError);
    // Without a picture the window has no size of its own: only sizes no picture could have are refused.
    EXPECT_NO_THROW(CheckSkinFitsWindow(skin, {0, 0}, {8, 12}));
    skin.Buttons[1] = SkinButtonSpec{};
    skin.Buttons[1]->Position = {0, 0, 30000, 30000};
    EXPECT_THROW(CheckSkinFitsWindow(skin, {0, 0}, {8, 12}), AppError);
}

// On a display of 200 % and more a skin is enlarged by the whole factor: every position, given or not,
// and every pixel of its pictures (palette indices too, which the button shapes compare). At 150 % it is
// left as it is.
TEST_F(SkinDescriptionTest, EnlargedByWholeFactorsOnly) {
    EXPECT_EQ(SkinScaleFactor(96), 1);
    EXPECT_EQ(SkinScaleFactor(144), 1);
    EXPECT_EQ(SkinScaleFactor(192), 2);
    EXPECT_EQ(SkinScaleFactor(288), 3);

    auto skin = read("[backimage]\r\nimage=back.bmp\r\n[Gauge]\r\nMem.Position=10,20,110,36\r\n"
                     "[Button]\r\nExit.Position=200,3\r\n[Value]\r\nCPU.Position=5,-5\r\n");
    ASSERT_TRUE(skin);
    const SkinDescription doubled = ScaledSkin(*skin, 2);
    EXPECT_EQ(doubled.Gauges[0]->Position.Left, 20);
    EXPECT_EQ(doubled.Gauges[0]->Position.Top, 40);
    EXPECT_EQ(doubled.Gauges[0]->Position.WidthOr(0), 200);
    EXPECT_EQ(doubled.Gauges[0]->Position.HeightOr(0), 32);
    EXPECT_EQ(doubled.Buttons[1]->Position.Left, 400);
    EXPECT_FALSE(doubled.Buttons[1]->Position.Right);  // still sized by its picture
    EXPECT_EQ(doubled.Values[2]->Top, -10);
    EXPECT_EQ(ScaledSkin(*skin, 1).Gauges[0]->Position.Left, 10);

    PixelBuffer pixels(2, 1);
    pixels.Set(0, 0, 0x111111);
    pixels.Set(1, 0, 0x222222);
    const Image picture(std::move(pixels), Image::ifBitmap, {7, 9});
    const Image big = Enlarged(picture, 2);
    ASSERT_EQ(big.Width(), 4);
    ASSERT_EQ(big.Height(), 2);
    EXPECT_TRUE(big.HasPalette());
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(big.Pixels().At(1, y), 0x111111u);
        EXPECT_EQ(big.Pixels().At(2, y), 0x222222u);
        EXPECT_EQ(big.KeyAt(1, y), 7u);
        EXPECT_EQ(big.KeyAt(2, y), 9u);
    }
    // A picture that may not be that large stays as it is.
    const Image large = Image::Filled(2048, 2049, 0);
    EXPECT_EQ(Enlarged(large, 2).Width(), 2048);
}

} // namespace
} // namespace qv::skin
