#include "settings/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace varnelo {

UpDown::UpDown(QLineEdit& buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum), position_(minimum) {
    setObjectName(QStringLiteral("UpDown"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    up_->setAutoRepeat(true);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    down_->setAutoRepeat(true);
    for (QToolButton* b : {up_, down_}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { SetPosition(position_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { SetPosition(position_ - 1); });
    connect(&buddy_, &QLineEdit::textEdited, this, &UpDown::TakeTypedText);
    buddy_.setText(QString::number(position_));
}

void UpDown::SetPosition(int position) {
    position = std::clamp(position, minimum_, maximum_);
    buddy_.setText(QString::number(position));
    if (position == position_)
        return;
    position_ = position;
    emit PositionChanged(position_);
}

void UpDown::TakeTypedText(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < minimum_ || value > maximum_)
        return;
    if (value != position_) {
        position_ = value;
        emit PositionChanged(position_);
    }
}

} // namespace varnelo
