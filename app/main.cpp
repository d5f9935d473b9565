// The program's entry: one instance per user, every window created once, the
// main window shown; the program ends when the main window closes.
#include "app/Program.h"
#include "app/Tfm_main.h"
#include "app/VarneloApplication.h"
#include "platform/shell/InfoBox.h"
#include "platform/shell/SingleInstance.h"
#include "settings/DialogStyle.h"
#include "settings/SettingsFile.h"

#include <QTimer>
#include <cstdio>

using namespace varnelo;

namespace {
// VARNELO_STARTUP_PROBE (tests and benchmarks): "print" writes "ready" (or
// "stopped" when an error stopped the show sequence) to standard output once
// the show sequence ends; "exit" also quits then. Information boxes are
// written as "info: <text>" lines instead of being shown.
void InstallStartupProbe(Tfm_main& fm_main) {
    const QByteArray probe = qgetenv("VARNELO_STARTUP_PROBE");
    if (probe.isEmpty())
        return;
    SetInfoBoxHandler([](QWidget*, const QString& text) {
        std::printf("info: %s\n", qPrintable(text));
        std::fflush(stdout);
    });
    const bool exitWhenDone = probe == "exit";
    QObject::connect(&fm_main, &Tfm_main::ShowSequenceEnded, qApp, [exitWhenDone](bool completed) {
        std::printf("%s\n", completed ? "ready" : "stopped");
        std::fflush(stdout);
        if (exitWhenDone)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
}
} // namespace

int main(int argc, char** argv) {
    // A second start while the first runs leaves at once, silently.
    SingleInstanceGuard instance(QLatin1String(VarneloApplication::kTitle));
    if (!instance.TryAcquire())
        return 0;

    VarneloApplication app(argc, argv);
    SetInfoBoxStyleSheet(DialogStyleSheet());
    SettingsFile settings(SettingsFile::DefaultPath());
    Program program(settings, AudioComponentSet::CreateDefault(), Program::DefaultSkinPath());
    Tfm_main& fm_main = *program.fm_main;
    app.SetErrorHandler(
        [&fm_main](const QString& message) { fm_main.ApplicationEvents1Exception(message); });
    QObject::connect(&fm_main, &Tfm_main::MainFormClosed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    InstallStartupProbe(fm_main);

    fm_main.show();
    const int status = app.exec();
    app.SetErrorHandler({});
    return status;
}
