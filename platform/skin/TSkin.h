#pragma once

#include "platform/skin/SkinObjects.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace varnelo {

class SkinDocument;

// The skin control. One instance serves every skinned window. Failures
// (missing or broken skin file, unknown form) throw AppError with a message
// naming the file or form. GUI thread only.
//
// Mouse contract: a press anywhere on a skinned window first emits MouseDown
// (when over an object), then reaches the window's own mousePressEvent with
// the position in the window's client coordinates; moves and releases reach
// the window's own mouseMoveEvent/mouseReleaseEvent as well. MouseUp is
// emitted for the object under the release, then the window gets its release;
// Click is emitted (after MouseUp) when the release is over the object that
// was pressed.
class TSkin : public QObject {
    Q_OBJECT
public:
    explicit TSkin(QObject* parent = nullptr);
    ~TSkin() override;

    void LoadSkin(const QString& path);
    void ApplySkin(QWidget* window);
    void ApplySkinForm(QWidget* window, const QString& formName);
    // The object standing for the whole skinned window (named after the form).
    ISkinObject* GetSkinObject(QWidget* window);

    // Dragging a window by its title bar (an object with skin:action="move",
    // the "bar" area by default). While the left button is held after a press
    // there, every move reports `delta`: the pointer's position in the
    // window's client coordinates less the press position, as a window's own
    // background drag measures it; `first` marks the first move of a drag.
    // A window with a handler is moved by the handler (so a window that
    // docks can apply its own rule); any other one the skin moves by delta.
    using WindowDragHandler = std::function<void(QPoint delta, bool first)>;
    void SetWindowDragHandler(QWidget* window, WindowDragHandler handler);

signals:
    void Click(varnelo::ISkinObject* source);
    void MouseDown(varnelo::ISkinObject* source, int button, int x, int y);
    void MouseUp(varnelo::ISkinObject* source, int button, int x, int y);

private:
    friend class SkinSurface;
    // Called by the window's surface for each move of a title bar drag.
    void DragWindow(QWidget* window, QPoint delta, bool first);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace varnelo
