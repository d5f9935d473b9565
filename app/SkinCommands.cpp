#include "app/SkinCommands.h"

#include "audio/EngineState.h"

#include <QStringList>
#include <array>

namespace varnelo {

namespace {
using Command = void (*)(EngineState&, SkinCommandTargets&);

struct CommandEntry {
    const char* name;
    Command act;
};

// In the order they are compared; the first match acts.
const std::array<CommandEntry, 17> kCommands{{
    {"vavudizu", [](EngineState&, SkinCommandTargets& t) { t.StartRecording(); }},
    {"pause",
     [](EngineState& s, SkinCommandTargets& t) {
         if (s.RecordingActive)
             t.PauseResumeRecording();
         if (s.PlaybackActive)
             t.PauseResumePlayback();
     }},
    {"stop",
     [](EngineState& s, SkinCommandTargets& t) {
         if (s.RecordingActive)
             t.StopRecording();
         if (s.PlaybackActive)
             t.StopPlayback();
         if (s.ListWindowShown)
             t.FocusJoinList();
     }},
    {"add",
     [](EngineState& s, SkinCommandTargets& t) {
         if (!s.PlaybackActive && !s.JoinActive)
             t.AddFiles();
     }},
    {"play", [](EngineState&, SkinCommandTargets& t) { t.StartPlayback(); }},
    {"list",
     [](EngineState& s, SkinCommandTargets& t) {
         if (s.ListWindowShown) {
             t.CloseJoinList();
             s.ListWindowShown = false;
         } else {
             t.ShowJoinList();
             s.ListWindowShown = true;
         }
     }},
    {"schedule", [](EngineState&, SkinCommandTargets& t) { t.ShowScheduleDialog(); }},
    {"scource", [](EngineState&, SkinCommandTargets& t) { t.ShowSourceDialog(); }},
    {"set",
     [](EngineState& s, SkinCommandTargets& t) {
         if (!s.PlaybackActive && !s.RecordingActive && s.PlaybackNotPaused && s.RecordingNotPaused)
             t.ShowSettingsDialog();
     }},
    {"tag",
     [](EngineState& s, SkinCommandTargets& t) {
         if (!s.PlaybackActive && !s.JoinActive)
             t.ShowTagEditor();
     }},
    {"list_add", [](EngineState&, SkinCommandTargets& t) { t.AddFiles(); }},
    {"del", [](EngineState&, SkinCommandTargets& t) { t.RemoveSelected(); }},
    {"up", [](EngineState&, SkinCommandTargets& t) { t.MoveSelectedUp(); }},
    {"down", [](EngineState&, SkinCommandTargets& t) { t.MoveSelectedDown(); }},
    {"join", [](EngineState&, SkinCommandTargets& t) { t.JoinFiles(); }},
    // The running join sees the cleared flag at its next check and stops.
    {"stopj", [](EngineState& s, SkinCommandTargets&) { s.JoinActive = false; }},
    {"help", [](EngineState&, SkinCommandTargets& t) { t.OpenHelp(); }},
}};

// Presses on these mark SkinControlPressed ("list_add" and "stopj" do not).
const QStringList& PressMarkingNames() {
    static const QStringList names{
        QStringLiteral("vavudizu"), QStringLiteral("pause"),    QStringLiteral("stop"),
        QStringLiteral("add"),      QStringLiteral("play"),     QStringLiteral("list"),
        QStringLiteral("schedule"), QStringLiteral("scource"),  QStringLiteral("set"),
        QStringLiteral("tag"),      QStringLiteral("play_bar"), QStringLiteral("help"),
        QStringLiteral("min"),      QStringLiteral("close"),    QStringLiteral("del"),
        QStringLiteral("up"),       QStringLiteral("down"),     QStringLiteral("bar"),
        QStringLiteral("join")};
    return names;
}
} // namespace

void DispatchSkinClick(const QString& name, EngineState& state, SkinCommandTargets& targets) {
    for (const CommandEntry& entry : kCommands) {
        if (name == QLatin1String(entry.name)) {
            entry.act(state, targets);
            return;
        }
    }
}

void MarkSkinPress(const QString& name, EngineState& state) {
    if (!PressMarkingNames().contains(name, Qt::CaseSensitive))
        return;
    state.SkinControlPressed = true;
    if (name == QLatin1String("play_bar"))
        state.PlayBarTracking = false;
}

void HandleSkinRelease(const QString& name, const EngineState& state, SkinCommandTargets& targets) {
    if (name == QLatin1String("play_bar") && (state.PlaybackActive || !state.PlaybackNotPaused))
        targets.SeekPlayback();
}

} // namespace varnelo
