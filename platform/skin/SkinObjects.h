#pragma once

#include <QString>

namespace varnelo {

class ISkinSlider;
class ISkinElement;
class ISkinLabel;

// A named object of a skin form (a button, a text field, a slider, or the
// whole skinned window). Objects belong to the skin and live as long as it.
class ISkinObject {
public:
    virtual ~ISkinObject() = default;
    virtual QString GetName() const = 0;
    // The descendant of that exact (case-sensitive) name, or nullptr.
    virtual ISkinObject* FindObject(const QString& name) = 0;
    // Interface queries: nullptr when the object does not offer it.
    virtual ISkinSlider* QuerySlider() = 0;
    virtual ISkinElement* QueryElement() = 0;
    virtual ISkinLabel* QueryLabel() = 0;
};

// A slider's position scale is the skin's own; the play bar's is 0..980.
class ISkinSlider {
public:
    virtual ~ISkinSlider() = default;
    virtual int GetPosition() const = 0;
    virtual void SetPosition(int position) = 0;
};

class ISkinElement {
public:
    virtual ~ISkinElement() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Redraw() = 0;
};

class ISkinLabel {
public:
    virtual ~ISkinLabel() = default;
    virtual void SetText(const QString& text) = 0; // empty clears
};

} // namespace varnelo
