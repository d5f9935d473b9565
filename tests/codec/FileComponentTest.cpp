#include "CodecFixtures.h"
#include "platform/audio/file/TAudioFile2.h"
#include "platform/core/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <utility>

using namespace varnelo;
using namespace varnelo::test;

namespace {

// Reads the open file to its end in blocks of 4100 positions.
SampleArray ReadAll(TAudioFile2& reader) {
    SampleArray all;
    all.channels = reader.Channels();
    all.sampleRate = reader.SampleRate();
    while (true) {
        SampleArray block = reader.ReadArray(4100);
        if (block.UpperBound() < 0)
            break;
        all.samples.insert(all.samples.end(), block.samples.begin(), block.samples.end());
    }
    return all;
}

void WriteInBlocks(TAudioFile2& writer, const SampleArray& audio, int64_t blockFrames) {
    for (int64_t at = 0; at < audio.Frames(); at += blockFrames) {
        SampleArray block;
        block.channels = audio.channels;
        block.sampleRate = audio.sampleRate;
        const int64_t n = std::min(blockFrames, audio.Frames() - at);
        block.samples.assign(audio.samples.begin() + at * audio.channels,
                             audio.samples.begin() + (at + n) * audio.channels);
        writer.WriteArray(block);
    }
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.what();
    }
    return "(no error)";
}

struct OggCase {
    int rate;
    int channels;
    int quality; // > 0 quality mode, else managed bitrate with the bounds below
    int minKbps, nominalKbps, maxKbps;
    friend std::ostream& operator<<(std::ostream& os, const OggCase& c) {
        return os << c.rate << "Hz " << c.channels << "ch q" << c.quality << " " << c.minKbps << "/"
                  << c.nominalKbps << "/" << c.maxKbps;
    }
};

class OggRoundTrip : public ::testing::TestWithParam<OggCase> {};

TEST_P(OggRoundTrip, SineComesBackWithItsLengthAndFrequency) {
    const OggCase c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("sine.ogg");
    const double hz = c.rate <= 8000 ? 440 : 1000;
    const SampleArray sine = Sine(hz, c.rate, c.channels, int64_t(c.rate) * 2);

    TAudioFile2 writer;
    writer.SetOggParams(c.rate, c.channels, c.nominalKbps, c.maxKbps, c.minKbps, c.quality);
    EXPECT_EQ(writer.SampleRate(), c.rate);
    EXPECT_EQ(writer.Channels(), c.channels);
    writer.CreateNewFile(path);
    WriteInBlocks(writer, sine, c.rate / 5);
    writer.CloseFile();

    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_EQ(reader.FileSampleRate(), c.rate);
    EXPECT_EQ(reader.FileChannels(), c.channels);
    EXPECT_EQ(reader.Length(), sine.Frames());
    EXPECT_EQ(reader.Duration(), 2000);
    const SampleArray back = ReadAll(reader);
    EXPECT_EQ(back.Frames(), sine.Frames());
    EXPECT_NEAR(ZeroCrossingFrequency(back), hz, hz * 0.01);
    // Shown to the user as "...K": a real figure even where the header
    // names no nominal bitrate (quality mode at low rates).
    EXPECT_GE(reader.Bitrate(), 1000);
    EXPECT_LE(reader.Bitrate(), 500000);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OggRoundTrip,
    ::testing::Values(OggCase{44100, 2, 300, 0, 0, 0}, OggCase{44100, 1, 300, 0, 0, 0},
                      OggCase{48000, 2, 1000, 0, 0, 0}, OggCase{22050, 1, 1, 0, 0, 0},
                      OggCase{6000, 1, 500, 0, 0, 0}, OggCase{6000, 2, 300, 0, 0, 0},
                      OggCase{8000, 2, 300, 0, 0, 0}, OggCase{44100, 2, 0, 128, 256, 128},
                      OggCase{44100, 1, 0, 64, 96, 128}, OggCase{48000, 2, 0, 112, 160, 192},
                      OggCase{22050, 2, -1, 48, 56, 64}, OggCase{11025, 1, 0, 16, 24, 32}));

struct InputCase {
    const char* name;
    const char* extension;
    QStringList codecArgs;
    int rate;
    int channels;
    int tolerance; // frames Length may differ from the reference decoder's count
    friend std::ostream& operator<<(std::ostream& os, const InputCase& c) {
        return os << c.name << " " << c.rate << "Hz " << c.channels << "ch";
    }
};

class InputFormat : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputFormat, DecodesWithLengthEqualToWhatIsDelivered) {
    const InputCase c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString("in.") + c.extension);
    ASSERT_TRUE(FfmpegSine(path, 1000, c.rate, c.channels, 1.5, c.codecArgs));
    const bool raw = QString(c.extension).toLower() == "raw";

    TAudioFile2 reader;
    reader.OpenFile(path);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.FileSampleRate(), c.rate);
    EXPECT_EQ(reader.FileChannels(), c.channels);
    EXPECT_EQ(reader.SampleRate(), c.rate);
    EXPECT_EQ(reader.Channels(), c.channels);
    EXPECT_GT(reader.Bitrate(), 0);
    // The reference decoder's count, encoder delay and padding removed: exact
    // where the file states its length, within a frame where it does not.
    const int64_t reference =
        raw ? QFileInfo(path).size() / 4 : FfmpegDecodedFrames(path, c.channels);
    EXPECT_NEAR(double(reader.Length()), double(reference), c.tolerance);
    EXPECT_NEAR(double(reader.Duration()), 1500, 60);
    const int64_t length = reader.Length();
    const SampleArray all = ReadAll(reader);
    EXPECT_EQ(all.Frames(), length);
    EXPECT_NEAR(ZeroCrossingFrequency(all), 1000, 15);
    reader.CloseFile();
    EXPECT_FALSE(reader.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, InputFormat,
    ::testing::Values(
        InputCase{"mp3 LAME header", "mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}, 44100, 2, 0},
        InputCase{"mp3 LAME header", "mp3", {"-c:a", "libmp3lame", "-b:a", "64k"}, 22050, 1, 0},
        InputCase{"mp3 no header CBR",
                  "mp3",
                  {"-c:a", "libmp3lame", "-b:a", "128k", "-write_xing", "0"},
                  44100,
                  2,
                  1152},
        InputCase{"mp3 no header VBR",
                  "mp3",
                  {"-c:a", "libmp3lame", "-q:a", "4", "-write_xing", "0"},
                  32000,
                  1,
                  1152},
        InputCase{"wav s16", "wav", {"-c:a", "pcm_s16le"}, 48000, 2, 0},
        InputCase{"wav u8", "wav", {"-c:a", "pcm_u8"}, 8000, 1, 0},
        InputCase{"wav float", "wav", {"-c:a", "pcm_f32le"}, 11025, 2, 0},
        InputCase{"wma", "wma", {"-c:a", "wmav2", "-b:a", "128k"}, 44100, 2, 64},
        InputCase{"wma", "wma", {"-c:a", "wmav2", "-b:a", "32k"}, 22050, 1, 64},
        InputCase{"ogg vorbis", "ogg", {"-c:a", "libvorbis", "-q:a", "3"}, 32000, 2, 0},
        InputCase{"ogg opus", "opus", {"-c:a", "libopus", "-b:a", "64k"}, 48000, 2, 0},
        InputCase{"ogg opus in .ogg", "ogg", {"-c:a", "libopus", "-b:a", "32k"}, 48000, 1, 0},
        InputCase{"flac", "flac", {"-c:a", "flac"}, 44100, 1, 0},
        InputCase{"raw", "RAW", {"-f", "s16le", "-c:a", "pcm_s16le"}, 44100, 2, 0}));

// How far (in frames) `part` lies from position `target` of `all`: the
// offset within +-40 at which the first channel matches best, and how well.
std::pair<int, double> Misplacement(const SampleArray& all, const SampleArray& part,
                                    int64_t target) {
    int best = 0;
    double bestError = 1e9;
    for (int offset = -40; offset <= 40; ++offset) {
        double error = 0;
        for (int64_t i = 0; i < part.Frames(); ++i) {
            const int64_t at = target + offset + i;
            const float ref =
                at >= 0 && at < all.Frames() ? all.samples[size_t(at * all.channels)] : 0;
            error =
                std::max(error, double(std::abs(part.samples[size_t(i * part.channels)] - ref)));
        }
        if (error < bestError) {
            bestError = error;
            best = offset;
        }
    }
    return {best, bestError};
}

TEST(FileComponent, SeekDeliversTheSameAudioAsReadingThrough) {
    QTemporaryDir dir;
    struct Case {
        const char* extension;
        QStringList args;
        int tolerance; // frames a seek may land off
    };
    for (const Case& c :
         {Case{"wav", {}, 0}, Case{"flac", {}, 0}, Case{"ogg", {"-c:a", "libvorbis"}, 0},
          Case{"mp3", {"-c:a", "libmp3lame"}, 0}, Case{"wma", {"-c:a", "wmav2"}, 0}}) {
        // A rising tone never repeats itself, so a misplaced seek shows.
        const QString path = dir.filePath(QString("seek.") + c.extension);
        QProcess p;
        p.start("ffmpeg",
                QStringList{"-v", "error", "-y", "-f", "lavfi", "-i",
                            "aevalsrc=0.5*sin(2*PI*(200+100*t)*t):s=44100:d=3", "-ac", "2"} +
                    c.args + QStringList{path});
        ASSERT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
        TAudioFile2 reader;
        reader.OpenFile(path);
        const SampleArray all = ReadAll(reader);
        for (int64_t target : {int64_t(0), int64_t(44100), reader.Length() / 2 + 17}) {
            reader.Seek(target, 3);
            const SampleArray part = reader.ReadArray(1000);
            ASSERT_EQ(part.Frames(), 1000) << c.extension;
            const auto [offset, error] = Misplacement(all, part, target);
            EXPECT_LE(std::abs(offset), c.tolerance) << c.extension << " at " << target;
            // Lossy decoders restart after a seek; their first frames may differ a little.
            EXPECT_LT(error, 0.1) << c.extension << " at " << target;
        }
        reader.Seek(reader.Length(), 3);
        EXPECT_EQ(reader.ReadArray(4100).UpperBound(), -1) << c.extension;
    }
}

TEST(FileComponent, RawIsWrittenAndReadAsHeaderlessPcm) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.RAW");
    const SampleArray sine = Sine(1000, 44100, 2, 44100);
    TAudioFile2 writer;
    writer.SetWaveFormat(0, 44100, 2, 16);
    writer.CreateNewFile(path);
    WriteInBlocks(writer, sine, 8820);
    writer.CloseFile();
    EXPECT_EQ(QFile(path).size(), 44100 * 4);

    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_EQ(reader.FileSampleRate(), 44100);
    EXPECT_EQ(reader.FileChannels(), 2);
    EXPECT_EQ(reader.Length(), 44100);
    const SampleArray back = ReadAll(reader);
    ASSERT_EQ(back.samples.size(), sine.samples.size());
    for (size_t i = 0; i < sine.samples.size(); i += 97)
        EXPECT_NEAR(back.samples[i], sine.samples[i], 1.0 / 16384);

    // Every sample format comes back as the sine it was given (little-endian).
    const SampleArray mono = Sine(440, 8000, 1, 800);
    for (const auto& [code, bits] : {std::pair{1, 8}, std::pair{0, 16}, std::pair{1, 24},
                                     std::pair{1, 32}, std::pair{3, 32}}) {
        writer.SetWaveFormat(code, 8000, 1, bits);
        EXPECT_EQ(writer.SampleRate(), 8000);
        EXPECT_EQ(writer.Channels(), 1);
        writer.CreateNewFile(dir.filePath("b.raw"));
        WriteInBlocks(writer, mono, 300);
        writer.CloseFile();
        const QByteArray bytes = ReadBytes(dir.filePath("b.raw"));
        ASSERT_EQ(bytes.size(), 800 * bits / 8) << code << "/" << bits;
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
        for (int i = 0; i < 800; i += 37) {
            const unsigned char* at = b + i * bits / 8;
            double v = 0;
            if (code == 3) {
                float f;
                std::memcpy(&f, at, 4);
                v = f;
            } else if (bits == 8) {
                v = (at[0] - 128) / 127.0;
            } else {
                int64_t x = 0;
                for (int k = bits / 8 - 1; k >= 0; --k)
                    x = (x << 8) | at[k];
                x -= (x >> (bits - 1)) << bits; // sign
                v = double(x) / double((int64_t(1) << (bits - 1)) - 1);
            }
            EXPECT_NEAR(v, mono.samples[size_t(i)], 1.0 / 100)
                << code << "/" << bits << " at " << i;
        }
    }
    writer.SetWaveFormat(0, 44100, 2, 5);
    EXPECT_EQ(messageOf([&] { writer.CreateNewFile(dir.filePath("c.raw")); }),
              ("Cannot create " + dir.filePath("c.raw") +
               ": RAW files are written with 8, 16, 24 or 32 bits per sample, not 5")
                  .toStdString());
}

TEST(FileComponent, MonoInputAtAnotherRateIsJoinedIntoStereoOgg) {
    QTemporaryDir dir;
    const QString path = dir.filePath("joined.ogg");
    TAudioFile2 writer;
    writer.SetOggParams(44100, 2, 128, 128, 128, 300);
    writer.SetInputFormat(22050, 1);
    writer.CreateNewFile(path);
    WriteInBlocks(writer, Sine(500, 22050, 1, 22050 * 2), 4100);
    writer.CloseFile();

    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_EQ(reader.FileSampleRate(), 44100);
    EXPECT_EQ(reader.FileChannels(), 2);
    EXPECT_NEAR(double(reader.Length()), 88200, 64);
    const SampleArray back = ReadAll(reader);
    EXPECT_NEAR(ZeroCrossingFrequency(back), 500, 5);
    // Both channels carry the mono signal.
    double difference = 0;
    for (int64_t i = 0; i < back.Frames(); ++i)
        difference = std::max(difference, double(std::abs(back.samples[size_t(2 * i)] -
                                                          back.samples[size_t(2 * i + 1)])));
    EXPECT_LT(difference, 0.02);
}

TEST(FileComponent, InputsOfSeveralFormatsFollowEachOtherInOneFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("several.ogg");
    TAudioFile2 writer;
    writer.SetOggParams(44100, 2, 128, 128, 128, 300);
    writer.CreateNewFile(path);
    const struct { int rate, channels; } parts[] = {{22050, 1}, {48000, 2}, {44100, 2}, {8000, 1}};
    for (const auto& part : parts) {
        writer.SetInputFormat(part.rate, part.channels);
        WriteInBlocks(writer, Sine(440, part.rate, part.channels, part.rate), 4100);
    }
    writer.CloseFile();
    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_NEAR(double(reader.Length()), 4 * 44100, 256);
    EXPECT_NEAR(ZeroCrossingFrequency(ReadAll(reader)), 440, 3);
}

TEST(FileComponent, CheckOggFormatIsTheEncodersOwnAnswer) {
    TAudioFile2 writer;
    struct Case {
        int rate, channels, nominal, bound1, bound2;
        bool accepted;
    };
    const Case cases[] = {
        {44100, 2, 128, 128, 128, true}, {44100, 2, 256, 128, 128, true},
        {44100, 1, 64, 32, 96, true},    {48000, 2, 192, 320, 112, true},
        {22050, 2, 56, 48, 64, true},    {48000, 2, 8, 8, 8, false},
        {44100, 2, 16, 8, 16, false},    {6000, 1, 320, 320, 320, false},
        {8000, 2, 320, 320, 320, false}, {44100, 3, 128, 128, 128, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(writer.CheckOggFormat(c.rate, c.channels, c.nominal, c.bound1, c.bound2),
                  c.accepted)
            << c.rate << " Hz " << c.channels << " ch " << c.bound1 << ".." << c.bound2;
}

TEST(FileComponent, BadInputsNameTheFileAndTheReason) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.mp3");
    const QString empty = dir.filePath("empty.ogg");
    const QString text = dir.filePath("notes.wav");
    const QString garbage = dir.filePath("noise.mp3");
    QFile(empty).open(QIODevice::WriteOnly);
    {
        QFile f(text);
        f.open(QIODevice::WriteOnly);
        f.write("This is a shopping list, not a sound.\n");
        QFile g(garbage);
        g.open(QIODevice::WriteOnly);
        QByteArray noise(20000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) % 251);
        g.write(noise);
    }
    struct Case {
        QString path;
        const char* reason;
    };
    for (const Case& c :
         {Case{missing, "No such file or directory"}, Case{empty, "the file is empty"},
          Case{text, "Invalid data found when processing input"}}) {
        TAudioFile2 reader;
        EXPECT_EQ(messageOf([&] { reader.OpenFile(c.path); }),
                  ("Cannot read " + c.path + ": " + c.reason).toStdString());
        EXPECT_FALSE(reader.IsOpen());
    }
    // Garbage either fails to open or to decode, always with the file's name.
    TAudioFile2 reader;
    const std::string noiseMessage = messageOf([&] {
        reader.OpenFile(garbage);
        if (reader.Length() > 0)
            ReadAll(reader);
        throw AppError(QString("decoded"));
    });
    EXPECT_NE(noiseMessage.find(garbage.toStdString()), std::string::npos) << noiseMessage;

    // A file cut off in the middle reads up to the cut and then says so.
    const QString whole = dir.filePath("whole.wav");
    ASSERT_TRUE(FfmpegSine(whole, 440, 44100, 2, 4, {}));
    QFile w(whole);
    w.open(QIODevice::ReadOnly);
    const QByteArray bytes = w.readAll();
    const QString cut = dir.filePath("cut.wav");
    QFile c(cut);
    c.open(QIODevice::WriteOnly);
    c.write(bytes.left(bytes.size() / 2));
    c.close();
    TAudioFile2 cutReader;
    EXPECT_EQ(messageOf([&] {
                  cutReader.OpenFile(cut);
                  ReadAll(cutReader);
              }),
              ("Cannot read " + cut + ": the file is cut off or damaged").toStdString());

    // Writing where no folder exists fails at once and creates nothing.
    const QString nowhere = dir.filePath("no/such/folder/out.ogg");
    TAudioFile2 writer;
    writer.SetOggParams(44100, 2, 128, 128, 128, 300);
    EXPECT_EQ(messageOf([&] { writer.CreateNewFile(nowhere); }),
              ("Cannot create " + nowhere + ": No such file or directory").toStdString());
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(messageOf([&] { writer.WriteArray(Sine(1, 44100, 2, 10)); }),
              "No output file is open for writing.");
}

// A WAV header that declares no channels, followed by some data.
QByteArray WavWithoutChannels() {
    QByteArray wav("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
    const char fmt[16] = {1, 0, 0, 0, char(0x44), char(0xac), 0, 0, 0, 0, 0, 0, 0, 0, 16, 0};
    wav.append(fmt, 16);
    wav.append("data\xa0\x0f\0\0", 8);
    wav.append(QByteArray(4000, '\0'));
    return wav;
}

TEST(FileComponent, UnreadableFilesNameTheFileAndTheReason) {
    QTemporaryDir dir;
    const QString zero = dir.filePath("zero.wav");
    WriteBytes(zero, WavWithoutChannels());
    const QString video = dir.filePath("picture.mkv");
    QProcess p;
    p.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=0.2:size=32x32",
                       "-c:v", "mpeg4", video});
    ASSERT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
    // Whole files cut in half: the MP3's header and the FLAC's stream info
    // promise more than is there.
    QStringList cut;
    for (const auto& [ext, args] :
         {std::pair<const char*, QStringList>{"mp3", {"-c:a", "libmp3lame"}},
          std::pair<const char*, QStringList>{"flac", {"-c:a", "flac"}}}) {
        const QString whole = dir.filePath(QString("whole.") + ext);
        ASSERT_TRUE(FfmpegSine(whole, 440, 44100, 2, 3, args));
        cut << dir.filePath(QString("cut.") + ext);
        WriteBytes(cut.back(), ReadBytes(whole).left(int(QFileInfo(whole).size() / 2)));
    }
    struct Case {
        QString path;
        const char* reason;
    };
    for (const Case& c : {Case{zero, "it has no channels"},
                          Case{video, "it holds no audio this program can decode"},
                          Case{cut[0], "the file is cut off or damaged"},
                          Case{cut[1], "the file is cut off or damaged"}}) {
        TAudioFile2 reader;
        EXPECT_EQ(messageOf([&] {
                      reader.OpenFile(c.path);
                      ReadAll(reader);
                  }),
                  ("Cannot read " + c.path + ": " + c.reason).toStdString());
    }

    // An OGG cut in half is read up to the cut, its length what is there.
    const QString ogg = dir.filePath("whole.ogg");
    ASSERT_TRUE(FfmpegSine(ogg, 440, 44100, 2, 4, {"-c:a", "libvorbis"}));
    const QString cutOgg = dir.filePath("cut.ogg");
    WriteBytes(cutOgg, ReadBytes(ogg).left(int(QFileInfo(ogg).size() / 2)));
    TAudioFile2 reader;
    reader.OpenFile(cutOgg);
    EXPECT_GT(reader.Length(), 44100);
    EXPECT_LT(reader.Length(), 3 * 44100);
    EXPECT_EQ(ReadAll(reader).Frames(), reader.Length());
}

TEST(FileComponent, UnwritablePlacesNameTheFileAndTheReason) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    WriteBytes(plain, "not a folder");
    const QString underFile = plain + "/out.ogg";
    TAudioFile2 writer;
    writer.SetOggParams(44100, 2, 128, 128, 128, 300);
    EXPECT_EQ(messageOf([&] { writer.CreateNewFile(underFile); }),
              ("Cannot create " + underFile + ": Not a directory").toStdString());
    // A full device: the OGG headers already fail, RAW fails at its first array.
    EXPECT_EQ(messageOf([&] { writer.CreateNewFile("/dev/full"); }),
              "Cannot write /dev/full: No space left on device");
    EXPECT_FALSE(writer.IsOpen());
    writer.SetWaveFormat(1, 44100, 2, 16);
    writer.CreateNewFile("/dev/full");
    EXPECT_EQ(messageOf([&] { writer.WriteArray(Sine(440, 44100, 2, 4410)); }),
              "Cannot write /dev/full: No space left on device");
    EXPECT_FALSE(writer.IsOpen());
    // RAW formats the writer does not know.
    for (const auto& [code, bits, reason] :
         {std::tuple{3, 16, "RAW float samples have 32 bits, not 16"},
          std::tuple{2, 16, "RAW sample format 2 is unknown (0 or 1: PCM, 3: float)"},
          std::tuple{1, 4, "RAW files are written with 8, 16, 24 or 32 bits per sample, not 4"}}) {
        writer.SetWaveFormat(code, 8000, 1, bits);
        const QString path = dir.filePath("x.raw");
        EXPECT_EQ(messageOf([&] { writer.CreateNewFile(path); }),
                  ("Cannot create " + path + ": " + reason).toStdString());
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

// Runs `body` in a child process; returns its exit status.
int InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(FileComponent, AFullDiskStopsWritingWithAnErrorAndKeepsWhatWasWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("full.ogg");
    const std::string expected = ("Cannot write " + path + ": File too large").toStdString();
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{60000, 60000};
        setrlimit(RLIMIT_FSIZE, &limit);
        TAudioFile2 writer;
        writer.SetOggParams(44100, 2, 128, 128, 128, 500);
        writer.CreateNewFile(path);
        const SampleArray block = Sine(440, 44100, 2, 8820);
        for (int i = 0; i < 1000; ++i) {
            try {
                writer.WriteArray(block);
            } catch (const AppError& e) {
                return e.what() == expected && !writer.IsOpen() ? 0 : 2;
            }
        }
        return 3;
    });
    ASSERT_EQ(status, 0);
    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_GT(reader.Length(), 44100 / 2);
    const SampleArray back = ReadAll(reader);
    EXPECT_NEAR(ZeroCrossingFrequency(back), 440, 5);
}

TEST(FileComponent, AWriterThatDiesLeavesAPlayableFileWithAllButTheLastSecond) {
    QTemporaryDir dir;
    const QString path = dir.filePath("crash.ogg");
    ASSERT_EQ(InChild([&] {
                  TAudioFile2 writer;
                  writer.SetOggParams(44100, 2, 128, 128, 128, 300);
                  writer.CreateNewFile(path);
                  WriteInBlocks(writer, Sine(440, 44100, 2, 44100 * 5), 8820);
                  _exit(0); // no CloseFile: as if the program crashed here
                  return 1;
              }),
              0);
    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_GT(reader.Length(), 44100 * 4);
    EXPECT_NEAR(ZeroCrossingFrequency(ReadAll(reader)), 440, 5);
}

TEST(FileComponent, AFileClosedBeforeAnyAudioIsEmptyNotDamaged) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nothing.ogg");
    TAudioFile2 writer;
    writer.SetOggParams(44100, 2, 128, 128, 128, 300);
    writer.CreateNewFile(path);
    writer.CloseFile();
    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_EQ(reader.Length(), 0);
    EXPECT_EQ(reader.Duration(), 0);
    EXPECT_EQ(reader.ReadArray(4100).UpperBound(), -1);
}

TEST(FileComponent, CreateNewFileOverwritesAndAFailedOpenLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("same.ogg");
    TAudioFile2 writer;
    writer.SetOggParams(44100, 1, 128, 128, 128, 300);
    for (int seconds : {3, 1}) {
        writer.CreateNewFile(path);
        WriteInBlocks(writer, Sine(440, 44100, 1, 44100 * seconds), 8820);
        writer.CloseFile();
    }
    TAudioFile2 reader;
    reader.OpenFile(path);
    EXPECT_EQ(reader.Length(), 44100);
    const qint64 size = QFile(path).size();
    EXPECT_THROW(reader.OpenFile(dir.filePath("absent.ogg")), AppError);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(QFile(path).size(), size);
}

} // namespace
