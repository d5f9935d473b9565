#pragma once

#include <QTreeWidget>

namespace varnelo {

// The join list's view. A QTreeWidget only reports clicks on items; the list
// also reacts to clicks on its empty space, so every completed left click is
// reported, after the view has updated its selection. GUI thread only.
class JoinListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit JoinListView(QWidget* parent = nullptr);

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    bool pressed_ = false;
};

} // namespace varnelo
