#pragma once
// The four additional indicator icons as the main window decides about them: which slot an added icon
// takes, what removing does, and how the setting AIcons ("0000": one digit per slot, 0 for none)
// follows the slots.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv::app {

inline constexpr int kIndicatorSlots = 4;

enum class SlotState { Empty, Visible, Parked };

struct IndicatorSlots {
    // Index 0 is slot 1.
    std::array<SlotState, kIndicatorSlots> state{SlotState::Empty, SlotState::Empty, SlotState::Empty,
                                                 SlotState::Empty};
    std::array<int, kIndicatorSlots> kind{};  // metric kind of the icon in the slot, 0 when none

    SlotState at(int slot) const { return state[static_cast<size_t>(slot - 1)]; }
    // The slot (1..4) an added icon goes to: the first empty or parked one; none when all four show.
    std::optional<int> slot_for_new_icon() const;
    // The highest slot that holds an icon object (shown or parked), 0 when none does.
    int highest_occupied() const;
};

enum class RemoveAction { Nothing, Free, Park };

// What removing the icon of `current` does: the highest occupied slot frees its icon, a lower one is
// parked for reuse; nothing when no slot holds an icon.
RemoveAction remove_action(const IndicatorSlots& slots, int current);

// AIcons with the digit of `slot` (1..4) replaced. A hand-edited value shorter than four characters is
// padded with "0" first, so the write always leaves four digits.
std::wstring with_slot_digit(std::wstring aicons, int slot, int kind);

// The metric kinds (1..5) AIcons asks to restore, in position order. Characters other than "1".."5"
// stand for no icon.
std::vector<int> kinds_to_restore(const std::wstring& aicons);

// AIcons as it describes the slots: the kind of each shown icon, "0" elsewhere.
std::wstring describe_slots(const IndicatorSlots& slots);

// The hint of an indicator icon of that kind ("システムリソース", without the space its menu item has).
std::wstring indicator_hint(int kind);

} // namespace qv::app
