// Decode + encode throughput of the file component against ffmpeg and oggenc.
#include "platform/audio/file/TAudioFile2.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <sys/time.h>

using namespace varnelo;

namespace {

struct Input {
    const char* name;
    QStringList codec;
    int rate;
    int channels;
    int seconds;
};

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitCode() == 0;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

// Wall and CPU time of child processes started by `body`.
template <typename F> Timing timeChildren(F body) {
    const double cpu0 = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer t;
    t.start();
    body();
    return {double(t.nsecsElapsed()) / 1e9, cpuSeconds(RUSAGE_CHILDREN) - cpu0};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const Input inputs[] = {
        {"a.mp3", {"-c:a", "libmp3lame", "-b:a", "192k"}, 44100, 2, 90},
        {"b.wav", {"-c:a", "pcm_s16le"}, 48000, 2, 90},
        {"c.wma", {"-c:a", "wmav2", "-b:a", "128k"}, 22050, 1, 90},
        {"d.ogg", {"-c:a", "libvorbis", "-q:a", "4"}, 32000, 1, 90},
    };
    QStringList paths;
    out << "generating " << std::size(inputs) << " inputs (6 minutes)...\n";
    out.flush();
    for (const Input& in : inputs) {
        const QString path = dir.filePath(in.name);
        QStringList args{
            "-v",
            "error",
            "-y",
            "-f",
            "lavfi",
            "-i",
            QStringLiteral("sine=frequency=440:beep_factor=3:sample_rate=%1:duration=%2")
                .arg(in.rate)
                .arg(in.seconds),
            "-ac",
            QString::number(in.channels)};
        if (!run("ffmpeg", args + in.codec + QStringList{path})) {
            out << "ffmpeg could not make " << path << "\n";
            return 1;
        }
        paths << path;
    }

    // Ours: decode each input and encode it into one OGG.
    const QString ours = dir.filePath("ours.ogg");
    const double cpu0 = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer t;
    t.start();
    {
        TAudioFile2 reader, writer;
        writer.SetOggParams(44100, 2, 128, 128, 128, 300);
        writer.CreateNewFile(ours);
        for (const QString& path : paths) {
            reader.OpenFile(path);
            writer.SetInputFormat(reader.SampleRate(), reader.Channels());
            while (true) {
                const SampleArray block = reader.ReadArray(4100);
                if (block.UpperBound() < 0)
                    break;
                writer.WriteArray(block);
            }
            reader.CloseFile();
        }
        writer.CloseFile();
    }
    const Timing mine{double(t.nsecsElapsed()) / 1e9, cpuSeconds(RUSAGE_SELF) - cpu0};

    // ffmpeg concatenating the same inputs into one OGG.
    QStringList concat{"-v", "error", "-y"};
    QString filter;
    for (int i = 0; i < paths.size(); ++i) {
        concat << "-i" << paths[i];
        filter +=
            QStringLiteral("[%1:a]aresample=44100,aformat=channel_layouts=stereo[a%1];").arg(i);
    }
    for (int i = 0; i < paths.size(); ++i)
        filter += QStringLiteral("[a%1]").arg(i);
    filter += QStringLiteral("concat=n=%1:v=0:a=1[out]").arg(paths.size());
    concat << "-filter_complex" << filter << "-map"
           << "[out]"
           << "-c:a"
           << "libvorbis"
           << "-q:a"
           << "3" << dir.filePath("ffmpeg.ogg");
    const Timing ffmpeg = timeChildren([&] { run("ffmpeg", concat); });

    // oggenc on one WAV holding the same audio.
    const QString wav = dir.filePath("all.wav");
    QStringList toWav{"-v", "error", "-y"};
    for (const QString& p : paths)
        toWav << "-i" << p;
    toWav << "-filter_complex" << filter << "-map"
          << "[out]"
          << "-c:a"
          << "pcm_s16le" << wav;
    run("ffmpeg", toWav);
    const Timing oggenc = timeChildren([&] {
        run("oggenc", {"-Q", "-q", "3", "-o", dir.filePath("oggenc.ogg"), wav});
    });

    out << QStringLiteral("varnelo  wall %1 s  cpu %2 s\n")
               .arg(mine.wall, 0, 'f', 2)
               .arg(mine.cpu, 0, 'f', 2);
    const auto line = [&](const char* name, const Timing& other) {
        out << QStringLiteral("%1 wall %2 s  cpu %3 s  varnelo/%4: wall %5  cpu %6\n")
                   .arg(QString(name).leftJustified(8))
                   .arg(other.wall, 0, 'f', 2)
                   .arg(other.cpu, 0, 'f', 2)
                   .arg(name)
                   .arg(mine.wall / other.wall, 0, 'f', 2)
                   .arg(mine.cpu / other.cpu, 0, 'f', 2);
    };
    line("ffmpeg", ffmpeg);
    line("oggenc", oggenc);
    // Goals: faster than ffmpeg, within 10 % of oggenc (CPU time).
    const bool met = mine.cpu < ffmpeg.cpu && mine.cpu <= oggenc.cpu * 1.10;
    out << (met ? "goals met\n" : "goals NOT met\n");
    out.flush();
    return met ? 0 : 1;
}
