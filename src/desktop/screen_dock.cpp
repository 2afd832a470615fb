#include "desktop/screen_dock.h"

namespace qv::desktop {
namespace {

bool within(int value, int edge, int distance) { return edge - distance <= value && value <= edge + distance; }

} // namespace

DockResult dock_rect(DockRect r, DockRect area, int width, int height, unsigned dockable, int distance) {
    DockResult result;
    if ((dockable & edge_bit(seLeft)) && within(r.left, area.left, distance)) {
        r.left = area.left;
        r.right = area.left + width;
        result.edges.push_back(seLeft);
    }
    if ((dockable & edge_bit(seTop)) && within(r.top, area.top, distance)) {
        r.top = area.top;
        r.bottom = area.top + height;
        result.edges.push_back(seTop);
    }
    if ((dockable & edge_bit(seRight)) && within(r.right, area.right, distance)) {
        r.right = area.right;
        r.left = area.right - width;
        result.edges.push_back(seRight);
    }
    if ((dockable & edge_bit(seBottom)) && within(r.bottom, area.bottom, distance)) {
        r.bottom = area.bottom;
        r.top = area.bottom - height;
        result.edges.push_back(seBottom);
    }
    result.rect = r;
    return result;
}

} // namespace qv::desktop
