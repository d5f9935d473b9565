#pragma once

#include <QPointer>
#include <QWidget>

namespace varnelo {

class TSkin;
class SkinForm;
class SkinItem;

// The child widget that draws a form over a window's whole client area,
// tracks the pointer over its objects, raises the skin's events and hands
// every mouse event on to the window itself (in the window's coordinates),
// so the window can drag itself. GUI thread only.
class SkinSurface : public QWidget {
    Q_OBJECT
public:
    SkinSurface(TSkin& skin, QWidget* window);
    ~SkinSurface() override;

    void setForm(SkinForm* form);
    SkinForm* form() const { return form_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    SkinItem* itemAt(QPointF pos) const;
    void setHover(SkinItem* item);
    void forward(QMouseEvent* event);
    void dragSlider(qreal x);
    void dragWindow(QMouseEvent* event);
    void runAction(SkinItem& item);

    QPointer<TSkin> skin_;
    SkinForm* form_ = nullptr;
    SkinItem* hover_ = nullptr;
    SkinItem* pressed_ = nullptr;
    Qt::MouseButton pressedButton_ = Qt::NoButton;
    bool dragging_ = false;
    qreal grabOffset_ = 0; // pointer x minus thumb centre while dragging
    // A drag of the window by its title bar: the press position in the
    // window's client coordinates; whether a move has been reported yet.
    bool movingWindow_ = false;
    bool movedWindow_ = false;
    QPoint moveAnchor_;
};

} // namespace varnelo
