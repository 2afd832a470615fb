#include "app/indicator_slots.h"

namespace qv::app {

std::optional<int> IndicatorSlots::slot_for_new_icon() const {
    for (int slot = 1; slot <= kIndicatorSlots; ++slot) {
        if (at(slot) != SlotState::Visible) return slot;
    }
    return std::nullopt;
}

int IndicatorSlots::highest_occupied() const {
    for (int slot = kIndicatorSlots; slot >= 1; --slot) {
        if (at(slot) != SlotState::Empty) return slot;
    }
    return 0;
}

RemoveAction remove_action(const IndicatorSlots& slots, int current) {
    const int highest = slots.highest_occupied();
    if (highest == 0) return RemoveAction::Nothing;
    return current == highest ? RemoveAction::Free : RemoveAction::Park;
}

std::wstring with_slot_digit(std::wstring aicons, int slot, int kind) {
    if (slot < 1 || slot > kIndicatorSlots || kind < 0 || kind > 9) return aicons;
    if (aicons.size() < kIndicatorSlots) aicons.resize(kIndicatorSlots, L'0');
    aicons[static_cast<size_t>(slot - 1)] = static_cast<wchar_t>(L'0' + kind);
    return aicons;
}

std::vector<int> kinds_to_restore(const std::wstring& aicons) {
    std::vector<int> kinds;
    for (size_t i = 0; i < aicons.size() && i < kIndicatorSlots; ++i) {
        if (aicons[i] >= L'1' && aicons[i] <= L'5') kinds.push_back(aicons[i] - L'0');
    }
    return kinds;
}

std::wstring describe_slots(const IndicatorSlots& slots) {
    std::wstring text(kIndicatorSlots, L'0');
    for (int slot = 1; slot <= kIndicatorSlots; ++slot) {
        if (slots.at(slot) == SlotState::Visible) text = with_slot_digit(text, slot, slots.kind[static_cast<size_t>(slot - 1)]);
    }
    return text;
}

std::wstring indicator_hint(int kind) {
    switch (kind) {
    case 1: return L"システムリソース";
    case 2: return L"User リソース";
    case 3: return L"GDI リソース";
    case 4: return L"CPU 使用率";
    case 5: return L"空きメモリ(%)";
    default: return L"";
    }
}

} // namespace qv::app
