#include "platform/shell/InfoBox.h"

#include <QApplication>
#include <QMessageBox>

namespace varnelo {

namespace {
InfoBoxHandler& handlerSlot() {
    static InfoBoxHandler handler;
    return handler;
}

QString& styleSheetSlot() {
    static QString sheet;
    return sheet;
}
} // namespace

void ShowInfoBox(QWidget* parent, const QString& text) {
    if (const auto& handler = handlerSlot()) {
        handler(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    // A plain button: the standard one carries the desktop theme's icon,
    // which does not fit the program's own look.
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.setStyleSheet(styleSheetSlot());
    box.exec();
}

InfoBoxHandler SetInfoBoxHandler(InfoBoxHandler handler) {
    auto previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

void SetInfoBoxStyleSheet(const QString& sheet) {
    styleSheetSlot() = sheet;
}

} // namespace varnelo
