// The real program's windows on the simulated sound server: commands from
// skin objects, dialog placement, dragging with the mouse, the error handler,
// and closing the main window during a recording.
#include "app/Program.h"
#include "app/Tfm_main.h"
#include "joiner/Tfm_list.h"
#include "platform/audio/factory/AudioComponents.h"
#include "platform/shell/DesktopShell.h"
#include "platform/shell/InfoBox.h"
#include "schedule/Tfm_sche.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_dir.h"
#include "settings/Tfm_set.h"
#include "tags/Tfm_id3.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace varnelo::test {
namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VARNELO_SOUND_SERVER", "simulated");
        ASSERT_TRUE(dir_.isValid());
        settings_ = std::make_unique<SettingsFile>(dir_.filePath("Varn.ini"));
        settings_->WriteString("output", "path", dir_.filePath("out"));
        previousBox_ = SetInfoBoxHandler([this](QWidget*, const QString& text) { boxes_ << text; });
        previousOpener_ = SetDesktopOpener([this](const QUrl& url) { opened_ << url; });
        program_ = std::make_unique<Program>(*settings_, AudioComponentSet::CreateDefault(),
                                             QStringLiteral(VARNELO_BIN_DIR "/du3vor.dll"));
        QSignalSpy ended(&Main(), &Tfm_main::ShowSequenceEnded);
        Main().show();
        ASSERT_TRUE(ended.wait(10000));
        ASSERT_TRUE(ended.first().first().toBool()) << boxes_.join('\n').toStdString();
    }
    void TearDown() override {
        program_.reset();
        SetDesktopOpener(previousOpener_);
        SetInfoBoxHandler(previousBox_);
    }

    Tfm_main& Main() { return *program_->fm_main; }
    EngineState& State() { return Main().State(); }

    void Click(const char* name, QWidget* window = nullptr) {
        ISkinObject* form = Main().Skin1.GetSkinObject(window ? window : &Main());
        ISkinObject* object = form->FindObject(QLatin1String(name));
        ASSERT_NE(object, nullptr) << name;
        Main().Skin1Click(object);
    }

    // Records until the recorder has delivered `blocks` blocks.
    void RecordBlocks(int blocks) {
        QSignalSpy delivered(Main().AudioRecord1.get(), &IAudioRecord2::OnEndArrayRecord);
        Click("vavudizu");
        ASSERT_TRUE(State().RecordingActive) << boxes_.join('\n').toStdString();
        while (delivered.size() < blocks)
            ASSERT_TRUE(delivered.wait(5000));
    }

    // The skin's surface over the whole main window: the mouse arrives there
    // and it hands every event on to the window.
    QWidget* Surface() {
        QWidget* surface = Main().childAt(5, 5);
        EXPECT_NE(surface, nullptr);
        return surface;
    }

    // A finished output file that the file component reads back in full.
    void ExpectReadableRecording(const QString& path) {
        ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
        auto reader = CreateAudioFile();
        reader->OpenFile(path);
        EXPECT_GT(reader->Length(), 0);
        SampleArray block = reader->ReadArray(4096);
        EXPECT_FALSE(block.empty());
        reader->CloseFile();
    }

    QTemporaryDir dir_;
    std::unique_ptr<SettingsFile> settings_;
    std::unique_ptr<Program> program_;
    QStringList boxes_;
    QList<QUrl> opened_;
    InfoBoxHandler previousBox_;
    DesktopOpener previousOpener_;
};

TEST_F(MainWindow, IsAFixedSkinnedWindowWithTheDialogsBehindIt) {
    EXPECT_EQ(Main().windowTitle(), "Varnelo");
    EXPECT_EQ(Main().size(), QSize(Tfm_main::kClientWidth, Tfm_main::kClientHeight));
    EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
    EXPECT_TRUE(Main().isWindow());
    const std::pair<QWidget*, const char*> windows[] = {
        {program_->fm_sche.get(), "Schedule Settings"},
        {program_->fm_dev.get(), "Recording Source"},
        {program_->fm_id3.get(), "ID3 info"},
        {program_->fm_set.get(), "Settings"},
        {program_->fm_dir.get(), "Output Directory"},
        {program_->fm_list.get(), "List"}};
    for (const auto& [window, caption] : windows) {
        EXPECT_TRUE(window->isWindow()) << caption;
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_EQ(window->isVisible(), window == program_->fm_list.get()) << caption;
    }
}

TEST_F(MainWindow, EveryDialogWearsTheDialogLook) {
    const QString look = program_->fm_set->styleSheet();
    ASSERT_FALSE(look.isEmpty());
    const std::pair<QWidget*, const char*> dialogs[] = {{program_->fm_sche.get(), "fm_sche"},
                                                        {program_->fm_dev.get(), "fm_dev"},
                                                        {program_->fm_id3.get(), "fm_id3"},
                                                        {program_->fm_dir.get(), "fm_dir"}};
    for (const auto& [dialog, name] : dialogs)
        EXPECT_EQ(dialog->styleSheet(), look) << name;
}

// The join list sits in the skin's dark well: dark rows and header, light
// text, the display's cyan for the selection.
// The list keeps its silver rows inside the skin's dark well; its header and
// selection take the skin's graphite and cyan.
TEST_F(MainWindow, JoinListViewHasSilverRowsInTheSkinsColours) {
    QTreeWidget* lv = program_->fm_list->lv;
    ASSERT_TRUE(lv->isVisible());
    const QPalette look = lv->palette();
    EXPECT_EQ(look.color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_LT(look.color(QPalette::Text).lightness(), 60);
    EXPECT_EQ(look.color(QPalette::Highlight), QColor(0x1a, 0xa9, 0xd6));
    // As drawn: the empty rows and the header.
    const QImage rows = lv->viewport()->grab().toImage();
    EXPECT_EQ(rows.pixelColor(rows.width() / 2, rows.height() - 4), QColor(192, 192, 192));
    const QImage header = lv->header()->grab().toImage();
    EXPECT_LT(header.pixelColor(header.width() / 4, header.height() / 2).lightness(), 80);
}

TEST_F(MainWindow, ListCommandTogglesTheListWindow) {
    Tfm_list& list = *program_->fm_list;
    Click("list");
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(State().ListWindowShown);
    Main().move(Main().pos() + QPoint(40, 20));
    Click("list");
    EXPECT_TRUE(list.isVisible());
    EXPECT_TRUE(State().ListWindowShown);
    EXPECT_EQ(list.geometry().top(), Main().geometry().top() + Main().height());
}

// Each dialog command opens its dialog modally at its offset from the main
// window, wherever the dialog was before.
struct DialogCase {
    const char* command;
    int dx;
};

class DialogPlacement : public MainWindow, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogPlacement, OpensModallyOverTheMainWindow) {
    const DialogCase& c = GetParam();
    const std::map<std::string, QDialog*> dialogs{{"schedule", program_->fm_sche.get()},
                                                  {"scource", program_->fm_dev.get()},
                                                  {"set", program_->fm_set.get()},
                                                  {"tag", program_->fm_id3.get()}};
    QDialog* dialog = dialogs.at(c.command);
    dialog->move(5, 5);
    program_->fm_dev->dev_bt_help->setEnabled(false);
    QPoint shownAt;
    bool modal = false;
    bool helpEnabled = false;
    // Runs inside the dialog's own loop: look, then close it.
    QTimer::singleShot(0, dialog, [&] {
        shownAt = dialog->pos();
        modal = dialog->isModal() && dialog->isVisible();
        helpEnabled = program_->fm_dev->dev_bt_help->isEnabled();
        dialog->reject();
    });
    Click(c.command);
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownAt, Main().pos() + QPoint(c.dx, 0));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(helpEnabled, std::string(c.command) == "scource");
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Commands, DialogPlacement,
                         ::testing::Values(DialogCase{"schedule", 27}, DialogCase{"scource", 114},
                                           DialogCase{"set", 27}, DialogCase{"tag", 27}),
                         [](const auto& info) { return std::string(info.param.command); });

TEST_F(MainWindow, SourceDialogLeftOpenByTheSettingsDialogStillOpensModally) {
    Tfm_dev& dev = *program_->fm_dev;
    dev.show(); // as the settings dialog leaves it
    bool modal = false;
    QTimer::singleShot(0, &dev, [&] {
        modal = dev.isModal() && dev.isVisible();
        dev.reject();
    });
    Click("scource");
    EXPECT_TRUE(modal);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

TEST_F(MainWindow, HelpOpensTheGuideBesideTheExecutable) {
    Click("help");
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_TRUE(opened_.first().isLocalFile());
    EXPECT_EQ(opened_.first().toLocalFile(),
              QCoreApplication::applicationDirPath() + "/help/varnguide.html");
}

// Positions are client areas, as the docking rules measure them.
TEST_F(MainWindow, DraggingTheBackgroundMovesTheDockedPair) {
    Tfm_list& list = *program_->fm_list;
    const QPoint mainBefore = Main().geometry().topLeft();
    const QPoint listBefore = list.geometry().topLeft();
    ASSERT_EQ(listBefore.y(), mainBefore.y() + Main().height());
    const QPoint background(375, 50); // no object there
    QTest::mousePress(Surface(), Qt::LeftButton, {}, background);
    EXPECT_FALSE(State().MainDragIdle);
    QTest::mouseMove(Surface(), background + QPoint(20, 30));
    EXPECT_EQ(Main().geometry().topLeft(), mainBefore + QPoint(20, 30));
    EXPECT_EQ(list.geometry().topLeft(), listBefore + QPoint(20, 30));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, background + QPoint(20, 30));
    EXPECT_TRUE(State().MainDragIdle);
}

// Dragging a window by its title bar ("bar") follows the rules of a
// background drag of that window; a list window docked at the start of the
// drag is held docked (it slides) until it tears away. The pointer's
// positions are screen offsets from the press point; the events reach the
// skin's surface as the window system would send them, in the coordinates of
// the window where it is at that moment.
struct BarDragCase {
    const char* title;
    bool listWindow; // the list window's bar is dragged, else the main window's
    int listGap;     // the list window's top less the main window's bottom at the start
    std::vector<QPoint> pointer;
    QPoint mainMoved;
    QPoint listMoved;
};

class BarDrag : public MainWindow, public ::testing::WithParamInterface<BarDragCase> {
protected:
    static void Send(QWidget& surface, QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        const QPointF local = surface.mapFromGlobal(QPointF(global));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, local, QPointF(global), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &event);
    }
};

TEST_P(BarDrag, MovesTheWindowsAsABackgroundDragWould) {
    const BarDragCase& c = GetParam();
    Tfm_list& list = *program_->fm_list;
    const QRect main = Main().geometry();
    list.setGeometry(
        QRect(QPoint(list.geometry().left(), main.top() + main.height() + c.listGap), list.size()));
    const QPoint mainBefore = Main().geometry().topLeft();
    const QPoint listBefore = list.geometry().topLeft();
    QWidget& window = c.listWindow ? static_cast<QWidget&>(list) : Main();
    const QPoint onBar(100, 12); // on "bar", clear of every other object
    QWidget* surface = window.childAt(onBar);
    ASSERT_NE(surface, nullptr);
    const QPoint press = surface->mapToGlobal(onBar);
    Send(*surface, QEvent::MouseButtonPress, press, Qt::LeftButton);
    EXPECT_TRUE(State().SkinControlPressed); // a marked press: no background drag
    for (QPoint offset : c.pointer)
        Send(*surface, QEvent::MouseMove, press + offset, Qt::LeftButton);
    Send(*surface, QEvent::MouseButtonRelease, press + c.pointer.back(), Qt::NoButton);
    EXPECT_EQ(Main().geometry().topLeft() - mainBefore, c.mainMoved);
    EXPECT_EQ(list.geometry().topLeft() - listBefore, c.listMoved);
    EXPECT_FALSE(State().SkinControlPressed);
    EXPECT_TRUE(c.listWindow ? State().ListDragIdle : State().MainDragIdle);
}

INSTANTIATE_TEST_SUITE_P(
    TitleBar, BarDrag,
    ::testing::Values(
        BarDragCase{
            "MainTakesTheDockedListAlong", false, 0, {{20, 30}, {15, 34}}, {15, 34}, {15, 34}},
        BarDragCase{"MainMovesAloneAwayFromTheList", false, 100, {{20, 30}}, {20, 30}, {0, 0}},
        // Snaps down onto the list first; then the pair moves as one.
        BarDragCase{"MainSnapsOntoTheListThenTakesItAlong",
                    false,
                    3,
                    {{10, 0}, {20, 0}},
                    {20, 0},
                    {20, -3}},
        BarDragCase{"DockedListSlidesAlongTheMainWindow", true, 0, {{25, 2}}, {0, 0}, {25, 0}},
        BarDragCase{"DockedListTearsAway", true, 0, {{4, 20}}, {0, 0}, {4, 20}},
        BarDragCase{"ListSnapsOntoTheMainWindow", true, 40, {{5, -37}, {5, -38}}, {0, 0}, {5, -40}},
        BarDragCase{"FreeListMovesFreely", true, 60, {{-30, 20}}, {0, 0}, {-30, 20}}),
    [](const ::testing::TestParamInfo<BarDragCase>& info) {
        return std::string(info.param.title);
    });

TEST_F(MainWindow, PressingACommandObjectArmsNoDrag) {
    const QPoint before = Main().geometry().topLeft();
    const QPoint onPlay(150, 190); // the "play" button
    QTest::mousePress(Surface(), Qt::LeftButton, {}, onPlay);
    EXPECT_TRUE(State().SkinControlPressed);
    EXPECT_TRUE(State().MainDragIdle);
    QTest::mouseMove(Surface(), onPlay + QPoint(0, 40));
    EXPECT_EQ(Main().geometry().topLeft(), before);
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, onPlay + QPoint(0, 40));
    EXPECT_FALSE(State().SkinControlPressed);
}

TEST_F(MainWindow, ErrorHandlerShowsTheMessageThenStopsTheRecording) {
    RecordBlocks(2);
    Main().ApplicationEvents1Exception("The disk is on fire");
    ASSERT_FALSE(boxes_.isEmpty());
    EXPECT_EQ(boxes_.first(), "The disk is on fire");
    EXPECT_FALSE(State().RecordingActive);
    ExpectReadableRecording(State().CurrentFileName);
}

TEST_F(MainWindow, ErrorHandlerWhileIdleOnlyShowsTheMessage) {
    Main().ApplicationEvents1Exception("Nothing runs");
    EXPECT_EQ(boxes_, QStringList{"Nothing runs"});
    EXPECT_FALSE(State().RecordingActive);
    EXPECT_FALSE(State().PlaybackActive);
    EXPECT_TRUE(State().CurrentFileName.isEmpty());
}

TEST_F(MainWindow, ClosingDuringARecordingFinishesTheFile) {
    RecordBlocks(3);
    const QString path = State().CurrentFileName;
    QSignalSpy closed(&Main(), &Tfm_main::MainFormClosed);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(State().RecordingActive);
    ExpectReadableRecording(path);
    // The finished recording went into the join list, as a stop does.
    ASSERT_EQ(program_->fm_list->Count(), 1);
    EXPECT_EQ(program_->fm_list->ItemPath(0), path);
}

TEST_F(MainWindow, ClosingEndsARunningJoin) {
    State().JoinActive = true;
    EXPECT_TRUE(Main().close());
    EXPECT_FALSE(State().JoinActive);
}

} // namespace
} // namespace varnelo::test
