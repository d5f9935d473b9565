// The main window's show sequence: the order of its calls on the recorder and
// the file components, what it leaves in the dialogs and on the skin, and
// where an error stops it.
#include "FakeComponents.h"

#include "app/Program.h"
#include "app/Tfm_main.h"
#include "audio/OutputNaming.h"
#include "joiner/Tfm_list.h"
#include "platform/audio/factory/AudioComponents.h"
#include "platform/audio/visual/TAudioVisualizationEx2.h"
#include "platform/shell/InfoBox.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_set.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varnelo::test {
namespace {

const QString kSkin = QStringLiteral(VARNELO_BIN_DIR "/du3vor.dll");

class ShowSequence : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        settings_ = std::make_unique<SettingsFile>(dir_.filePath(QStringLiteral("Varn.ini")));
        previousBox_ = SetInfoBoxHandler([this](QWidget*, const QString& text) { boxes_ << text; });
    }
    void TearDown() override {
        program_.reset();
        SetInfoBoxHandler(previousBox_);
    }

    // Builds every window on the logging fakes, then shows the main window
    // and waits for its show sequence to end; returns whether it completed.
    bool Run(int deviceLastIndex, QList<FakeLine> lines, const QString& skin = kSkin) {
        AudioComponentSet set;
        auto recorder = std::make_unique<LoggingRecorder>(log_, deviceLastIndex, std::move(lines));
        recorder_ = recorder.get();
        set.AudioRecord1 = std::move(recorder);
        set.AudioPlayer21 = std::make_unique<SilentPlayer>();
        set.AudioFileWrite = std::make_unique<LoggingFile>(log_, QStringLiteral("AudioFileWrite"));
        set.AudioFilepaly = std::make_unique<LoggingFile>(log_, QStringLiteral("AudioFilepaly"));
        set.AudioInformation21 = CreateAudioInformation();
        program_ = std::make_unique<Program>(*settings_, std::move(set), skin);
        log_.calls.clear(); // only what the show sequence does
        // Values the show sequence replaces, so its steps can be told apart
        // from the windows' own defaults.
        program_->fm_set->ed_dir->setText(QStringLiteral("(not set)"));
        Main().AudioVisualization21->SetLineCount(5);
        QSignalSpy ended(program_->fm_main.get(), &Tfm_main::ShowSequenceEnded);
        program_->fm_main->show();
        EXPECT_TRUE(ended.wait(10000));
        return !ended.isEmpty() && ended.first().first().toBool();
    }

    Tfm_main& Main() { return *program_->fm_main; }
    Tfm_dev& Dev() { return *program_->fm_dev; }
    QComboBox& Devices() { return *Dev().cb_rd; }
    QComboBox& Lines() { return *Dev().cb_rdson; }

    QTemporaryDir dir_;
    std::unique_ptr<SettingsFile> settings_;
    CallLog log_;
    LoggingRecorder* recorder_ = nullptr;
    std::unique_ptr<Program> program_;
    QStringList boxes_;
    InfoBoxHandler previousBox_;
};

TEST_F(ShowSequence, CallsTheComponentsInOrderAndFillsTheSourceDialog) {
    ASSERT_TRUE(
        Run(1, {{"Mic", false, 1000}, {"Monitor of Out", true, 30000}, {"Line", false, 5}}));
    const QStringList expected{"AudioFileWrite.SetBoolOption(1)", "AudioFilepaly.SetBoolOption(1)",
                               "DeviceLastIndex", "SelectDevice(0)", "DeviceName",
                               "SelectDevice(1)", "DeviceName", "DeviceLineCount", "SelectLine(1)",
                               "LineName", "LineSelected", "SelectLine(2)", "LineName",
                               "LineSelected", "SelectLine(3)", "LineName", "LineSelected",
                               // step 7: the active line, its volume, which the slider hands back
                               "SelectLine(2)", "LineVolume", "SetLineVolume(30000)"};
    EXPECT_EQ(log_.calls, expected);
    EXPECT_EQ(recorder_->device_, 1); // the last device stays selected
    EXPECT_EQ(Devices().count(), 2);
    EXPECT_EQ(Devices().itemText(1), "Device 1");
    EXPECT_EQ(Devices().currentIndex(), 1); // [rd] "rd" defaults to the last device
    EXPECT_EQ(Lines().count(), 3);
    EXPECT_EQ(Lines().currentIndex(), 1);
    EXPECT_EQ(Dev().tb_rd->value(), 30000);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

TEST_F(ShowSequence, LeavesTheWindowsReadyAndIdle) {
    ASSERT_TRUE(Run(0, {{"Mic", true, 100}}));
    EXPECT_EQ(program_->fm_set->ed_dir->text(), DefaultOutputDirectory());
    EXPECT_TRUE(DefaultOutputDirectory().endsWith("/Ro Dezirevu"));
    EXPECT_EQ(Main().AudioVisualization21->LineCount(), 17);
    EXPECT_FALSE(Main().AudioVisualization21->IsVisible());
    EXPECT_EQ(Main().AudioVisualization21->geometry(), QRect(216, 71, 115, 81));
    const DisplayObjects& display = Main().Display();
    for (const BoundObject* bound : {&display.s_time, &display.play_bar, &display.s_sizeson,
                                     &display.s_filename, &display.s_mono})
        EXPECT_NE(bound->object, nullptr);
    ASSERT_NE(display.play_bar.slider, nullptr);
    EXPECT_EQ(display.play_bar.slider->GetPosition(), 0);
    EXPECT_EQ(display.play_bar.label, nullptr);
    EXPECT_NE(display.s_time.label, nullptr);
    const EngineState& state = Main().State();
    EXPECT_TRUE(state.PlayBarTracking);
    EXPECT_TRUE(state.RecordingNotPaused);
    EXPECT_TRUE(state.PlaybackNotPaused);
    EXPECT_FALSE(state.AddRecordingToList);
    // The join list is shown, docked under the main window.
    Tfm_list& list = *program_->fm_list;
    EXPECT_TRUE(list.isVisible());
    EXPECT_TRUE(state.ListWindowShown);
    EXPECT_EQ(list.geometry().top(), Main().geometry().bottom() + 1);
    EXPECT_EQ(list.geometry().left(), Main().geometry().left());
    EXPECT_EQ(Main().windowTitle(), "Varnelo");
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

TEST_F(ShowSequence, StoredPathAndDeviceAreShown) {
    settings_->WriteString("output", "path", "/srv/recordings");
    settings_->WriteInteger("rd", "rd", 0);
    ASSERT_TRUE(Run(2, {{"Mic", true, 7}}));
    EXPECT_EQ(program_->fm_set->ed_dir->text(), "/srv/recordings");
    EXPECT_EQ(Devices().currentIndex(), 0); // only the combo shows it
    EXPECT_EQ(recorder_->device_, 2);
}

struct LineCase {
    const char* what;
    int deviceLastIndex;
    QList<FakeLine> lines;
    int devices;        // items of the device list
    int deviceShown;    // its selected index
    int lineShown;      // the line list's selected index
    QString selectLine; // step 7's call
    int volume;         // the slider
};

class ShowSequenceLines : public ShowSequence, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ShowSequenceLines, FillsTheListsFromTheRecorder) {
    const LineCase& c = GetParam();
    ASSERT_TRUE(Run(c.deviceLastIndex, c.lines));
    EXPECT_EQ(Devices().count(), c.devices);
    EXPECT_EQ(Devices().currentIndex(), c.deviceShown);
    EXPECT_EQ(Lines().count(), c.lines.size());
    EXPECT_EQ(Lines().currentIndex(), c.lineShown);
    const qsizetype step7 = log_.calls.lastIndexOf(QRegularExpression(R"(SelectLine\(\d+\))"));
    ASSERT_GE(step7, 0);
    EXPECT_EQ(log_.calls[step7], c.selectLine);
    EXPECT_EQ(Dev().tb_rd->value(), c.volume);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowSequenceLines,
    ::testing::Values(
        LineCase{"NoDevice", -1, {{"Mic", true, 9}}, 0, -1, 0, "SelectLine(1)", 9},
        // DeviceLastIndex is taken as a signed 16-bit value.
        LineCase{"NoDeviceAs16Bit", 0xFFFF, {{"Mic", true, 9}}, 0, -1, 0, "SelectLine(1)", 9},
        LineCase{"NoLines", 0, {}, 1, 0, -1, "SelectLine(0)", 0},
        LineCase{
            "NoActiveLine", 0, {{"A", false, 5}, {"B", false, 6}}, 1, 0, -1, "SelectLine(0)", 0},
        LineCase{"LastActiveLineWins",
                 0,
                 {{"A", true, 5}, {"B", true, 6}, {"C", false, 7}},
                 1,
                 0,
                 1,
                 "SelectLine(2)",
                 6},
        LineCase{"ThreeDevices",
                 2,
                 {{"A", false, 5}, {"B", true, 60000}},
                 3,
                 2,
                 1,
                 "SelectLine(2)",
                 60000}),
    [](const auto& info) { return std::string(info.param.what); });

// An error stops the sequence at its step: the handler shows the message and
// no later step runs.
struct FailCase {
    const char* what;
    const char* failAt;
    bool directoryShown; // step 8 ran
    bool levelPrepared;  // step 10 ran
};

class ShowSequenceFailure : public ShowSequence, public ::testing::WithParamInterface<FailCase> {};

TEST_P(ShowSequenceFailure, StopsAtTheFailingStep) {
    const FailCase& c = GetParam();
    log_.failAt = QLatin1String(c.failAt);
    settings_->WriteString("output", "path", "/srv/stored");
    EXPECT_FALSE(Run(1, {{"Mic", true, 100}}));
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_EQ(boxes_.first(), QStringLiteral("%1 failed").arg(c.failAt));
    EXPECT_EQ(log_.calls.last(), QLatin1String(c.failAt)); // nothing after it
    EXPECT_EQ(program_->fm_set->ed_dir->text() == "/srv/stored", c.directoryShown);
    EXPECT_EQ(Main().AudioVisualization21->LineCount() == 17, c.levelPrepared);
    EXPECT_EQ(Main().Display().play_bar.object, nullptr); // the skin was never bound
    EXPECT_TRUE(Main().AudioVisualization21->IsVisible());
    EXPECT_FALSE(program_->fm_list->isVisible());
    EXPECT_FALSE(Main().State().ListWindowShown);
}

INSTANTIATE_TEST_SUITE_P(Steps, ShowSequenceFailure,
                         ::testing::Values(FailCase{"Step3", "AudioFilepaly.SetBoolOption(1)",
                                                    false, false},
                                           FailCase{"Step4", "DeviceName", false, false},
                                           FailCase{"Step5", "LineSelected", false, false},
                                           FailCase{"Step7", "LineVolume", false, false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(ShowSequence, AMissingSkinStopsAfterTheLevelDisplayIsPrepared) {
    const QString missing = dir_.filePath("nowhere/du3vor.dll");
    settings_->WriteString("output", "path", "/srv/stored");
    EXPECT_FALSE(Run(0, {{"Mic", true, 100}}, missing));
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_.first().contains("du3vor.dll")) << boxes_.first().toStdString();
    EXPECT_EQ(program_->fm_set->ed_dir->text(), "/srv/stored"); // step 8
    EXPECT_EQ(Main().AudioVisualization21->LineCount(), 17);    // step 10
    EXPECT_EQ(Main().Display().play_bar.object, nullptr);       // no step 11 binding
    EXPECT_TRUE(Main().AudioVisualization21->IsVisible());      // no step 13
    EXPECT_FALSE(program_->fm_list->isVisible());               // no step 14
    EXPECT_FALSE(Main().State().ListWindowShown);
}

} // namespace
} // namespace varnelo::test
