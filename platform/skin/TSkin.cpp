#include "platform/skin/TSkin.h"

#include "platform/core/AppError.h"
#include "platform/skin/SkinDocument.h"
#include "platform/skin/SkinSurface.h"

#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace varnelo {

struct TSkin::Impl {
    std::unique_ptr<SkinDocument> document;
    QString path;
    std::vector<QPointer<SkinSurface>> surfaces;
    std::vector<std::pair<QPointer<QWidget>, WindowDragHandler>> dragHandlers;

    SkinSurface* surfaceOf(QWidget* window) const {
        for (const auto& s : surfaces)
            if (s && s->parentWidget() == window)
                return s;
        return nullptr;
    }
};

TSkin::TSkin(QObject* parent) : QObject(parent), impl_(std::make_unique<Impl>()) {}

TSkin::~TSkin() {
    // Surfaces may outlive the skin (they belong to their windows); they must
    // not keep pointing at its forms.
    for (const auto& s : impl_->surfaces)
        if (s)
            s->setForm(nullptr);
}

void TSkin::LoadSkin(const QString& path) {
    auto document = SkinDocument::Load(path);
    // A reload moves every skinned window to the new document's form of the
    // same name (or to none); objects of the old document end here.
    for (const auto& s : impl_->surfaces)
        if (s && s->form())
            s->setForm(document->form(s->form()->name()));
    impl_->document = std::move(document);
    impl_->path = path;
}

void TSkin::ApplySkin(QWidget* window) {
    if (!window)
        throw AppError("The skin cannot be applied: no window was given");
    // The skin draws the whole window, its title bar ("bar"), minimise
    // ("min") and close ("close") buttons included, so the system frame goes.
    const Qt::WindowFlags wanted = Qt::Window | Qt::FramelessWindowHint;
    if ((window->windowFlags() & wanted) == wanted)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlags(window->windowFlags() | wanted);
    if (visible)
        window->show(); // changing the flags hides a shown window
}

void TSkin::ApplySkinForm(QWidget* window, const QString& formName) {
    if (!window)
        throw AppError(
            QStringLiteral("The skin form \"%1\" cannot be applied: no window").arg(formName));
    if (!impl_->document)
        throw AppError(QStringLiteral("The skin form \"%1\" cannot be applied: no skin is loaded")
                           .arg(formName));
    SkinForm* form = impl_->document->form(formName);
    if (!form)
        throw AppError(
            QStringLiteral("The skin file %1 has no form \"%2\"").arg(impl_->path, formName));
    SkinSurface* surface = impl_->surfaceOf(window);
    if (!surface) {
        surface = new SkinSurface(*this, window);
        impl_->surfaces.emplace_back(surface);
        std::erase_if(impl_->surfaces, [](const QPointer<SkinSurface>& s) { return !s; });
    }
    surface->setForm(form);
    surface->move(0, 0);
    surface->lower(); // the window's own widgets (level display, list view) stay on top
    surface->show();
    window->setFixedSize(form->size());
    // Moves without a button are handed on to the window too; Qt delivers
    // those only to widgets that track the mouse.
    window->setMouseTracking(true);
}

ISkinObject* TSkin::GetSkinObject(QWidget* window) {
    SkinSurface* surface = impl_->surfaceOf(window);
    if (!surface || !surface->form())
        throw AppError("The window has no skin form applied");
    return &surface->form()->window();
}

void TSkin::SetWindowDragHandler(QWidget* window, WindowDragHandler handler) {
    auto& handlers = impl_->dragHandlers;
    std::erase_if(handlers, [window](const auto& h) { return !h.first || h.first == window; });
    if (window && handler)
        handlers.emplace_back(window, std::move(handler));
}

void TSkin::DragWindow(QWidget* window, QPoint delta, bool first) {
    for (const auto& [target, handler] : impl_->dragHandlers)
        if (target == window) {
            handler(delta, first);
            return;
        }
    // Skinned windows have no frame: their client area is the window.
    window->move(window->pos() + delta);
}

} // namespace varnelo
