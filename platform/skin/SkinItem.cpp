#include "platform/skin/SkinItem.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace varnelo {

SkinLook::SkinLook(const QByteArray& svg, const QRectF& viewBox, const QRect& target)
    : renderer_(svg), target_(target) {
    renderer_.setViewBox(viewBox);
}

void SkinLook::paint(QPainter& painter, QPointF offset, qreal opacity) {
    if (!renderer_.isValid() || target_.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (cache_.isNull() || cacheRatio_ != ratio) {
        cache_ = QPixmap(target_.size() * ratio);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(Qt::transparent);
        QPainter p(&cache_);
        p.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&p, QRectF(QPointF(0, 0), QSizeF(target_.size())));
        cacheRatio_ = ratio;
    }
    const qreal old = painter.opacity();
    painter.setOpacity(old * opacity);
    painter.drawPixmap(QPointF(target_.topLeft()) + offset, cache_);
    painter.setOpacity(old);
}

SkinItem::SkinItem(SkinForm& form, QString name, SkinKind kind, QRect bounds)
    : form_(form), name_(std::move(name)), kind_(kind), bounds_(bounds) {}

ISkinObject* SkinItem::FindObject(const QString& name) {
    // Only the window object has descendants; names match exactly.
    return kind_ == SkinKind::Window ? form_.find(name) : nullptr;
}

ISkinSlider* SkinItem::QuerySlider() {
    return kind_ == SkinKind::Slider ? this : nullptr;
}

ISkinLabel* SkinItem::QueryLabel() {
    return kind_ == SkinKind::Label ? this : nullptr;
}

void SkinItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    changed();
}

void SkinItem::Redraw() {
    changed();
}

void SkinItem::SetText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
    changed();
}

void SkinItem::SetPosition(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position_ == position)
        return;
    position_ = position;
    changed();
}

void SkinItem::changed() {
    form_.update(kind_ == SkinKind::Window ? QRect(QPoint(0, 0), form_.size()) : bounds_);
}

void SkinItem::setLook(SkinState state, std::unique_ptr<SkinLook> look) {
    looks_[static_cast<size_t>(state)] = std::move(look);
}

void SkinItem::setSliderParts(std::unique_ptr<SkinLook> track, std::unique_ptr<SkinLook> fill,
                              std::unique_ptr<SkinLook> thumb,
                              std::unique_ptr<SkinLook> thumbHover) {
    track_ = std::move(track);
    fill_ = std::move(fill);
    thumb_ = std::move(thumb);
    thumbHover_ = std::move(thumbHover);
}

void SkinItem::setSliderRange(int minimum, int maximum, qreal travelFrom, qreal travelTo) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = minimum_;
    travelFrom_ = travelFrom;
    travelTo_ = travelTo;
}

qreal SkinItem::thumbCentre() const {
    if (maximum_ == minimum_)
        return travelFrom_;
    return travelFrom_ +
           (travelTo_ - travelFrom_) * (position_ - minimum_) / qreal(maximum_ - minimum_);
}

QRectF SkinItem::thumbRect() const {
    if (!thumb_)
        return {};
    QRectF r(thumb_->target());
    r.moveLeft(thumbCentre() - r.width() / 2);
    return r;
}

int SkinItem::positionAt(qreal x) const {
    if (travelTo_ <= travelFrom_)
        return minimum_;
    const qreal f = std::clamp((x - travelFrom_) / (travelTo_ - travelFrom_), 0.0, 1.0);
    return minimum_ + static_cast<int>(std::lround(f * (maximum_ - minimum_)));
}

void SkinItem::paint(QPainter& painter, SkinState state) {
    switch (kind_) {
    case SkinKind::Label:
        paintLabel(painter);
        return;
    case SkinKind::Slider:
        paintSlider(painter, state);
        return;
    case SkinKind::Button: {
        if (!enabled_) {
            if (auto& d = looks_[size_t(SkinState::Disabled)])
                d->paint(painter);
            else if (auto& n = looks_[size_t(SkinState::Normal)])
                n->paint(painter, {}, 0.4);
            return;
        }
        // Missing looks fall back: pressed -> hover -> normal.
        for (int s = int(state); s >= 0; --s)
            if (auto& look = looks_[size_t(s)]; look && s != int(SkinState::Disabled)) {
                look->paint(painter);
                return;
            }
        return;
    }
    default:
        return;
    }
}

void SkinItem::paintLabel(QPainter& painter) {
    if (text_.isEmpty())
        return;
    painter.save();
    painter.setFont(label_.font);
    painter.setPen(enabled_ ? label_.color : label_.disabledColor);
    const QFontMetrics fm(label_.font);
    const QString shown = fm.elidedText(text_, label_.elide, bounds_.width());
    painter.drawText(bounds_, int(label_.align) | Qt::TextSingleLine, shown);
    painter.restore();
}

void SkinItem::paintSlider(QPainter& painter, SkinState state) {
    // An inactive slider keeps its place and position, dimmed.
    const qreal opacity = enabled_ ? 1.0 : 0.45;
    if (track_)
        track_->paint(painter, {}, opacity);
    const qreal centre = thumbCentre();
    if (fill_ && centre > fill_->target().left()) {
        painter.save();
        painter.setClipRect(QRectF(fill_->target().left(), fill_->target().top(),
                                   centre - fill_->target().left(), fill_->target().height()));
        fill_->paint(painter, {}, opacity);
        painter.restore();
    }
    SkinLook* thumb = thumb_.get();
    if (enabled_ && state != SkinState::Normal && thumbHover_)
        thumb = thumbHover_.get();
    if (thumb) {
        const qreal dx = centre - (thumb->target().left() + thumb->target().width() / 2.0);
        thumb->paint(painter, QPointF(dx, 0), opacity);
    }
}

SkinForm::SkinForm(const QString& name, const QRect& documentRect)
    : documentRect_(documentRect),
      window_(*this, name, SkinKind::Window, QRect(QPoint(0, 0), documentRect.size())) {}

SkinItem& SkinForm::addItem(std::unique_ptr<SkinItem> item) {
    items_.push_back(std::move(item));
    return *items_.back();
}

SkinItem* SkinForm::find(const QString& name) const {
    for (const auto& item : items_)
        if (item->GetName() == name)
            return item.get();
    return nullptr;
}

SkinItem* SkinForm::itemAt(QPoint pos) const {
    // The topmost object wins: the last one in document order.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if ((*it)->bounds().contains(pos))
            return it->get();
    return nullptr;
}

void SkinForm::attach(QWidget* surface) {
    detach(surface);
    surfaces_.emplace_back(surface);
}

void SkinForm::detach(QWidget* surface) {
    std::erase_if(surfaces_, [surface](const QPointer<QWidget>& s) { return !s || s == surface; });
}

void SkinForm::update(const QRect& area) {
    for (const auto& s : surfaces_)
        if (s)
            s->update(area);
}

void SkinForm::paintFace(QPainter& painter) {
    if (face_)
        face_->paint(painter);
}

} // namespace varnelo
