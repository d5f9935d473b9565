// Adds 100 files of mixed formats (MP3, WAV, WMA, OGG; a few seconds to a few
// minutes each) to the join list through its own reading path (open, measure,
// close on the real file component), and reads the same 100 durations with
// ffprobe, one process after another. Prints both times and their ratio.
//
// usage: bench_addfiles [--files N] [--keep DIR]
// Needs ffmpeg and ffprobe on PATH.

#include "audio/EngineState.h"
#include "joiner/Tfm_list.h"
#include "platform/audio/file/TAudioFile2.h"
#include "platform/shell/InfoBox.h"
#include "platform/skin/TSkin.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace varnelo;

namespace {

struct Format {
    const char* extension;
    QStringList codecArgs;
};

const Format kFormats[] = {
    {"mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}},
    {"wav", {"-c:a", "pcm_s16le"}},
    {"wma", {"-c:a", "wmav2", "-b:a", "128k"}},
    {"ogg", {"-c:a", "libvorbis", "-q:a", "3"}},
};

// 3 s to 4 min, spread over the files so every format gets short and long ones.
int SecondsFor(int i, int count) {
    const int lo = 3, hi = 240;
    return lo + static_cast<int>(static_cast<long long>(hi - lo) * ((i * 37) % count) / count);
}

bool Run(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int count = 100;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--files" && i + 1 < args.size())
            count = args[++i].toInt();
        else if (args[i] == "--keep" && i + 1 < args.size())
            keep = args[++i];
    }

    QTemporaryDir temp;
    const QString dir = keep.isEmpty() ? temp.path() : keep;
    QDir().mkpath(dir);

    // --- the files ---
    QStringList paths;
    long long totalSeconds = 0;
    QElapsedTimer makeTimer;
    makeTimer.start();
    for (int i = 0; i < count; ++i) {
        const Format& format = kFormats[i % 4];
        const int seconds = SecondsFor(i, count);
        const QString path = QDir(dir).filePath(
            QStringLiteral("f%1.%2").arg(i, 3, 10, QLatin1Char('0')).arg(format.extension));
        if (!QFile::exists(path)) {
            QStringList ff{"-v",
                           "error",
                           "-y",
                           "-f",
                           "lavfi",
                           "-i",
                           QStringLiteral("sine=frequency=%1:sample_rate=44100:duration=%2")
                               .arg(220 + 10 * i)
                               .arg(seconds),
                           "-ac",
                           "2"};
            ff << format.codecArgs << path;
            if (!Run("ffmpeg", ff))
                return 2;
        }
        paths << path;
        totalSeconds += seconds;
    }
    std::printf("files: %d (mp3, wav, wma, ogg), %lld s of audio, made in %.1f s\n", count,
                totalSeconds, makeTimer.elapsed() / 1000.0);

    // --- the join list ---
    EngineState state;
    TAudioFile2 reader;
    TSkin skin;
    QWidget main;
    Tfm_list list(state, reader, skin, &main);
    int errors = 0;
    SetInfoBoxHandler([&](QWidget*, const QString& text) {
        ++errors;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    list.SetFileChooser([&]() -> std::optional<QStringList> { return paths; });
    QElapsedTimer listTimer;
    listTimer.start();
    list.AddFiles();
    const double listMs = listTimer.nsecsElapsed() / 1e6;
    if (errors || list.Count() != count) {
        std::fprintf(stderr, "join list took %d of %d files\n", list.Count(), count);
        return 1;
    }

    // --- ffprobe, one process per file ---
    QElapsedTimer probeTimer;
    probeTimer.start();
    for (const QString& path : paths) {
        QByteArray out;
        if (!Run("ffprobe",
                 {"-v", "error", "-show_entries", "format=duration", "-of",
                  "default=noprint_wrappers=1:nokey=1", path},
                 &out))
            return 2;
    }
    const double probeMs = probeTimer.nsecsElapsed() / 1e6;

    std::printf("join list AddFiles: %8.1f ms  (%.2f ms per file)\n", listMs, listMs / count);
    std::printf("ffprobe x %d:       %8.1f ms  (%.2f ms per file)\n", count, probeMs,
                probeMs / count);
    const double ratio = probeMs / listMs;
    std::printf("ratio ffprobe / join list: %.1fx (goal >= 10x): %s\n", ratio,
                ratio >= 10.0 ? "met" : "NOT met");
    return ratio >= 10.0 ? 0 : 1;
}
