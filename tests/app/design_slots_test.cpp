#include "app/design_slots.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

constexpr std::uint64_t kTotal = 256ull << 20;

DisplayFigures sample() {
    DisplayFigures f;
    f.PhysicalFree = 39845888;  // 38 MB
    f.PhysicalTotal = kTotal;
    f.SwapUsage = 5;
    f.CPUUsage = 130;  // an overshooting sample
    f.SystemResources = 80;
    f.UserResources = 85;
    f.GDIResources = 90;
    return f;
}

void fill_default_gauges(DesignSlots& slots) {
    for (auto& gauge : slots.DefaultGauges) {
        gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetMaxValue(100);
    }
    slots.DefaultGauges[0]->SetMaxValue(static_cast<std::int64_t>(kTotal));
}

TEST(DesignSlots, DefaultGaugesShowBytesAndPercentages) {
    DesignSlots slots;
    slots.ShowOnDefaultGauges(sample(), 256);  // no gauges yet: nothing happens
    fill_default_gauges(slots);
    slots.ShowOnDefaultGauges(sample(), 256);
    EXPECT_EQ(slots.DefaultGauges[0]->Progress(), 39845888);
    EXPECT_EQ(slots.DefaultGauges[0]->Text(), L"38/256 MB");
    EXPECT_EQ(slots.DefaultGauges[1]->Progress(), 5);
    EXPECT_EQ(slots.DefaultGauges[2]->Progress(), 100);
    EXPECT_EQ(slots.DefaultGauges[3]->Progress(), 80);
    EXPECT_EQ(slots.DefaultGauges[4]->Progress(), 85);
    EXPECT_EQ(slots.DefaultGauges[5]->Progress(), 90);
}

TEST(DesignSlots, SkinElementsGetTheirFiguresAndMissingOnesAreSkipped) {
    DesignSlots slots;
    slots.SkinGauges[0] = std::make_unique<skin::TLabelGauge>();
    slots.SkinGauges[0]->SetMaxValue(static_cast<std::int64_t>(kTotal));
    slots.SkinProgressBars[2] = std::make_unique<skin::TGProgress>();
    // Digit d is one pixel of the value d + 1 and the key colour is 0, so a field reads back as its number.
    auto digits = std::make_shared<skin::DigitPictures>(skin::DigitPictures{{}, 1, 1});
    for (int d = 0; d <= 9; ++d) digits->Digits.push_back(skin::Image::Filled(1, 1, static_cast<skin::Pixel>(d + 1)));
    for (std::size_t i : {0u, 3u}) {
        slots.SkinValues[i] = std::make_unique<skin::DigitField>(digits, skin::DigitAlign::Left, 0);
    }
    slots.ShowOnSkin(sample());
    EXPECT_EQ(slots.SkinGauges[0]->Progress(), 39845888);
    EXPECT_EQ(slots.SkinProgressBars[2]->Position(), 100);
    auto shown = [&](std::size_t i) {
        std::string text;
        for (int x = 0; x < skin::kDigitCells; ++x) {
            const skin::Pixel p = slots.SkinValues[i]->Picture().Pixels().At(x, 0);
            text += p == 0 ? '.' : static_cast<char>('0' + p - 1);
        }
        return text;
    };
    EXPECT_EQ(shown(0), "38.");  // memory in MB
    EXPECT_EQ(shown(3), "80.");  // System in percent
}

TEST(DesignSlots, ClearingRetiresEveryElementAndKeepsItAliveUntilAsked) {
    DesignSlots slots;
    fill_default_gauges(slots);
    slots.SkinGauges[5] = std::make_unique<skin::TLabelGauge>();
    slots.SkinButtons[0] = std::make_unique<skin::TGProgress>();
    skin::GraphicControl* button = slots.SkinButtons[0].get();
    EXPECT_EQ(slots.ButtonSlotOf(*button), 1);
    EXPECT_EQ(slots.ButtonSlotOf(*slots.DefaultGauges[0]), 0);

    // Removing everything from inside the button's own click: the button must outlive the handler.
    button->OnClick = [&](skin::GraphicControl& sender) {
        slots.ClearAll();
        EXPECT_FALSE(sender.Visible());
        EXPECT_EQ(slots.ButtonSlotOf(sender), 0);
    };
    button->Click();
    EXPECT_EQ(slots.RetiredCount(), 8u);
    for (const auto& gauge : slots.DefaultGauges) EXPECT_EQ(gauge, nullptr);
    EXPECT_EQ(slots.SkinGauges[5], nullptr);
    slots.ClearAll();  // already empty: nothing more
    EXPECT_EQ(slots.RetiredCount(), 8u);
    slots.DestroyRetired();
    EXPECT_EQ(slots.RetiredCount(), 0u);
}

TEST(DesignSlots, ProgressHintsShowMegabytesAndPercentages) {
    EXPECT_EQ(progress_hint_text(1, sample()), L"38M");
    EXPECT_EQ(progress_hint_text(2, sample()), L"5%");
    EXPECT_EQ(progress_hint_text(3, sample()), L"100%");
    EXPECT_EQ(progress_hint_text(6, sample()), L"90%");
}

} // namespace
} // namespace qv::app
