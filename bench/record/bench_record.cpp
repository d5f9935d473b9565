// The recording path's cost for one hour of audio, against the encoder alone.
#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"
#include "platform/audio/visual/TAudioVisualizationEx2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <sys/resource.h>

using namespace varnelo;

namespace {

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double processCpu() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

long residentKb() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

// A WAV of the simulated line's signal, for oggenc.
void writeWav(const QString& path, SimulatedSoundServer& server, int64_t frames) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    auto u32 = [&](quint32 v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](quint16 v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const quint32 bytes = quint32(frames * 4);
    f.write("RIFF");
    u32(36 + bytes);
    f.write("WAVEfmt ");
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    f.write("data");
    u32(bytes);
    std::vector<float> block(size_t(44100) * 2);
    std::vector<int16_t> pcm(block.size());
    for (int64_t at = 0; at < frames; at += 44100) {
        server.render(at, 44100, 44100, 2, block.data());
        for (size_t i = 0; i < block.size(); ++i)
            pcm[i] = int16_t(std::lround(block[i] * 32767));
        f.write(reinterpret_cast<const char*>(pcm.data()), qint64(pcm.size() * 2));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const int64_t hour = 3600LL * 1000000;

    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord recorder(server);
    TAudioFile2 writer;
    TAudioVisualizationEx2 display;
    display.resize(115, 81);
    display.show();

    writer.SetOggParams(44100, 2, 256, 128, 128, 300);
    writer.CreateNewFile(dir.filePath("hour.ogg"));
    recorder.SetRecordFormat(writer.SampleRate(), writer.Channels());
    recorder.SetBlockSize(int(recorder.MsToSamples(200)));
    // Where the time goes: encoder, level display, and the rest (the simulated
    // source and the recorder's block queue).
    double encodeCpu = 0, displayCpu = 0;
    QObject::connect(&recorder, &IAudioRecord2::OnEndArrayRecord, [&] {
        const SampleArray block = recorder.GetRecordArray();
        const double t0 = processCpu();
        writer.WriteArray(block);
        const double t1 = processCpu();
        display.ShowArray(block);
        encodeCpu += t1 - t0;
        displayCpu += processCpu() - t1;
    });

    const double cpu0 = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer wall;
    wall.start();
    recorder.StartRecord();
    out << "simulated minute  resident KB\n";
    for (int64_t t = 0; t < hour; t += 100000) {
        server->advance(100000);
        const double t0 = processCpu();
        display.AdvanceAnimation(100); // the display's frames, as its timer would run them
        displayCpu += processCpu() - t0;
        if (t % (600LL * 1000000) == 0)
            out << QStringLiteral("%1  %2\n").arg(t / 60000000, 16).arg(residentKb(), 11);
    }
    recorder.StopRecord();
    writer.CloseFile();
    const double mine = cpuSeconds(RUSAGE_SELF) - cpu0;
    const double mineWall = double(wall.nsecsElapsed()) / 1e9;
    rusage self{};
    getrusage(RUSAGE_SELF, &self);

    const QString wav = dir.filePath("hour.wav");
    writeWav(wav, *server, 3600LL * 44100);
    const double children0 = cpuSeconds(RUSAGE_CHILDREN);
    QProcess oggenc;
    oggenc.start("oggenc", {"-Q", "-q", "3", "-o", dir.filePath("oggenc.ogg"), wav});
    oggenc.waitForFinished(-1);
    const double theirs = cpuSeconds(RUSAGE_CHILDREN) - children0;

    out << QStringLiteral("recording path: cpu %1 s (wall %2 s), peak resident %3 MB\n")
               .arg(mine, 0, 'f', 1)
               .arg(mineWall, 0, 'f', 1)
               .arg(double(self.ru_maxrss) / 1024, 0, 'f', 1);
    out << QStringLiteral("  encoder %1 s, level display %2 s, source and queue %3 s\n")
               .arg(encodeCpu, 0, 'f', 1)
               .arg(displayCpu, 0, 'f', 1)
               .arg(mine - encodeCpu - displayCpu, 0, 'f', 1);
    out << QStringLiteral("oggenc -q 3:    cpu %1 s\n").arg(theirs, 0, 'f', 1);
    out << QStringLiteral("ratio:          %1\n").arg(mine / theirs, 0, 'f', 2);
    return 0;
}
