#include "app/indicator_slots.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

IndicatorSlots slots_of(std::initializer_list<SlotState> states) {
    IndicatorSlots slots;
    size_t i = 0;
    for (SlotState s : states) slots.state[i++] = s;
    return slots;
}
constexpr auto E = SlotState::Empty, V = SlotState::Visible, P = SlotState::Parked;

TEST(IndicatorSlots, AddTakesTheFirstEmptyOrParkedSlot) {
    EXPECT_EQ(slots_of({E, E, E, E}).slot_for_new_icon(), 1);
    EXPECT_EQ(slots_of({V, P, V, E}).slot_for_new_icon(), 2);  // a parked icon is reused first
    EXPECT_EQ(slots_of({V, V, V, E}).slot_for_new_icon(), 4);
    EXPECT_EQ(slots_of({V, V, V, V}).slot_for_new_icon(), std::nullopt);  // the fifth icon is refused
}

TEST(IndicatorSlots, RemoveFreesTheHighestAndParksLowerOnes) {
    // Removing slot 2 while slot 3 shows parks slot 2.
    EXPECT_EQ(remove_action(slots_of({V, V, V, E}), 2), RemoveAction::Park);
    EXPECT_EQ(remove_action(slots_of({V, V, V, E}), 3), RemoveAction::Free);
    // A parked icon above counts as occupied.
    EXPECT_EQ(remove_action(slots_of({V, E, P, E}), 1), RemoveAction::Park);
    EXPECT_EQ(remove_action(slots_of({E, E, E, E}), 1), RemoveAction::Nothing);
}

TEST(IndicatorSlots, AIconsDigitsFollowTheSlots) {
    EXPECT_EQ(with_slot_digit(L"1500", 2, 0), L"1000");
    EXPECT_EQ(with_slot_digit(L"1000", 2, 4), L"1400");
    EXPECT_EQ(with_slot_digit(L"3", 4, 5), L"3005");   // a short hand-edited value is padded
    EXPECT_EQ(with_slot_digit(L"1500", 5, 1), L"1500");  // no such slot
    EXPECT_EQ(kinds_to_restore(L"1500"), (std::vector<int>{1, 5}));
    EXPECT_EQ(kinds_to_restore(L"0300"), (std::vector<int>{3}));
    EXPECT_EQ(kinds_to_restore(L"7x2a9"), (std::vector<int>{2}));  // only 1..5 within four places
    EXPECT_EQ(kinds_to_restore(L""), (std::vector<int>{}));

    auto slots = slots_of({V, P, V, E});
    slots.kind = {3, 1, 5, 0};
    EXPECT_EQ(describe_slots(slots), L"3050");  // a parked icon shows nothing
}

TEST(IndicatorSlots, HintsDifferFromMenuCaptionsOnlyForSystemResources) {
    EXPECT_EQ(indicator_hint(1), L"システムリソース");
    EXPECT_EQ(indicator_hint(5), L"空きメモリ(%)");
    EXPECT_EQ(indicator_hint(6), L"");
}

} // namespace
} // namespace qv::app

#include "app/icon_number.h"

namespace qv::app {
namespace {

TEST(IconNumberLayout, OneTwoAndThreeDigits) {
    const auto seven = icon_number_layout(7);
    EXPECT_EQ(seven.text, L"7");
    EXPECT_EQ(seven.x, 4);
    EXPECT_EQ(icon_number_layout(0).x, 4);
    const auto forty_two = icon_number_layout(42);
    EXPECT_EQ(forty_two.x, 1);
    EXPECT_EQ(forty_two.y, 1);
    EXPECT_FALSE(forty_two.small_font);
    EXPECT_EQ(icon_number_layout(10).x, 1);
    const auto hundred = icon_number_layout(100);
    EXPECT_EQ(hundred.text, L"100");
    EXPECT_EQ(hundred.x, -1);
    EXPECT_EQ(hundred.y, 2);
    EXPECT_TRUE(hundred.small_font);
    // 10 and 7 points at 96 pixels an inch.
    EXPECT_EQ(forty_two.font_height, 13);
    EXPECT_EQ(hundred.font_height, 9);
}

// The icons of a scaled display (24 pixels at 150 %, 32 at 200 %, 20 at 125 %) take the 16-pixel layout
// scaled to their side: positions and font sizes alike.
TEST(IconNumberLayout, ScalesWithTheIconSize) {
    struct Case {
        int number, size, x, y, font_height;
    };
    for (const Case& c : {Case{7, 24, 6, 2, 20}, Case{42, 24, 2, 2, 20}, Case{100, 24, -2, 3, 14},
                          Case{7, 32, 8, 2, 27}, Case{42, 32, 2, 2, 27}, Case{100, 32, -2, 4, 19},
                          Case{7, 20, 5, 1, 17}, Case{100, 20, -1, 3, 12}}) {
        const auto layout = icon_number_layout(c.number, c.size);
        EXPECT_EQ(layout.x, c.x) << c.number << " at " << c.size;
        EXPECT_EQ(layout.y, c.y) << c.number << " at " << c.size;
        EXPECT_EQ(layout.font_height, c.font_height) << c.number << " at " << c.size;
        EXPECT_EQ(layout.small_font, c.number == 100);
    }
}

} // namespace
} // namespace qv::app
