#include "desktop/screen_dock.h"

#include <gtest/gtest.h>

namespace qv::desktop {
namespace {

const DockRect kWorkArea{0, 0, 1024, 738};

TEST(ScreenDock, SnapsWithinTheDistanceOnEitherSide) {
    struct Case { int left; bool snaps; };
    for (const Case c : {Case{-10, true}, Case{10, true}, Case{0, true}, Case{11, false}, Case{-11, false}}) {
        auto r = dock_rect({c.left, 300, c.left + 200, 400}, kWorkArea, 200, 100, kAllEdges, 10);
        EXPECT_EQ(r.snapped(), c.snaps) << c.left;
        if (c.snaps) EXPECT_EQ(r.rect, (DockRect{0, 300, 200, 400})) << c.left;
        else EXPECT_EQ(r.rect, (DockRect{c.left, 300, c.left + 200, 400})) << c.left;
    }
}

TEST(ScreenDock, RightEdgeAndCornersKeepTheSize) {
    auto right = dock_rect({830, 300, 1030, 400}, kWorkArea, 200, 100, kAllEdges, 10);
    EXPECT_EQ(right.rect, (DockRect{824, 300, 1024, 400}));
    EXPECT_EQ(right.edges, (std::vector<TScreenEdge>{seRight}));

    auto corner = dock_rect({5, 640, 205, 740}, kWorkArea, 200, 100, kAllEdges, 10);
    EXPECT_EQ(corner.rect, (DockRect{0, 638, 200, 738}));
    EXPECT_EQ(corner.edges, (std::vector<TScreenEdge>{seLeft, seBottom}));

    // Both side edges in reach (a window nearly as wide as the area): the right one wins.
    auto both = dock_rect({3, 300, 1020, 400}, kWorkArea, 1017, 100, kAllEdges, 10);
    EXPECT_EQ(both.rect, (DockRect{7, 300, 1024, 400}));
    EXPECT_EQ(both.edges, (std::vector<TScreenEdge>{seLeft, seRight}));
}

TEST(ScreenDock, AreaAndEdgeSetDecide) {
    const DockRect below_taskbar{0, 30, 1024, 768};
    EXPECT_EQ(dock_rect({100, 25, 300, 125}, below_taskbar, 200, 100, kAllEdges, 10).rect.top, 30);
    const DockRect screen{0, 0, 1024, 768};
    EXPECT_FALSE(dock_rect({100, 25, 300, 125}, screen, 200, 100, kAllEdges, 10).snapped());
    EXPECT_FALSE(dock_rect({5, 5, 205, 105}, kWorkArea, 200, 100, 0, 10).snapped());
    auto top_only = dock_rect({5, 5, 205, 105}, kWorkArea, 200, 100, edge_bit(seTop), 10);
    EXPECT_EQ(top_only.rect, (DockRect{5, 0, 205, 100}));
}

} // namespace
} // namespace qv::desktop
