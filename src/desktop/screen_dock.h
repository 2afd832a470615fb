#pragma once
// Snapping a dragged window to the edges of the screen or the work area: the proposed rectangle comes
// back moved onto every edge within reach, keeping the window's size.
#include <vector>

namespace qv::desktop {

enum TScreenEdge { seLeft, seTop, seRight, seBottom };
enum TDockArea { daScreen, daWorkArea };

struct DockRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const DockRect&) const = default;
};

// A set of TScreenEdge, one bit per edge.
inline constexpr unsigned kAllEdges = 0xF;
constexpr unsigned edge_bit(TScreenEdge edge) { return 1u << edge; }

struct DockResult {
    DockRect rect;
    std::vector<TScreenEdge> edges;  // the edges snapped to, in the order tested
    bool snapped() const { return !edges.empty(); }
};

// Tests left, top, right, bottom in that order, each against the rectangle as the earlier ones left it
// (so the right edge wins over the left). `width`/`height` are the window's current size.
DockResult dock_rect(DockRect proposed, DockRect area, int width, int height, unsigned dockable, int distance);

} // namespace qv::desktop
