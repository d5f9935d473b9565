#pragma once

#include "platform/audio/api/SampleArray.h"

namespace varnelo {

// The level (spectrum) display. GUI thread only. The real one is a widget
// (platform/audio/visual); program code sees only this interface.
class IAudioVisualizationEx2 {
public:
    virtual ~IAudioVisualizationEx2() = default;

    virtual void ShowArray(const SampleArray& array) = 0;
    virtual void SetLineCount(int bars) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
};

} // namespace varnelo
