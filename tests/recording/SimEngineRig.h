#pragma once

// The engine on the real file components and level display and the simulated
// sound server with a hand-driven clock; the other windows are stand-ins.

#include "EngineFixture.h"
#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/sim/SimAudioPlayer.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"
#include "platform/audio/visual/TAudioVisualizationEx2.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace varnelo::testing {

class SimEngineRig : public ::testing::Test, protected EngineStandIns {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        outDir = dir.filePath("out");
        settings.WriteString("output", "dir", outDir);
        recorder.SelectLine(2); // the 1000 Hz line
        recorder.SetLineSelected(true);
        RouteComponentEventsThroughErrorHandler(engine, state, recorder, player, errors);
    }

    // Moves the simulated clock on in steps, as the real server's ticks would.
    void Run(int64_t ms, int64_t stepMs = 20) {
        for (int64_t done = 0; done < ms; done += stepMs)
            server->advance(std::min(stepMs, ms - done) * 1000);
    }
    // Runs an operation the way a command handler runs under the application's handler.
    void Handle(const std::function<void()>& action) { RunHandler(engine, state, errors, action); }
    QString Out(const QString& name) const { return outDir + "/" + name; }
    QStringList OutFiles() const { return QDir(outDir).entryList(QDir::Files, QDir::Name); }
    bool RecordingIdle() const { return !state.RecordingActive && state.RecordingNotPaused; }

    QTemporaryDir dir;
    QString outDir;
    SettingsFile settings{dir.filePath("Varn.ini")};
    std::shared_ptr<SimulatedSoundServer> server =
        std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord recorder{server};
    SimAudioPlayer player{server};
    TAudioFile2 AudioFileWrite;
    TAudioFile2 AudioFilepaly;
    TAudioFile2 checker; // a third instance for reading results
    TAudioVisualizationEx2 visual;
    AudioEngine engine{state,  settings, recorder,        AudioFileWrite, AudioFilepaly,
                       player, visual,   display.objects, playlist,       host};
};

} // namespace varnelo::testing
