#include "platform/skin/SkinSurface.h"

#include "platform/skin/SkinItem.h"
#include "platform/skin/TSkin.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace varnelo {

SkinSurface::SkinSurface(TSkin& skin, QWidget* window) : QWidget(window), skin_(&skin) {
    setObjectName(QStringLiteral("varnelo_skin_surface"));
    setMouseTracking(true); // hover looks, and moves without a button reach the window
    setAttribute(Qt::WA_OpaquePaintEvent);
}

SkinSurface::~SkinSurface() {
    if (form_)
        form_->detach(this);
}

void SkinSurface::setForm(SkinForm* form) {
    if (form_ == form)
        return;
    if (form_)
        form_->detach(this);
    form_ = form;
    hover_ = pressed_ = nullptr;
    dragging_ = false;
    movingWindow_ = false;
    if (form_) {
        form_->attach(this);
        setFixedSize(form_->size());
    }
    update();
}

void SkinSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!form_) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    form_->paintFace(p);
    for (const auto& item : form_->items()) {
        SkinState state = SkinState::Normal;
        if (item.get() == pressed_ && (hover_ == pressed_ || dragging_))
            state = SkinState::Pressed;
        else if (item.get() == hover_ && !pressed_)
            state = SkinState::Hover;
        item->paint(p, state);
    }
}

SkinItem* SkinSurface::itemAt(QPointF pos) const {
    return form_ ? form_->itemAt(pos.toPoint()) : nullptr;
}

void SkinSurface::setHover(SkinItem* item) {
    if (hover_ == item)
        return;
    if (hover_)
        update(hover_->bounds());
    hover_ = item;
    if (hover_)
        update(hover_->bounds());
}

void SkinSurface::forward(QMouseEvent* event) {
    QWidget* target = parentWidget();
    if (!target)
        return;
    const QPointF local = mapTo(target, event->position());
    QMouseEvent mapped(event->type(), local, local, event->globalPosition(), event->button(),
                       event->buttons(), event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(target, &mapped);
}

void SkinSurface::dragSlider(qreal x) {
    if (pressed_ && dragging_)
        pressed_->SetPosition(pressed_->positionAt(x - grabOffset_));
}

void SkinSurface::dragWindow(QMouseEvent* event) {
    QWidget* target = parentWidget();
    if (!movingWindow_ || !target || !skin_ || !event->buttons().testFlag(Qt::LeftButton))
        return;
    // Measured against where the window is now, not where it was when the
    // event was made: the window moves under the pointer.
    const QPoint delta = target->mapFromGlobal(event->globalPosition()).toPoint() - moveAnchor_;
    if (delta.isNull())
        return;
    const bool first = !movedWindow_;
    movedWindow_ = true;
    skin_->DragWindow(target, delta, first);
}

void SkinSurface::mousePressEvent(QMouseEvent* event) {
    const QPointer<SkinSurface> alive(this);
    SkinItem* item = itemAt(event->position());
    pressed_ = item;
    pressedButton_ = event->button();
    dragging_ = false;
    movingWindow_ = item && item->action() == SkinAction::Move &&
                    event->button() == Qt::LeftButton && parentWidget();
    movedWindow_ = false;
    if (movingWindow_)
        moveAnchor_ = mapTo(parentWidget(), event->position()).toPoint();
    setHover(item);
    if (item && item->enabled() && item->kind() == SkinKind::Slider &&
        event->button() == Qt::LeftButton) {
        // Grabbing the thumb keeps its offset; a press on the track brings
        // the thumb's centre under the pointer.
        const QRectF thumb = item->thumbRect();
        const qreal x = event->position().x();
        grabOffset_ = thumb.contains(event->position()) ? x - item->thumbCentre() : 0;
        dragging_ = true;
        dragSlider(x);
    }
    if (item)
        update(item->bounds());
    const QPoint p = event->position().toPoint();
    if (item && skin_)
        emit skin_->MouseDown(item, int(event->button()), p.x(), p.y());
    if (alive)
        forward(event);
    event->accept();
}

void SkinSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPointer<SkinSurface> alive(this);
    if (dragging_)
        dragSlider(event->position().x());
    setHover(itemAt(event->position()));
    dragWindow(event);
    if (!alive)
        return;
    forward(event);
    event->accept();
}

void SkinSurface::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<SkinSurface> alive(this);
    if (dragging_)
        dragSlider(event->position().x());
    SkinItem* item = itemAt(event->position());
    SkinItem* pressed = pressed_;
    pressed_ = nullptr;
    dragging_ = false;
    movingWindow_ = false;
    if (pressed)
        update(pressed->bounds());
    setHover(item);
    const QPoint p = event->position().toPoint();
    if (item && skin_)
        emit skin_->MouseUp(item, int(event->button()), p.x(), p.y());
    if (!alive)
        return;
    forward(event);
    if (!alive)
        return;
    // A click is a left press and release on the same enabled object.
    if (item && item == pressed && item->enabled() && event->button() == Qt::LeftButton &&
        pressedButton_ == Qt::LeftButton) {
        if (skin_)
            emit skin_->Click(item);
        if (alive)
            runAction(*item);
    }
    event->accept();
}

void SkinSurface::runAction(SkinItem& item) {
    QWidget* target = window();
    switch (item.action()) {
    case SkinAction::Minimize:
        target->showMinimized();
        break;
    case SkinAction::Close:
        target->close();
        break;
    case SkinAction::Move: // the window moved with the pointer already
    case SkinAction::None:
        break;
    }
}

void SkinSurface::leaveEvent(QEvent* event) {
    setHover(nullptr);
    QWidget::leaveEvent(event);
}

bool SkinSurface::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        SkinItem* item = itemAt(help->pos());
        if (item && !item->toolTip().isEmpty())
            QToolTip::showText(help->globalPos(), item->toolTip(), this, item->bounds());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace varnelo
