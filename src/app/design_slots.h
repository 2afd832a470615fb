#pragma once
// The window's replaceable elements, by metric (1 memory, 2 swap, 3 CPU, 4 System, 5 User, 6 GDI; the
// arrays are indexed from 0): the default design's gauges and a skin's gauges, digit fields, progress
// bars and buttons. It decides which element shows which figure, and keeps elements taken out of the
// window alive until no event of theirs can still be running.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/display_values.h"
#include "skin/cool_gauge.h"
#include "skin/digit_field.h"
#include "skin/gauge.h"
#include "skin/gprogress.h"

namespace qv::app {

inline constexpr int kMetricSlots = 6;
inline constexpr int kSkinButtonSlots = 4;  // 1 settings, 2 exit, 3 close, 4 optimize

class DesignSlots {
public:
    std::array<std::unique_ptr<skin::TCoolGauge>, kMetricSlots> DefaultGauges;
    std::array<std::unique_ptr<skin::TLabelGauge>, kMetricSlots> SkinGauges;
    std::array<std::unique_ptr<skin::DigitField>, kMetricSlots> SkinValues;
    std::array<std::unique_ptr<skin::TGProgress>, kMetricSlots> SkinProgressBars;
    std::array<std::unique_ptr<skin::GraphicControl>, kSkinButtonSlots> SkinButtons;

    // Hides every element and empties every slot, metric 6 down to 1 (skin gauge, digit field, default
    // gauge, progress bar, button). The elements are only retired, not destroyed: a skin button may
    // be removed from inside its own click.
    void ClearAll();
    // Destroys the retired elements. Call only where none of their events can be on the stack.
    void DestroyRetired() { retired_.clear(); }
    std::size_t RetiredCount() const noexcept { return retired_.size(); }

    // The button slot (1..4) that holds `sender`, or 0.
    int ButtonSlotOf(const skin::GraphicControl& sender) const;

    // The default design's gauges: memory in bytes with the "free/total MB" text, CPU, System, User,
    // GDI in percent, swap last. Nothing while the gauges are not there.
    void ShowOnDefaultGauges(const DisplayFigures& figures, long long total_mb);
    // A skin's elements in three passes (gauges, progress bars, digit fields), each in metric order,
    // skipping metrics the skin has no element for. Memory is bytes on gauges and bars, MB in digits.
    void ShowOnSkin(const DisplayFigures& figures);

private:
    template <typename Control>
    void retire(std::unique_ptr<Control>& slot);

    std::vector<std::unique_ptr<skin::GraphicControl>> retired_;
};

// The figure each metric slot shows (memory as bytes; CPU limited to 0..100).
std::int64_t slot_figure(int metric, const DisplayFigures& figures);
// The hint of a skin's progress bar: free memory as "123M", the other metrics as "45%".
std::wstring progress_hint_text(int metric, const DisplayFigures& figures);

} // namespace qv::app
