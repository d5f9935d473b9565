#include "joiner/JoinListView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace varnelo {

JoinListView::JoinListView(QWidget* parent) : QTreeWidget(parent) {}

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
    painter->setPen(QColor(128, 128, 128));
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
