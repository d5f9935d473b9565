#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace varnelo {

// An information message box with one OK button; returns when it is closed.
// Tests install a handler that records the text instead of showing a box.
void ShowInfoBox(QWidget* parent, const QString& text);

using InfoBoxHandler = std::function<void(QWidget* parent, const QString& text)>;
// Returns the previous handler; an empty handler restores the real box.
InfoBoxHandler SetInfoBoxHandler(InfoBoxHandler handler);

// The style sheet of the real box, so it looks like the program's dialogs.
void SetInfoBoxStyleSheet(const QString& sheet);

} // namespace varnelo
