#include "app/icon_number.h"

namespace qv::app {

IconNumberLayout icon_number_layout(int number) {
    if (number == 100) return {L"100", -1, 2, true};
    return {std::to_wstring(number), number < 10 ? 4 : 1, 1, false};
}

} // namespace qv::app
