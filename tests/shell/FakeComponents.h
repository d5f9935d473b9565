#pragma once

// Test doubles of the recorder, the file components and the player that
// write every call into one shared log, so the order of the main window's
// calls across components can be checked. A call named in `failAt` throws.
#include "app/AudioComponentSet.h"
#include "platform/core/AppError.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace varnelo::test {

struct CallLog {
    QStringList calls;
    QString failAt; // a call text, e.g. "LineName" or "AudioFilepaly.SetBoolOption(1)"

    void Add(const QString& call) {
        calls << call;
        if (call == failAt)
            throw AppError(QStringLiteral("%1 failed").arg(call));
    }
};

struct FakeLine {
    QString name;
    bool selected = false;
    int volume = 0;
};

// A recorder with devices whose lines are all those of `lines`.
class LoggingRecorder : public IAudioRecord2 {
public:
    LoggingRecorder(CallLog& log, int deviceLastIndex, QList<FakeLine> lines)
        : log_(log), deviceLastIndex_(deviceLastIndex), lines_(std::move(lines)) {}

    int DeviceLastIndex() override {
        log_.Add(QStringLiteral("DeviceLastIndex"));
        return deviceLastIndex_;
    }
    void SelectDevice(int index) override {
        log_.Add(QStringLiteral("SelectDevice(%1)").arg(index));
        device_ = index;
    }
    QString DeviceName() override {
        log_.Add(QStringLiteral("DeviceName"));
        return QStringLiteral("Device %1").arg(device_);
    }
    int DeviceLineCount() override {
        log_.Add(QStringLiteral("DeviceLineCount"));
        return static_cast<int>(lines_.size());
    }
    void SelectLine(int line) override {
        log_.Add(QStringLiteral("SelectLine(%1)").arg(line));
        line_ = line;
    }
    QString LineName() override {
        log_.Add(QStringLiteral("LineName"));
        return Line() ? Line()->name : QString();
    }
    bool LineSelected() override {
        log_.Add(QStringLiteral("LineSelected"));
        return Line() && Line()->selected;
    }
    void SetLineSelected(bool selected) override {
        log_.Add(QStringLiteral("SetLineSelected(%1)").arg(selected));
    }
    int LineVolume() override {
        log_.Add(QStringLiteral("LineVolume"));
        return Line() ? Line()->volume : 0;
    }
    void SetLineVolume(int volume) override {
        log_.Add(QStringLiteral("SetLineVolume(%1)").arg(volume));
    }
    void SetRecordFormat(int, int) override { log_.Add(QStringLiteral("SetRecordFormat")); }
    int64_t MsToSamples(int64_t ms) override { return ms * 44100 / 1000; }
    int64_t SamplesToMs(int64_t samples) override { return samples * 1000 / 44100; }
    void SetBlockSize(int) override { log_.Add(QStringLiteral("SetBlockSize")); }
    void StartRecord() override { log_.Add(QStringLiteral("StartRecord")); }
    void StopRecord() override { log_.Add(QStringLiteral("StopRecord")); }
    SampleArray GetRecordArray() override { return {}; }
    int RecordStatus() override { return 0; }
    QString RecordStatusText() override { return {}; }

    int device_ = -1;

private:
    const FakeLine* Line() const {
        return line_ >= 1 && line_ <= lines_.size() ? &lines_[line_ - 1] : nullptr;
    }
    CallLog& log_;
    int deviceLastIndex_;
    QList<FakeLine> lines_;
    int line_ = 0;
};

// A file component that logs its calls under its component name.
class LoggingFile : public IAudioFile2 {
public:
    LoggingFile(CallLog& log, QString name) : log_(log), name_(std::move(name)) {}

    void SetBoolOption(bool value) override {
        log_.Add(QStringLiteral("%1.SetBoolOption(%2)").arg(name_).arg(int(value)));
    }
    void OpenFile(const QString&, int, int) override { Unused("OpenFile"); }
    bool IsOpen() const override { return false; }
    void CloseFile() override { log_.Add(name_ + QStringLiteral(".CloseFile")); }
    int64_t Length() const override { return 0; }
    int64_t Duration() const override { return 0; }
    int FileSampleRate() const override { return 44100; }
    int FileChannels() const override { return 2; }
    int Bitrate() const override { return 0; }
    int SampleRate() const override { return 44100; }
    int Channels() const override { return 2; }
    int Seek(int64_t, int) override { return 0; }
    SampleArray ReadArray(int) override { return {}; }
    void SetOggParams(int, int, int, int, int, int) override { Unused("SetOggParams"); }
    bool CheckOggFormat(int, int, int, int, int) override { return true; }
    void SetWaveFormat(int, int, int, int) override { Unused("SetWaveFormat"); }
    void SetInputFormat(int, int) override { Unused("SetInputFormat"); }
    void CreateNewFile(const QString&, int) override { Unused("CreateNewFile"); }
    void WriteArray(const SampleArray&) override { Unused("WriteArray"); }

private:
    void Unused(const char* call) { log_.Add(name_ + QLatin1Char('.') + QLatin1String(call)); }
    CallLog& log_;
    QString name_;
};

class SilentPlayer : public IAudioPlayer2 {
public:
    void SetPlayFormat(int, int) override {}
    void StartPlay() override {}
    void StopPlay() override {}
    void PlayArray(const SampleArray&) override {}
    int64_t SamplesToMs(int64_t samples) override { return samples * 1000 / 44100; }
};

} // namespace varnelo::test
