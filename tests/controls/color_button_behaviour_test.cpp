#include "controls/color_button_behaviour.h"

#include <gtest/gtest.h>

namespace qv::controls {
namespace {

struct FakeSite : ColorButtonSite {
    void Repaint() override { ++repaints; }
    void SetTrackingTimer(bool enabled) override { timer = enabled; }
    skin::Point CursorPos() override { return cursor; }
    skin::Size ClientSize() override { return {90, 25}; }
    std::optional<skin::Color> PickColor(unsigned options) override {
        ++dialogs;
        last_options = options;
        return answer;
    }
    void Clicked() override { ++clicks; }

    int repaints = 0;
    bool timer = false;
    skin::Point cursor{10, 10};
    int dialogs = 0;
    unsigned last_options = 0;
    std::optional<skin::Color> answer;
    int clicks = 0;
};

TEST(ColorButtonBehaviourTest, ReleaseOpensTheDialogAndClicksWhateverTheAnswer) {
    struct Case {
        std::optional<skin::Color> answer;
        skin::Color color_after;
    };
    const Case cases[] = {{std::nullopt, 0x0000FFFF}, {0x00123456, 0x00123456}};
    for (const Case& c : cases) {
        FakeSite site;
        ColorButtonBehaviour button(site);
        button.Options = cdFullOpen | cdAnyColor;
        site.answer = c.answer;
        button.LeftDown();
        EXPECT_TRUE(button.Pressed());
        EXPECT_TRUE(site.timer);
        button.LeftUp();
        EXPECT_FALSE(site.timer);
        EXPECT_FALSE(button.Pressed());
        EXPECT_EQ(site.dialogs, 1);
        EXPECT_EQ(site.last_options, cdFullOpen | cdAnyColor);
        EXPECT_EQ(site.clicks, 1);
        EXPECT_EQ(button.Color(), c.color_after);
    }
}

TEST(ColorButtonBehaviourTest, MovingOffWhileHeldCancelsTheClick) {
    struct Case {
        skin::Point cursor;
        bool still_pressed;
    };
    // Off means x < 0, y < 0, x > width or y > height: the right and bottom edges still count as on.
    const Case cases[] = {{{-1, 5}, false}, {{5, -1}, false}, {{91, 5}, false}, {{5, 26}, false},
                          {{90, 25}, true}, {{0, 0}, true}};
    for (const Case& c : cases) {
        FakeSite site;
        ColorButtonBehaviour button(site);
        button.LeftDown();
        site.cursor = c.cursor;
        button.TrackingTick();
        EXPECT_EQ(button.Pressed(), c.still_pressed) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(site.timer, c.still_pressed);
        button.LeftUp();
        EXPECT_EQ(site.dialogs, c.still_pressed ? 1 : 0);
        EXPECT_EQ(site.clicks, c.still_pressed ? 1 : 0);
    }
}

TEST(ColorButtonBehaviourTest, SettingTheSameColourDoesNotRepaint) {
    FakeSite site;
    ColorButtonBehaviour button(site);
    button.SetColor(0x0000FFFF);
    EXPECT_EQ(site.repaints, 0);
    button.SetColor(0x00FF0000);
    EXPECT_EQ(site.repaints, 1);
}

} // namespace
} // namespace qv::controls
