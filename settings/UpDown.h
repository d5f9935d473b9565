#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace varnelo {

// An up-down control attached to an edit box: two arrow buttons that step a
// position within a range (no wrap) and show it in the edit box. A number
// within the range typed into the box becomes the position; other text
// leaves the position as it was. GUI thread only.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit& buddy, int minimum, int maximum, QWidget* parent = nullptr);

    int Position() const { return position_; }
    // Clamped to the range; the edit box shows the new position.
    void SetPosition(int position);

signals:
    void PositionChanged(int position);

private:
    void TakeTypedText(const QString& text);

    QLineEdit& buddy_;
    int minimum_;
    int maximum_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace varnelo
