#include "joiner/Tfm_list.h"

#include "TestAudioFiles.h"
#include "audio/EngineState.h"
#include "platform/audio/file/TAudioFile2.h"
#include "platform/shell/InfoBox.h"
#include "platform/skin/TSkin.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace varnelo {
namespace {

using Selection = std::set<int>;

class JoinListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousBox =
            SetInfoBoxHandler([this](QWidget*, const QString& text) { messages << text; });
        skin.LoadSkin(QStringLiteral(VARNELO_BIN_DIR "/du3vor.dll"));
        main.setGeometry(100, 80, 400, 150);
        list = std::make_unique<Tfm_list>(state, reader, skin, &main);
        list->SetFileChooser([this]() -> std::optional<QStringList> {
            ++dialogRuns;
            return chosen;
        });
    }
    void TearDown() override {
        list.reset();
        SetInfoBoxHandler(previousBox);
    }

    // A mono 48 kHz WAV of exactly `ms` milliseconds.
    QString Wav(const QString& name, int64_t ms) {
        const QString path = dir.filePath(name);
        testing::MakeWav(path, 48000, 1, 48 * ms);
        return path;
    }
    void Add(const QStringList& paths) {
        chosen = paths;
        list->AddFiles();
    }
    // Items a, b, c, d of 1, 2, 3 and 4 seconds.
    void AddFour() {
        Add({Wav("a.wav", 1000), Wav("b.wav", 2000), Wav("c.wav", 3000), Wav("d.wav", 4000)});
        ASSERT_EQ(list->Count(), 4);
    }
    QString Names() const {
        QString names;
        for (int i = 0; i < list->Count(); ++i)
            names += list->ItemCaption(i).left(1);
        return names;
    }
    Selection Selected() const {
        Selection selected;
        for (int i = 0; i < list->Count(); ++i)
            if (list->lv->topLevelItem(i)->isSelected())
                selected.insert(i);
        return selected;
    }
    void Select(const Selection& indices) {
        list->lv->clearSelection();
        for (int i : indices)
            list->lv->topLevelItem(i)->setSelected(true);
    }
    // Every item's columns still belong together: caption, time, length, path.
    void ExpectItemsConsistent() const {
        for (int i = 0; i < list->Count(); ++i) {
            const QTreeWidgetItem* item = list->lv->topLevelItem(i);
            const int seconds = item->text(0).at(0).unicode() - 'a' + 1;
            EXPECT_EQ(item->text(1), QStringLiteral("00:00:0%1").arg(seconds)) << i;
            EXPECT_EQ(list->ItemLength(i), 48000LL * seconds) << i;
            EXPECT_EQ(list->ItemPath(i), dir.filePath(item->text(0))) << i;
        }
    }
    void ShowList() {
        main.show();
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    }
    QPoint EmptySpace() const {
        const QWidget* viewport = list->lv->viewport();
        return {10, viewport->height() - 3};
    }

    QTemporaryDir dir;
    InfoBoxHandler previousBox;
    QStringList messages;
    EngineState state;
    TAudioFile2 reader;
    TSkin skin;
    QWidget main;
    std::unique_ptr<Tfm_list> list;
    std::optional<QStringList> chosen;
    int dialogRuns = 0;
};

TEST_F(JoinListTest, WindowAndListViewLayout) {
    EXPECT_EQ(list->windowTitle(), QStringLiteral("List"));
    QTreeWidget* lv = list->lv;
    EXPECT_EQ(lv->geometry(), QRect(35, 34, 427, 122));
    EXPECT_EQ(lv->headerItem()->text(0), QStringLiteral("File Name:"));
    EXPECT_EQ(lv->headerItem()->text(1), QStringLiteral("Time:"));
    EXPECT_EQ(lv->columnWidth(0), 336);
    EXPECT_EQ(lv->columnWidth(1), 91);
    EXPECT_TRUE(lv->isColumnHidden(2));
    EXPECT_TRUE(lv->isColumnHidden(3));
    EXPECT_FALSE(lv->header()->sectionsClickable());
    EXPECT_EQ(lv->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(lv->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(lv->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(lv->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(lv->palette().color(QPalette::Base), QColor(192, 192, 192));

    const QStringList filters = list->OpenDialog1->nameFilters();
    ASSERT_EQ(filters.size(), 6);
    EXPECT_EQ(filters[0], QStringLiteral("All Supported Files (*.mp3 *.wav *.wma *.ogg)"));
    EXPECT_TRUE(filters[5].endsWith(QStringLiteral("(*.raw)")));
    EXPECT_EQ(list->OpenDialog1->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(list->OpenDialog1->testOption(QFileDialog::DontUseNativeDialog));
}

TEST_F(JoinListTest, ShowPlacesUnderMainWindowAndCloseKeepsItems) {
    Add({Wav("a.wav", 1000)});
    ShowList();
    EXPECT_TRUE(state.ListWindowShown);
    EXPECT_EQ(list->size(), QSize(580, 246));
    EXPECT_EQ(list->geometry().topLeft(), QPoint(100, 80 + 150));
    // The list view lies over the skin surface.
    EXPECT_EQ(list->childAt(QPoint(40, 100)) == list->lv->viewport() ||
                  list->lv->isAncestorOf(list->childAt(QPoint(40, 100))),
              true);

    list->close();
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(state.ListWindowShown);
    EXPECT_EQ(list->Count(), 1);

    main.setGeometry(300, 50, 400, 120);
    list->show();
    EXPECT_TRUE(state.ListWindowShown);
    EXPECT_EQ(list->geometry().topLeft(), QPoint(300, 50 + 120));
    EXPECT_EQ(list->Count(), 1);
}

TEST_F(JoinListTest, ItemHoldsNameDurationLengthAndPath) {
    QString ogg = dir.filePath("tone.ogg");
    {
        TAudioFile2 writer;
        testing::MakeOgg(writer, ogg, 3.5);
    }
    Add({Wav("short.wav", 1999), ogg});
    ASSERT_EQ(list->Count(), 2);
    const QTreeWidgetItem* wav = list->lv->topLevelItem(0);
    EXPECT_EQ(wav->text(0), QStringLiteral("short.wav"));
    EXPECT_EQ(wav->text(1), QStringLiteral("00:00:01")); // 1999 ms is truncated
    EXPECT_EQ(wav->text(2), QStringLiteral("95952"));
    EXPECT_EQ(wav->text(3), dir.filePath("short.wav"));
    const QTreeWidgetItem* vorbis = list->lv->topLevelItem(1);
    EXPECT_EQ(vorbis->text(0), QStringLiteral("tone.ogg"));
    EXPECT_EQ(vorbis->text(1), QStringLiteral("00:00:03"));
    EXPECT_NEAR(vorbis->text(2).toLongLong(), 3.5 * 44100, 44100 * 0.05);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(reader.IsOpen()); // measured files are closed at once
}

TEST_F(JoinListTest, AddingThreeToTwoSelectsTheFirstNewItemOnly) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000)});
    Select({0, 1});
    Add({Wav("c.wav", 3000), Wav("d.wav", 4000), Wav("e.wav", 5000)});
    EXPECT_EQ(list->Count(), 5);
    EXPECT_EQ(Selected(), Selection{2});
    EXPECT_EQ(list->FirstSelectedIndex(), 2);
}

TEST_F(JoinListTest, CancelledDialogAddsNothing) {
    Add({Wav("a.wav", 1000)});
    chosen.reset();
    list->AddFiles();
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(list->Count(), 1);
}

TEST_F(JoinListTest, UnreadableAndDeletedFilesAreReportedAndTheRestAdded) {
    Add({Wav("a.wav", 1000)});
    const QString garbage = dir.filePath("noise.wav");
    testing::MakeGarbage(garbage);
    const QString deleted = Wav("gone.wav", 1000);
    ASSERT_TRUE(QFile::remove(deleted));

    Add({garbage, Wav("b.wav", 2000), deleted, Wav("c.wav", 3000)});
    EXPECT_EQ(messages,
              (QStringList{QStringLiteral("Read ") + garbage + QStringLiteral(" error!!"),
                           QStringLiteral("Read ") + deleted + QStringLiteral(" error!!")}));
    EXPECT_EQ(Names(), QStringLiteral("abc"));
    // F was 1: the first file failed, so the first item added sits there.
    EXPECT_EQ(Selected(), Selection{1});
    EXPECT_FALSE(reader.IsOpen());
    ExpectItemsConsistent();
}

TEST_F(JoinListTest, FinishedRecordingIsAddedSelectedWithoutFocusWhileHidden) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000)});
    Select({0});
    state.AddRecordingToList = true;
    state.RecordingActive = true; // the recording flags do not refuse its own addition
    state.CurrentFileName = Wav("c.wav", 3000);
    list->AddFiles();
    EXPECT_EQ(dialogRuns, 1); // no dialog for a recording
    EXPECT_EQ(Names(), QStringLiteral("abc"));
    EXPECT_EQ(Selected(), Selection{2});
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(list->lv->hasFocus());
    EXPECT_NE(QApplication::focusWidget(), list->lv);
    ExpectItemsConsistent();
}

TEST_F(JoinListTest, FinishedRecordingTakesFocusWhenShown) {
    ShowList();
    list->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list.get()));
    list->setFocus();
    ASSERT_FALSE(list->lv->hasFocus());
    state.AddRecordingToList = true;
    state.CurrentFileName = Wav("a.wav", 1000);
    list->AddFiles();
    EXPECT_EQ(Selected(), Selection{0});
    EXPECT_TRUE(list->lv->hasFocus());
}

TEST_F(JoinListTest, UnreadableRecordingIsReportedAndNothingAdded) {
    Add({Wav("a.wav", 1000)});
    Select({0});
    state.AddRecordingToList = true;
    state.CurrentFileName = dir.filePath("missing.ogg");
    list->AddFiles();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Read ") + dir.filePath("missing.ogg") +
                                    QStringLiteral(" error!!")});
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(Selected(), Selection{0});
}

struct RefusedAddCase {
    const char* name;
    bool recording, playing, joining;
};

void PrintTo(const RefusedAddCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedAddTest : public JoinListTest, public ::testing::WithParamInterface<RefusedAddCase> {};

TEST_P(RefusedAddTest, DialogIsNotShown) {
    state.RecordingActive = GetParam().recording;
    state.PlaybackActive = GetParam().playing;
    state.JoinActive = GetParam().joining;
    Add({Wav("a.wav", 1000)});
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedAddTest,
                         ::testing::Values(RefusedAddCase{"Recording", true, false, false},
                                           RefusedAddCase{"Playing", false, true, false},
                                           RefusedAddCase{"Joining", false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MoveCase {
    const char* name;
    Selection before;
    bool up;
    bool joining;
    const char* order;
    Selection after;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

class MoveTest : public JoinListTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MovesFirstSelectedItem) {
    AddFour();
    Select(GetParam().before);
    state.JoinActive = GetParam().joining;
    if (GetParam().up)
        list->MoveSelectedUp();
    else
        list->MoveSelectedDown();
    EXPECT_EQ(Names(), QString::fromLatin1(GetParam().order));
    EXPECT_EQ(Selected(), GetParam().after);
    ExpectItemsConsistent();
}

INSTANTIATE_TEST_SUITE_P(
    Table, MoveTest,
    ::testing::Values(MoveCase{"UpOnFirst", {0}, true, false, "abcd", {0}},
                      MoveCase{"DownOnLast", {3}, false, false, "abcd", {3}},
                      MoveCase{"UpWithOneAndThree", {1, 3}, true, false, "bacd", {0, 3}},
                      MoveCase{"DownWithOneAndThree", {1, 3}, false, false, "acbd", {2, 3}},
                      MoveCase{"DownIntoSelected", {1, 2}, false, false, "acbd", {2}},
                      MoveCase{"NothingSelected", {}, true, false, "abcd", {}},
                      MoveCase{"UpDuringJoin", {2}, true, true, "abcd", {2}},
                      MoveCase{"DownDuringJoin", {1}, false, true, "abcd", {1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RemoveCase {
    const char* name;
    Selection selected;
    bool recording, playing, joining;
    const char* remaining;
};

void PrintTo(const RemoveCase& c, std::ostream* os) {
    *os << c.name;
}

class RemoveTest : public JoinListTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveTest, DeletesEverySelectedItem) {
    AddFour();
    Select(GetParam().selected);
    state.RecordingActive = GetParam().recording;
    state.PlaybackActive = GetParam().playing;
    state.JoinActive = GetParam().joining;
    list->RemoveSelected();
    EXPECT_EQ(Names(), QString::fromLatin1(GetParam().remaining));
    ExpectItemsConsistent();
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemoveTest,
    ::testing::Values(RemoveCase{"All", {0, 1, 2, 3}, false, false, false, ""},
                      RemoveCase{"Neighbours", {1, 2}, false, false, false, "ad"},
                      RemoveCase{"Scattered", {0, 2}, false, false, false, "bd"},
                      RemoveCase{"Last", {3}, false, false, false, "abc"},
                      RemoveCase{"NoneSelected", {}, false, false, false, "abcd"},
                      RemoveCase{"RefusedWhileRecording", {0}, true, false, false, "abcd"},
                      RemoveCase{"RefusedWhilePlaying", {0}, false, true, false, "abcd"},
                      RemoveCase{"RefusedDuringJoin", {0, 1, 2, 3}, false, false, true, "abcd"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JoinListTest, ClickOnItemRemembersItsIndex) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000)});
    ShowList();
    QTreeWidget* lv = list->lv;
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                      lv->visualItemRect(lv->topLevelItem(1)).center());
    EXPECT_EQ(Selected(), Selection{1});
    EXPECT_EQ(list->ListLastIndex, 1);
}

TEST_F(JoinListTest, ClickOnEmptySpaceSelectsLastWhenRememberedIndexIsPastTheEnd) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000), Wav("c.wav", 3000)});
    ShowList();
    QTreeWidget* lv = list->lv;
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                      lv->visualItemRect(lv->topLevelItem(2)).center());
    ASSERT_EQ(list->ListLastIndex, 2);
    list->RemoveSelected();
    ASSERT_EQ(list->Count(), 2);
    ASSERT_TRUE(Selected().empty());

    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, EmptySpace());
    EXPECT_EQ(Selected(), Selection{1});
    EXPECT_EQ(list->ListLastIndex, 1);
}

TEST_F(JoinListTest, ClickOnEmptySpaceBringsBackTheRememberedItem) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000), Wav("c.wav", 3000)});
    ShowList();
    QTreeWidget* lv = list->lv;
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                      lv->visualItemRect(lv->topLevelItem(1)).center());
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, EmptySpace());
    EXPECT_EQ(Selected(), Selection{1});
}

TEST_F(JoinListTest, ClickOnEmptySpaceWhilePlayingLeavesNoSelection) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000)});
    ShowList();
    Select({0});
    state.PlaybackActive = true;
    QTest::mouseClick(list->lv->viewport(), Qt::LeftButton, {}, EmptySpace());
    EXPECT_TRUE(Selected().empty());
}

TEST_F(JoinListTest, ClickOnEmptyListDoesNothing) {
    ShowList();
    list->ListLastIndex = 3;
    QTest::mouseClick(list->lv->viewport(), Qt::LeftButton, {}, EmptySpace());
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->ListLastIndex, 3);
}

TEST_F(JoinListTest, PlaylistInterface) {
    Add({Wav("a.wav", 1000), Wav("b.wav", 2000), Wav("c.wav", 3000)});
    IPlaylist& playlist = *list;
    Select({});
    EXPECT_EQ(playlist.Count(), 3);
    EXPECT_EQ(playlist.FirstSelectedIndex(), -1);
    playlist.SelectItem(2);
    playlist.SelectItem(1);
    EXPECT_EQ(Selected(), (Selection{1, 2}));
    EXPECT_EQ(playlist.FirstSelectedIndex(), 1);
    EXPECT_EQ(playlist.ItemPath(2), dir.filePath("c.wav"));
}

TEST_F(JoinListTest, WindowMouseEventsReachTheDragSignalsInClientCoordinates) {
    ShowList();
    QSignalSpy down(list.get(), &Tfm_list::FormMouseDown);
    QSignalSpy move(list.get(), &Tfm_list::FormMouseMove);
    QSignalSpy up(list.get(), &Tfm_list::FormMouseUp);
    // Press on the skinned surface outside the list view: whatever child draws
    // the skin there passes the press on to the window.
    const QPoint at(520, 220);
    QWidget* target = list->childAt(at);
    if (!target)
        target = list.get();
    const QPoint local = target->mapFrom(list.get(), at);
    QTest::mousePress(target, Qt::LeftButton, {}, local);
    QTest::mouseMove(target, local + QPoint(4, 3));
    QTest::mouseRelease(target, Qt::LeftButton, {}, local + QPoint(4, 3));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0), (QList<QVariant>{520, 220}));
    ASSERT_GE(move.count(), 1);
    EXPECT_EQ(move.last(), (QList<QVariant>{524, 223}));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up.at(0), (QList<QVariant>{524, 223}));
}

TEST_F(JoinListTest, OpenDialogAddsTheChosenFiles) {
    const QString a = Wav("a.wav", 1000);
    const QString b = Wav("b.wav", 2000);
    list->SetFileChooser(nullptr); // the real dialog
    QFileDialog* dialog = list->OpenDialog1;
    QTimer::singleShot(0, dialog, [&] {
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("\"a.wav\" \"b.wav\""));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept is protected
    });
    list->AddFiles();
    EXPECT_EQ(Names(), QStringLiteral("ab"));
    EXPECT_EQ(Selected(), Selection{0});

    QTimer::singleShot(0, dialog, [&] { dialog->reject(); });
    list->AddFiles();
    EXPECT_EQ(list->Count(), 2);
}

TEST_F(JoinListTest, StopButtonEndsTheJoin) {
    state.JoinActive = true;
    list->btn_stopClick();
    EXPECT_FALSE(state.JoinActive);
}

} // namespace
} // namespace varnelo
