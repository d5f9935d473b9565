#include "joiner/JoinListView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace varnelo {

namespace {

// Silver rows with dark text in the skin's dark well: the display's cyan for
// the selection, a graphite header and scroll bars that match the dialogs.
const char* const kLook = R"(
QTreeView {
    background: #c0c0c0;
    color: #15171a;
    border: none;
    outline: 0;
    selection-background-color: #1aa9d6;
    selection-color: #0b0c0e;
    font-size: 8pt;
}
QTreeView::item { padding: 1px 2px; }
QTreeView::item:hover { background: #cfd3d7; }
QTreeView::item:selected { background: #1aa9d6; color: #0b0c0e; }
QTreeView::item:selected:!active { background: #8fcbe0; color: #0b0c0e; }
QHeaderView { background: #1c1e22; }
QHeaderView::section {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #33373e, stop:1 #23262b);
    color: #aeb6c0;
    border: none;
    border-right: 1px solid #0b0c0e;
    border-bottom: 1px solid #3a3f46;
    padding: 2px 6px;
    font-size: 8pt;
}
QScrollBar:vertical { background: #a9acb0; width: 10px; margin: 0; }
QScrollBar::handle:vertical { background: #5d636b; border-radius: 4px; min-height: 20px; }
QScrollBar:horizontal { background: #a9acb0; height: 10px; margin: 0; }
QScrollBar::handle:horizontal { background: #5d636b; border-radius: 4px; min-width: 20px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QAbstractScrollArea::corner { background: #a9acb0; }
)";

// Grid lines: a shade darker than the silver rows.
const QColor kGridColor(0xa4, 0xa8, 0xad);

} // namespace

JoinListView::JoinListView(QWidget* parent) : QTreeWidget(parent) {
    QPalette silver = palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    silver.setColor(QPalette::AlternateBase, QColor(192, 192, 192));
    setPalette(silver);
    setStyleSheet(QString::fromLatin1(kLook));
}

void JoinListView::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QTreeWidget::mousePressEvent(event);
}

void JoinListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    // A click is a press and a release of the left button on the view.
    if (event->button() == Qt::LeftButton && pressed_ &&
        rect().contains(event->position().toPoint())) {
        pressed_ = false;
        emit Clicked();
    }
    pressed_ = false;
}

// Grid lines: every cell gets a line at its right and bottom edges.
void JoinListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    painter->save();
    painter->setPen(kGridColor);
    const QRect row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    for (int column = 0; column < header()->count(); ++column) {
        if (header()->isSectionHidden(column))
            continue;
        const int right =
            header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1;
        painter->drawLine(right, row.top(), right, row.bottom());
    }
    painter->restore();
}

} // namespace varnelo
