// The skin's click dispatch, press marking and seek on release, as tables of
// object names, engine states and the calls they make.
#include "app/SkinCommands.h"
#include "audio/EngineState.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

class RecordingTargets : public SkinCommandTargets {
public:
    QStringList calls;
    void StartRecording() override { calls << "StartRecording"; }
    void StopRecording() override { calls << "StopRecording"; }
    void PauseResumeRecording() override { calls << "PauseResumeRecording"; }
    void StartPlayback() override { calls << "StartPlayback"; }
    void StopPlayback() override { calls << "StopPlayback"; }
    void PauseResumePlayback() override { calls << "PauseResumePlayback"; }
    void SeekPlayback() override { calls << "SeekPlayback"; }
    void AddFiles() override { calls << "AddFiles"; }
    void RemoveSelected() override { calls << "RemoveSelected"; }
    void MoveSelectedUp() override { calls << "MoveSelectedUp"; }
    void MoveSelectedDown() override { calls << "MoveSelectedDown"; }
    void JoinFiles() override { calls << "JoinFiles"; }
    void FocusJoinList() override { calls << "FocusJoinList"; }
    void ShowJoinList() override { calls << "ShowJoinList"; }
    void CloseJoinList() override { calls << "CloseJoinList"; }
    void ShowScheduleDialog() override { calls << "ShowScheduleDialog"; }
    void ShowSourceDialog() override { calls << "ShowSourceDialog"; }
    void ShowSettingsDialog() override { calls << "ShowSettingsDialog"; }
    void ShowTagEditor() override { calls << "ShowTagEditor"; }
    void OpenHelp() override { calls << "OpenHelp"; }
};

using StateSetup = std::function<void(EngineState&)>;
const StateSetup kIdle = [](EngineState&) {};
const StateSetup kRecording = [](EngineState& s) { s.RecordingActive = true; };
const StateSetup kRecordingPaused = [](EngineState& s) {
    s.RecordingActive = true;
    s.RecordingNotPaused = false;
};
const StateSetup kPlaying = [](EngineState& s) { s.PlaybackActive = true; };
const StateSetup kPlaybackPaused = [](EngineState& s) {
    s.PlaybackActive = true;
    s.PlaybackNotPaused = false;
};
const StateSetup kBoth = [](EngineState& s) {
    s.RecordingActive = true;
    s.PlaybackActive = true;
};
const StateSetup kJoining = [](EngineState& s) { s.JoinActive = true; };
const StateSetup kListShown = [](EngineState& s) { s.ListWindowShown = true; };
// Stale pause flags with nothing active (a paused state left behind).
const StateSetup kOnlyPausedFlag = [](EngineState& s) { s.PlaybackNotPaused = false; };

struct ClickCase {
    const char* what;
    const char* name;
    StateSetup setup;
    QStringList calls;
};

class SkinClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SkinClick, CallsWhatTheNameAndStateAskFor) {
    const ClickCase& c = GetParam();
    EngineState state;
    c.setup(state);
    RecordingTargets targets;
    DispatchSkinClick(QString::fromUtf8(c.name), state, targets);
    EXPECT_EQ(targets.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SkinClick,
    ::testing::Values(
        ClickCase{"Record", "vavudizu", kIdle, {"StartRecording"}},
        ClickCase{"RecordWhilePlaying", "vavudizu", kPlaying, {"StartRecording"}},
        ClickCase{"PauseIdle", "pause", kIdle, {}},
        ClickCase{"PauseRecording", "pause", kRecording, {"PauseResumeRecording"}},
        ClickCase{"PausePlayback", "pause", kPlaying, {"PauseResumePlayback"}},
        ClickCase{"PauseBoth", "pause", kBoth, {"PauseResumeRecording", "PauseResumePlayback"}},
        ClickCase{"StopIdleListHidden", "stop", kIdle, {}},
        ClickCase{"StopIdleFocusesList", "stop", kListShown, {"FocusJoinList"}},
        ClickCase{"StopRecording", "stop", kRecording, {"StopRecording"}},
        ClickCase{"StopBoth",
                  "stop",
                  [](EngineState& s) {
                      kBoth(s);
                      s.ListWindowShown = true;
                  },
                  {"StopRecording", "StopPlayback", "FocusJoinList"}},
        ClickCase{"AddIdle", "add", kIdle, {"AddFiles"}},
        ClickCase{"AddWhileRecording", "add", kRecording, {"AddFiles"}},
        ClickCase{"AddRefusedWhilePlaying", "add", kPlaying, {}},
        ClickCase{"AddRefusedWhileJoining", "add", kJoining, {}},
        ClickCase{"Play", "play", kIdle, {"StartPlayback"}},
        ClickCase{"PlayWhileRecording", "play", kRecording, {"StartPlayback"}},
        ClickCase{"ListShows", "list", kIdle, {"ShowJoinList"}},
        ClickCase{"ListCloses", "list", kListShown, {"CloseJoinList"}},
        ClickCase{"Schedule", "schedule", kRecording, {"ShowScheduleDialog"}},
        ClickCase{"Source", "scource", kPlaying, {"ShowSourceDialog"}},
        ClickCase{"SetIdle", "set", kIdle, {"ShowSettingsDialog"}},
        ClickCase{"SetRefusedRecording", "set", kRecording, {}},
        ClickCase{"SetRefusedRecordingPaused", "set", kRecordingPaused, {}},
        ClickCase{"SetRefusedPlaying", "set", kPlaying, {}},
        ClickCase{"SetRefusedPlaybackPaused", "set", kPlaybackPaused, {}},
        ClickCase{"SetRefusedStalePauseFlag", "set", kOnlyPausedFlag, {}},
        ClickCase{"SetWhileJoining", "set", kJoining, {"ShowSettingsDialog"}},
        ClickCase{"TagIdle", "tag", kIdle, {"ShowTagEditor"}},
        ClickCase{"TagWhileRecording", "tag", kRecording, {"ShowTagEditor"}},
        ClickCase{"TagRefusedPlaying", "tag", kPlaying, {}},
        ClickCase{"TagRefusedJoining", "tag", kJoining, {}},
        // The list window's objects act whatever runs.
        ClickCase{"ListAdd", "list_add", kPlaying, {"AddFiles"}},
        ClickCase{"ListAddWhileJoining", "list_add", kJoining, {"AddFiles"}},
        ClickCase{"Delete", "del", kJoining, {"RemoveSelected"}},
        ClickCase{"Up", "up", kIdle, {"MoveSelectedUp"}},
        ClickCase{"Down", "down", kIdle, {"MoveSelectedDown"}},
        ClickCase{"Join", "join", kRecording, {"JoinFiles"}},
        ClickCase{"Help", "help", kIdle, {"OpenHelp"}},
        // Names that differ only in case, and objects that are no command.
        ClickCase{"UpperRecord", "Vavudizu", kIdle, {}},
        ClickCase{"UpperStop", "STOP", kRecording, {}},
        ClickCase{"MixedListAdd", "List_add", kIdle, {}}, ClickCase{"MixedHelp", "Help", kIdle, {}},
        ClickCase{"MixedJoin", "joiN", kIdle, {}}, ClickCase{"TrailingSpace", "play ", kIdle, {}},
        ClickCase{"Min", "min", kIdle, {}}, ClickCase{"Close", "close", kIdle, {}},
        ClickCase{"Bar", "bar", kIdle, {}}, ClickCase{"PlayBar", "play_bar", kPlaying, {}},
        ClickCase{"Label", "s_time", kIdle, {}}, ClickCase{"ListForm", "listwin", kIdle, {}},
        ClickCase{"Empty", "", kIdle, {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(SkinClickState, ListTogglesTheShownFlag) {
    EngineState state;
    RecordingTargets targets;
    DispatchSkinClick("list", state, targets);
    EXPECT_TRUE(state.ListWindowShown);
    DispatchSkinClick("list", state, targets);
    EXPECT_FALSE(state.ListWindowShown);
    EXPECT_EQ(targets.calls, (QStringList{"ShowJoinList", "CloseJoinList"}));
}

TEST(SkinClickState, StopJoinClearsJoinActiveOnly) {
    for (const char* name : {"stopj", "StopJ", "stop_j"}) {
        EngineState state;
        state.JoinActive = true;
        state.RecordingActive = true;
        RecordingTargets targets;
        DispatchSkinClick(name, state, targets);
        EXPECT_EQ(state.JoinActive, QByteArray(name) != "stopj") << name;
        EXPECT_TRUE(state.RecordingActive);
        EXPECT_TRUE(targets.calls.isEmpty()) << name;
    }
}

struct PressCase {
    const char* name;
    bool marks;
};

class SkinPress : public ::testing::TestWithParam<PressCase> {};

TEST_P(SkinPress, MarksCommandObjectsOnly) {
    const PressCase& c = GetParam();
    EngineState state;
    MarkSkinPress(QString::fromUtf8(c.name), state);
    EXPECT_EQ(state.SkinControlPressed, c.marks);
    EXPECT_EQ(state.PlayBarTracking, QByteArray(c.name) != "play_bar");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SkinPress,
    ::testing::Values(PressCase{"vavudizu", true}, PressCase{"pause", true},
                      PressCase{"stop", true}, PressCase{"add", true}, PressCase{"play", true},
                      PressCase{"list", true}, PressCase{"schedule", true},
                      PressCase{"scource", true}, PressCase{"set", true}, PressCase{"tag", true},
                      PressCase{"play_bar", true}, PressCase{"help", true}, PressCase{"min", true},
                      PressCase{"close", true}, PressCase{"del", true}, PressCase{"up", true},
                      PressCase{"down", true}, PressCase{"bar", true}, PressCase{"join", true},
                      // not marked: list_add and stopj, labels, other cases
                      PressCase{"list_add", false}, PressCase{"stopj", false},
                      PressCase{"s_time", false}, PressCase{"Play_bar", false},
                      PressCase{"PLAY", false}, PressCase{"ve3zod", false}, PressCase{"", false}),
    [](const auto& info) {
        const std::string name = info.param.name;
        return name.empty() ? std::string("Empty") : name + "_" + std::to_string(info.index);
    });

struct ReleaseCase {
    const char* what;
    const char* name;
    StateSetup setup;
    bool seeks;
};

class SkinRelease : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(SkinRelease, SeeksOnlyOnThePlayBarDuringPlayback) {
    const ReleaseCase& c = GetParam();
    EngineState state;
    c.setup(state);
    RecordingTargets targets;
    HandleSkinRelease(QString::fromUtf8(c.name), state, targets);
    EXPECT_EQ(targets.calls, c.seeks ? QStringList{"SeekPlayback"} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Table, SkinRelease,
                         ::testing::Values(ReleaseCase{"Playing", "play_bar", kPlaying, true},
                                           ReleaseCase{"Paused", "play_bar", kPlaybackPaused, true},
                                           ReleaseCase{"OnlyPausedFlag", "play_bar",
                                                       kOnlyPausedFlag, true},
                                           ReleaseCase{"Idle", "play_bar", kIdle, false},
                                           ReleaseCase{"Recording", "play_bar", kRecording, false},
                                           ReleaseCase{"OtherObject", "play", kPlaying, false},
                                           ReleaseCase{"OtherCase", "Play_Bar", kPlaying, false}),
                         [](const auto& info) { return std::string(info.param.what); });

// A press on the play bar then a release elsewhere leaves it not following.
TEST(SkinPressRelease, PlayBarPressReleasedElsewhereStopsTracking) {
    EngineState state;
    state.PlaybackActive = true;
    RecordingTargets targets;
    MarkSkinPress("play_bar", state);
    HandleSkinRelease("s_time", state, targets);
    EXPECT_FALSE(state.PlayBarTracking);
    EXPECT_TRUE(targets.calls.isEmpty());
}

} // namespace
} // namespace varnelo
