#pragma once

#include <QString>

class QWidget;

namespace varnelo {

// Gives a dialog the look of the skinned windows: dark surfaces, light text,
// the skin's cyan accent. One style sheet (DialogStyle.qss) for every dialog.
void ApplyDialogStyle(QWidget& dialog);
QString DialogStyleSheet();

} // namespace varnelo
