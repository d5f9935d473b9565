#include "app/VarneloApplication.h"

#include "platform/core/AppError.h"

#include <cstdio>
#include <exception>

namespace varnelo {

VarneloApplication::VarneloApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("varnelo"));
    setApplicationDisplayName(QLatin1String(kTitle));
    setApplicationVersion(QStringLiteral("1.02"));
    // The main window ends the program when it closes; the join list window
    // is a top-level window too and must not.
    setQuitOnLastWindowClosed(false);
}

bool VarneloApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& error) {
        Report(error.message());
    } catch (const std::exception& error) {
        Report(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void VarneloApplication::Report(const QString& message) {
    if (!handler_) {
        std::fprintf(stderr, "varnelo: %s\n", qPrintable(message));
        return;
    }
    try {
        handler_(message);
    } catch (const std::exception& error) {
        // The handler's own failure has nowhere left to go.
        std::fprintf(stderr, "varnelo: %s\n", error.what());
    }
}

} // namespace varnelo
