#pragma once

#include "platform/skin/SkinObjects.h"

#include <QObject>
#include <QString>
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

signals:
    void Click(varnelo::ISkinObject* source);
    void MouseDown(varnelo::ISkinObject* source, int button, int x, int y);
    void MouseUp(varnelo::ISkinObject* source, int button, int x, int y);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace varnelo
