#include "platform/shell/DesktopShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QTimer>

namespace varnelo {

namespace {
DesktopOpener& openerSlot() {
    static DesktopOpener opener;
    return opener;
}

void Open(const QUrl& url) {
    if (const auto& opener = openerSlot()) {
        opener(url);
        return;
    }
    // QDesktopServices starts the desktop's handler (xdg-open and the like)
    // as a detached process. It is queued so that a slow start never holds
    // up the handler that asked for it; the result is not examined.
    QTimer::singleShot(0, qApp, [url] { QDesktopServices::openUrl(url); });
}
} // namespace

void OpenFolder(const QString& directory) {
    Open(QUrl::fromLocalFile(QDir(directory).absolutePath()));
}

void OpenWebAddress(const QString& url) {
    Open(QUrl::fromUserInput(url));
}

void OpenMailTo(const QString& address) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    Open(url);
}

QString HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("help/varnguide.html"));
}

void OpenHelpFile() {
    Open(QUrl::fromLocalFile(HelpFilePath()));
}

DesktopOpener SetDesktopOpener(DesktopOpener opener) {
    auto previous = std::move(openerSlot());
    openerSlot() = std::move(opener);
    return previous;
}

} // namespace varnelo
