#include "settings/DialogStyle.h"

#include <QFile>
#include <QWidget>

// Resources of a static library must be registered by name, outside any namespace.
static void InitDialogStyleResource() {
    Q_INIT_RESOURCE(dialogs);
}

namespace varnelo {

QString DialogStyleSheet() {
    static const QString sheet = [] {
        InitDialogStyleResource();
        QFile file(QStringLiteral(":/varnelo/DialogStyle.qss"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return sheet;
}

void ApplyDialogStyle(QWidget& dialog) {
    dialog.setStyleSheet(DialogStyleSheet());
}

} // namespace varnelo
