#pragma once

// Stand-ins for the other windows the engine talks to (the skin's display
// objects, the join list, the main window's host operations) and a stand-in
// for the application-wide error handler. The audio components are real.

#include "audio/AudioEngine.h"
#include "audio/DisplayObjects.h"
#include "audio/EngineHost.h"
#include "audio/EngineState.h"
#include "audio/PlayBarMapping.h"
#include "audio/Playlist.h"
#include "platform/shell/InfoBox.h"
#include "platform/skin/SkinObjects.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <vector>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace varnelo::testing {

// One display object of the skin: records every text, position, state and redraw.
class FakeSkinObject : public ISkinObject,
                       public ISkinSlider,
                       public ISkinElement,
                       public ISkinLabel {
public:
    explicit FakeSkinObject(QString name) : name_(std::move(name)) {}
    QString GetName() const override { return name_; }
    ISkinObject* FindObject(const QString&) override { return nullptr; }
    ISkinSlider* QuerySlider() override { return this; }
    ISkinElement* QueryElement() override { return this; }
    ISkinLabel* QueryLabel() override { return this; }
    int GetPosition() const override { return position; }
    void SetPosition(int value) override {
        position = value;
        positions.push_back(value);
    }
    void SetEnabled(bool value) override { enabled = value; }
    void Redraw() override { ++redraws; }
    void SetText(const QString& value) override {
        text = value;
        texts << value;
    }

    QString text;
    QStringList texts;
    int position = 0;
    std::vector<int> positions;
    bool enabled = false;
    int redraws = 0;

private:
    QString name_;
};

// The main window's display objects, bound to fakes.
struct FakeDisplay {
    FakeDisplay();
    FakeSkinObject s_time{"s_time"}, play_bar{"play_bar"}, s_sizeson{"s_sizeson"},
        s_filename{"s_filename"}, s_mono{"s_mono"};
    DisplayObjects objects;
    bool AllTextsEmpty() const;
};

// The join list as playback sees it.
class FakePlaylist : public IPlaylist {
public:
    int Count() const override { return static_cast<int>(paths.size()); }
    int FirstSelectedIndex() const override { return selected; }
    void SelectItem(int index) override {
        if (selected < 0 || index < selected)
            selected = index;
    }
    QString ItemPath(int index) const override { return paths.at(static_cast<size_t>(index)); }

    std::vector<QString> paths;
    int selected = -1;
};

// The host operations: records what the engine asked for. AddFiles takes
// CurrentFileName only while AddRecordingToList is set, as the join list does.
class FakeHost : public IEngineHost {
public:
    explicit FakeHost(EngineState& state) : state_(state) {}
    void SaveSettingsDialog() override { ++settingsSaved; }
    void AddFilesToJoinList() override;
    void WriteTagsToFile(const QString& path) override;

    int settingsSaved = 0;
    QStringList listed;
    QStringList tagged;
    std::function<void(const QString&)> onWriteTags; // e.g. real tag writing, or a failure

private:
    EngineState& state_;
};

// Captures the information boxes for the lifetime of the object.
class InfoBoxCapture {
public:
    InfoBoxCapture();
    ~InfoBoxCapture();
    QStringList texts;

private:
    InfoBoxHandler previous_;
};

// Everything the engine talks to besides its audio components, for an engine
// fixture to inherit (bases are built before the fixture's own engine member).
struct EngineStandIns {
    EngineState state;
    FakeDisplay display;
    FakePlaylist playlist;
    FakeHost host{state};
    InfoBoxCapture boxes;
    QStringList errors;
};

// What the stand-in for the application-wide handler does with an error.
enum class HandlerBox {
    // The box is closed at once; then a running recording and a running
    // playback are stopped.
    ClosedAtOnce,
    // The box stays open for the rest of the test: the handler stops nothing
    // while the components' events go on arriving, as under a modal box.
    StaysOpen,
};

// Reconnects the recorder's and player's signals to the engine through what
// the application-wide error handler does: an error escaping a handler is
// shown, then a running recording and a running playback are stopped.
void RouteComponentEventsThroughErrorHandler(AudioEngine& engine, EngineState& state,
                                             IAudioRecord2& recorder, IAudioPlayer2& player,
                                             QStringList& errors,
                                             HandlerBox box = HandlerBox::ClosedAtOnce);

// Runs `action` the way the application-wide handler would around a handler.
void RunHandler(AudioEngine& engine, EngineState& state, QStringList& errors,
                const std::function<void()>& action, HandlerBox box = HandlerBox::ClosedAtOnce);

} // namespace varnelo::testing

namespace varnelo {
class IAudioFile2;
}

namespace varnelo::testing {

// Writes `seconds` of a sine of `frequency` Hz as an OGG file (quality mode)
// through the real file component.
void MakeToneOgg(IAudioFile2& writer, const QString& path, double seconds, double frequency,
                 int sampleRate = 44100, int channels = 2);

// The dominant frequency of a file's first channel, from its zero crossings,
// and its length in sample positions, decoded by the real file component.
struct DecodedTone {
    int64_t frames = 0;
    int sampleRate = 0;
    double frequency = 0;
    double peak = 0;
};
DecodedTone DecodeTone(IAudioFile2& reader, const QString& path);

} // namespace varnelo::testing
