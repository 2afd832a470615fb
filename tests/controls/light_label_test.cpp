#include "controls/light_label.h"

#include <gtest/gtest.h>

namespace qv::controls {
namespace {

TEST(LightLabelTest, JumpTargetFollowsTheJumpType) {
    struct Case {
        TJumpType type;
        const wchar_t* jump_to;
        const wchar_t* caption;
        std::optional<std::wstring> target;
    };
    const Case cases[] = {
        {jtMail, L"support@quorvane.app", L"x", L"mailto:support@quorvane.app"},
        {jtFile, L"C:\\Quorvane\\readme.txt", L"x", L"file:///C:\\Quorvane\\readme.txt"},
        {jtHome, L"https://quorvane.app/", L"x", L"https://quorvane.app/"},
        {jtCust, L"notepad.exe", L"x", L"notepad.exe"},
        {jtCaption, L"", L"https://quorvane.app/", L"https://quorvane.app/"},
        {jtCaption, L"ignored.txt", L"caption", L"caption"},
        {jtCaption, L"ignored.txt", L"", std::nullopt},
        {jtNone, L"https://quorvane.app/", L"x", std::nullopt},
        {jtMail, L"", L"x", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JumpTarget(c.type, c.jump_to, c.caption), c.target) << c.type << " " << c.jump_to;
    }
}

class LightLabelLooks : public ::testing::Test {
protected:
    LightLabelLooks() {
        label.LightColor = kLight;
        label.ClickColor = kClick;
        label.SetDefaultColor(kDefault);
    }
    static constexpr skin::Color kLight = 0x00AAAAAA, kClick = 0x00BBBBBB, kDefault = 0x00CCCCCC;
    LightLabelState label;

    bool shows_default() const { return label.Color() == kDefault && label.Font() == label.DefaultFont(); }
    bool shows_light() const { return label.Color() == kLight && label.Font() == label.LightFont(); }
    bool shows_click() const { return label.Color() == kClick && label.Font() == label.ClickFont(); }
};

TEST_F(LightLabelLooks, MouseWalksThroughTheLooks) {
    EXPECT_TRUE(shows_default());
    label.MouseEnter();
    EXPECT_TRUE(shows_light());
    label.MouseDown();
    EXPECT_TRUE(shows_click());
    label.MouseUp();
    EXPECT_TRUE(shows_light());
    label.MouseLeave();
    EXPECT_TRUE(shows_default());
}

TEST_F(LightLabelLooks, ReleasingAfterTheCursorLeftShowsTheDefaultLook) {
    label.MouseEnter();
    label.MouseDown();
    label.MouseLeave();
    label.MouseUp();
    EXPECT_TRUE(shows_default());
}

TEST_F(LightLabelLooks, DisabledLooksAreSkippedButAReleaseAlwaysShowsWhereThePointerIs) {
    label.LightEnabled = false;
    label.MouseEnter();
    EXPECT_TRUE(shows_default());
    label.MouseDown();
    label.MouseUp();
    EXPECT_TRUE(shows_light()) << "the release shows the light look even with LightEnabled off";

    label.ClickEnabled = false;
    label.MouseDown();
    EXPECT_TRUE(shows_light());

    label.DefaultEnabled = false;
    label.MouseLeave();
    EXPECT_TRUE(shows_light());
    label.SetDefaultColor(0x00DDDDDD);
    EXPECT_EQ(label.Color(), kLight) << "a new default colour waits while DefaultEnabled is off";
}

TEST_F(LightLabelLooks, ChangesOfTheDrawnLookAreAnnounced) {
    int changes = 0;
    label.OnLookChanged = [&] { ++changes; };
    skin::Font font = label.DefaultFont();
    font.Name = L"ＭＳ Ｐゴシック";
    label.SetDefaultFont(font);
    EXPECT_EQ(label.Font().Name, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(changes, 1);
    label.SetDefaultColor(kDefault);  // unchanged
    EXPECT_EQ(changes, 1);
    label.MouseEnter();
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace qv::controls
