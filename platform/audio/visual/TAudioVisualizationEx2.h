#pragma once

#include "platform/audio/api/IAudioVisualizationEx2.h"

#include <QWidget>

namespace varnelo {

// The level display: spectrum bars of the sound handed to ShowArray.
// GUI thread only.
class TAudioVisualizationEx2 : public QWidget, public IAudioVisualizationEx2 {
    Q_OBJECT
public:
    explicit TAudioVisualizationEx2(QWidget* parent = nullptr);
    ~TAudioVisualizationEx2() override;

    void ShowArray(const SampleArray& array) override;
    void SetLineCount(int bars) override;
    void SetVisible(bool visible) override { setVisible(visible); }
    bool IsVisible() const override { return isVisible(); }

    int LineCount() const { return lineCount_; }

private:
    int lineCount_ = 17;
};

} // namespace varnelo
