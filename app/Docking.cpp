#include "app/Docking.h"

#include <cstdlib>

namespace varnelo {

namespace {
constexpr int kSnapDistance = 6; // "within 5 pixels"
constexpr int kTearDistance = 6; // "more than 6 pixels off"
} // namespace

PairPosition MainWindowMouseMove(PairPosition at, QPoint pointer, QPoint anchor, bool dragging) {
    const QPoint delta = pointer - anchor;
    const int h = at.mainHeight;
    if (dragging) {
        if (at.list.y() - h == at.main.y()) {
            // Sitting on the list window: both move as one.
            const int listLeft = at.list.x() + delta.x();
            at.main += delta;
            at.list = QPoint(listLeft, at.main.y() + h);
        } else if (std::abs(at.main.y() + h - at.list.y()) < kSnapDistance) {
            at.main.setY(at.list.y() - h);
        } else {
            at.main += delta;
        }
    }
    // Any move over the main window, dragged or not, snaps it onto the list.
    if (std::abs(at.main.y() + h - at.list.y()) < kSnapDistance)
        at.main.setY(at.list.y() - h);
    return at;
}

ListDrag ListWindowMouseMove(ListDrag at, int mainBottom, QPoint pointer, QPoint anchor) {
    const QPoint delta = pointer - anchor;
    if (at.list.y() != mainBottom && std::abs(at.list.y() - mainBottom) < kSnapDistance) {
        at.list.setY(mainBottom);
        at.heldDocked = true;
    }
    if (at.heldDocked) {
        if (std::abs(delta.y()) < kSnapDistance && delta.x() != 0)
            at.list = QPoint(at.list.x() + delta.x(), mainBottom);
        const int wouldBeTop = at.list.y() + delta.y();
        if (std::abs(wouldBeTop - mainBottom) > kTearDistance) {
            at.list = QPoint(at.list.x() + delta.x(), wouldBeTop);
            at.heldDocked = false;
        }
    } else {
        at.list += delta;
    }
    return at;
}

} // namespace varnelo
