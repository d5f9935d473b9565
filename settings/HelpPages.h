#pragma once

#include <QStringList>

#include <array>

class QPlainTextEdit;
class QWidget;

namespace varnelo {

// The four help pages on choosing a recording source, shown both in the
// settings dialog's Recording Source pane and in the recording source window.
const std::array<QStringList, 4>& RecordingSourceHelpTexts();

// A read-only page holding one of the texts above, one line per item.
QPlainTextEdit* MakeHelpPage(QWidget* parent, int page);

// Exactly one page is visible. The pages are looked at in order and only the
// first visible one counts; step +1 shows the next page (4 wraps to 1), -1 the
// one before (1 wraps to 4).
void TurnHelpPage(const std::array<QPlainTextEdit*, 4>& pages, int step);

} // namespace varnelo
