#include "platform/audio/visual/TAudioVisualizationEx2.h"

namespace varnelo {

TAudioVisualizationEx2::TAudioVisualizationEx2(QWidget* parent) : QWidget(parent) {
    resize(115, 81);
}

TAudioVisualizationEx2::~TAudioVisualizationEx2() = default;

void TAudioVisualizationEx2::ShowArray(const SampleArray&) {}

void TAudioVisualizationEx2::SetLineCount(int bars) { lineCount_ = bars > 0 ? bars : 1; }

} // namespace varnelo
