#include "app/design_slots.h"

namespace qv::app {

std::int64_t slot_figure(int metric, const DisplayFigures& figures) {
    switch (metric) {
    case 1: return static_cast<std::int64_t>(figures.PhysicalFree);
    case 2: return figures.SwapUsage;
    case 3: return shown_cpu_usage(figures.CPUUsage);
    case 4: return figures.SystemResources;
    case 5: return figures.UserResources;
    case 6: return figures.GDIResources;
    default: return 0;
    }
}

std::wstring progress_hint_text(int metric, const DisplayFigures& figures) {
    if (metric == 1) return std::to_wstring(figures.PhysicalFree / 1048576) + L"M";
    return std::to_wstring(slot_figure(metric, figures)) + L"%";
}

template <typename Control>
void DesignSlots::retire(std::unique_ptr<Control>& slot) {
    if (!slot) return;
    slot->SetVisible(false);
    retired_.push_back(std::move(slot));
}

void DesignSlots::ClearAll() {
    for (int i = kMetricSlots - 1; i >= 0; --i) {
        const auto at = static_cast<std::size_t>(i);
        retire(SkinGauges[at]);
        retire(SkinValues[at]);
        retire(DefaultGauges[at]);
        retire(SkinProgressBars[at]);
        if (at < SkinButtons.size()) retire(SkinButtons[at]);
    }
}

int DesignSlots::ButtonSlotOf(const skin::GraphicControl& sender) const {
    for (std::size_t i = 0; i < SkinButtons.size(); ++i) {
        if (SkinButtons[i].get() == &sender) return static_cast<int>(i) + 1;
    }
    return 0;
}

void DesignSlots::ShowOnDefaultGauges(const DisplayFigures& figures, long long total_mb) {
    for (const auto& gauge : DefaultGauges) {
        if (!gauge) return;
    }
    auto& memory = *DefaultGauges[0];
    memory.SetProgress(slot_figure(1, figures));
    memory.SetText(memory_gauge_text(static_cast<std::uint64_t>(memory.Progress()), total_mb));
    for (int metric : {3, 4, 5, 6, 2}) {
        DefaultGauges[static_cast<std::size_t>(metric - 1)]->SetProgress(slot_figure(metric, figures));
    }
}

void DesignSlots::ShowOnSkin(const DisplayFigures& figures) {
    for (int metric = 1; metric <= kMetricSlots; ++metric) {
        if (auto& gauge = SkinGauges[static_cast<std::size_t>(metric - 1)]) gauge->SetProgress(slot_figure(metric, figures));
    }
    for (int metric = 1; metric <= kMetricSlots; ++metric) {
        if (auto& bar = SkinProgressBars[static_cast<std::size_t>(metric - 1)]) bar->SetPosition(slot_figure(metric, figures));
    }
    for (int metric = 1; metric <= kMetricSlots; ++metric) {
        auto& field = SkinValues[static_cast<std::size_t>(metric - 1)];
        if (!field) continue;
        const std::int64_t figure = slot_figure(metric, figures);
        field->SetNumber(metric == 1 ? figure / 1048576 : figure);
    }
}

} // namespace qv::app
