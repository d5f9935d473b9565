#include "platform/shell/InfoBox.h"

#include <QApplication>
#include <QMessageBox>

namespace varnelo {

namespace {
InfoBoxHandler& handlerSlot() {
    static InfoBoxHandler handler;
    return handler;
}
} // namespace

void ShowInfoBox(QWidget* parent, const QString& text) {
    if (const auto& handler = handlerSlot()) {
        handler(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

InfoBoxHandler SetInfoBoxHandler(InfoBoxHandler handler) {
    auto previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

} // namespace varnelo
