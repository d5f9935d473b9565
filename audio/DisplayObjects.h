#pragma once

#include "platform/skin/SkinObjects.h"

#include <QString>

namespace varnelo {

// A skin object bound once at start-up with the interfaces queried from it.
// Everything is null when the skin has no such object.
struct BoundObject {
    ISkinObject* object = nullptr;
    ISkinLabel* label = nullptr;
    ISkinElement* element = nullptr;
    ISkinSlider* slider = nullptr;
};

// The main window's display objects. Every update is SetText (or SetPosition)
// followed by Redraw on the same object.
struct DisplayObjects {
    BoundObject s_time, play_bar, s_left, s_right, showp, s_size, s_sizeson, s_filename, s_mono;

    static void SetText(const BoundObject& target, const QString& text) {
        if (target.label)
            target.label->SetText(text);
        if (target.element)
            target.element->Redraw();
    }
    static void SetPosition(const BoundObject& target, int position) {
        if (target.slider)
            target.slider->SetPosition(position);
        if (target.element)
            target.element->Redraw();
    }
    static void SetEnabled(const BoundObject& target, bool enabled) {
        if (target.element)
            target.element->SetEnabled(enabled);
    }
    void ClearTexts() {
        SetText(s_filename, QString());
        SetText(s_mono, QString());
        SetText(s_sizeson, QString());
        SetText(s_time, QString());
    }
};

} // namespace varnelo
