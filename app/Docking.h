#pragma once

#include <QPoint>

namespace varnelo {

// The geometry of dragging and docking the main window and the join list
// window, as pure functions of positions (window client areas, screen
// coordinates). The join list docks under the main window when the main
// window's bottom edge and the list's top edge come within 5 pixels.

// Both windows' top-left corners and the main window's height.
struct PairPosition {
    QPoint main;
    int mainHeight = 0;
    QPoint list;
    bool operator==(const PairPosition&) const = default;
};

// A move over the main window with pointer `pointer` and press anchor `anchor`
// (main window client coordinates). `dragging`: a drag is armed and the left
// button is down at this moment. A main window that sits exactly on the list
// window takes the list along; one within 5 pixels snaps onto it, whether
// dragged or not.
PairPosition MainWindowMouseMove(PairPosition at, QPoint pointer, QPoint anchor, bool dragging);

// The join list window's position and whether it is held docked under the
// main window (the shell's SkinControlPressed during a list drag).
struct ListDrag {
    QPoint list;
    bool heldDocked = false;
    bool operator==(const ListDrag&) const = default;
};

// A move over the list window while its drag is armed and the left button is
// down; `mainBottom` is the main window's top plus its height. Within 5
// pixels of the main window's bottom the list snaps and is held docked; held
// docked it slides sideways while the pointer stays within 5 pixels of the
// press height, and tears away once it would lie more than 6 pixels off.
ListDrag ListWindowMouseMove(ListDrag at, int mainBottom, QPoint pointer, QPoint anchor);

} // namespace varnelo
