// The settings dialog: loading, saving with the encoder's OGG check, failing
// writes, Default, the panes and the windows laid over the dialog, example
// labels, the time box's key filter, the quality box, help pages and links.
#include "tests/settings_dialog/DialogRig.h"

#include "platform/core/AppError.h"
#include "settings/UpDown.h"
#include "settings/ValueTables.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

namespace varnelo::testing {
namespace {

QString DefaultDir() {
    return QDir::homePath() + "/Ro Dezirevu";
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    QString Read(const char* section, const char* key) {
        return rig.settings.ReadString(section, key, "<absent>");
    }
    QGroupBox* VisiblePane() {
        QGroupBox* shown = nullptr;
        for (QGroupBox* pane : Panes())
            if (!pane->isHidden()) {
                EXPECT_EQ(shown, nullptr) << "two panes shown";
                shown = pane;
            }
        return shown;
    }
    std::vector<QGroupBox*> Panes() {
        Tfm_set& s = rig.fm_set;
        return {s.pn_source, s.pn_file, s.pn_format, s.pn_ogg, s.pn_about};
    }
    void ClickNode(QTreeWidgetItem* item) {
        QTreeWidget* tv = rig.fm_set.tv;
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, tv->visualItemRect(item).center());
    }

    DialogRig rig;
};

TEST_F(SettingsDialogTest, WindowHasItsCaptionSizeTreeAndPanes) {
    Tfm_set& s = rig.fm_set;
    EXPECT_EQ(s.windowTitle(), "Settings");
    EXPECT_EQ(s.size(), QSize(389, 273));
    EXPECT_EQ(s.minimumSize(), s.maximumSize());
    QStringList nodes;
    for (QTreeWidgetItemIterator it(s.tv); *it; ++it)
        nodes << (*it)->text(0) + ((*it)->parent() ? "<" + (*it)->parent()->text(0) : "");
    EXPECT_EQ(nodes, QStringList({"Recording Source", "File Length Limitation", "Schedule",
                                  "Output Format", "OGG<Output Format", "About"}));
    EXPECT_EQ(s.tv->indentation(), 19);
    EXPECT_EQ(s.pn_source->title(),
              "----------------------Recording Source----------------------------");
    EXPECT_EQ(s.pn_file->title(),
              "--------------------------File Length Limitation---------------------");
    EXPECT_EQ(s.pn_format->title(),
              "------------------------------Output Format----------------------------");
    EXPECT_EQ(s.pn_ogg->title(),
              "---------------------------------OGG---------------------------------------");
    EXPECT_EQ(s.pn_about->title(),
              "---------------------------------About-------------------------------------");
    for (QGroupBox* pane : Panes())
        EXPECT_EQ(pane->geometry().topLeft(), QPoint(129, 2));
    EXPECT_EQ(s.pn_about->height(), 271);
    EXPECT_EQ(s.pn_ogg->height(), 268);
}

TEST_F(SettingsDialogTest, ListsHoldTheTableTexts) {
    Tfm_set& s = rig.fm_set;
    auto items = [](QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(s.cb_format), QStringList{"OGG File (*.ogg)"});
    EXPECT_EQ(items(s.cb_ogg_fre),
              QStringList({"6000 Hz", "8000 Hz", "11025 Hz", "12000 Hz", "16000 Hz", "22050 Hz",
                           "24000 Hz", "32000 Hz", "44100 Hz", "48000 Hz"}));
    EXPECT_EQ(items(s.cb_ogg_channel), QStringList({"Mono", "Stereo"}));
    EXPECT_EQ(items(s.cb_ogg_bit), QStringList({"112 Kbps", "128 Kbps", "160 Kbps", "192 Kbps",
                                                "256 Kbps", "320 Kbps"}));
    const QStringList bitrates{"8 Kbps",   "16 Kbps",  "24 Kbps",  "32 Kbps",  "40 Kbps",
                               "48 Kbps",  "56 Kbps",  "64 Kbps",  "80 Kbps",  "96 Kbps",
                               "112 Kbps", "128 Kbps", "160 Kbps", "192 Kbps", "224 Kbps",
                               "256 Kbps", "320 Kbps"};
    EXPECT_EQ(items(s.cb_ogg_minbit), bitrates);
    EXPECT_EQ(items(s.cb_ogg_maxbit), bitrates);
    for (QComboBox* list : {s.cb_format, s.cb_ogg_fre, s.cb_ogg_channel, s.cb_ogg_bit,
                            s.cb_ogg_minbit, s.cb_ogg_maxbit})
        EXPECT_FALSE(list->isEditable());
}

TEST_F(SettingsDialogTest, FirstOpeningWithoutSettingsFileShowsEveryDefault) {
    Tfm_set& s = rig.fm_set;
    s.show();
    EXPECT_EQ(VisiblePane(), s.pn_about);
    EXPECT_TRUE(s.tv->selectedItems().isEmpty());
    // File Length Limitation.
    EXPECT_FALSE(s.length_en->isChecked());
    EXPECT_FALSE(s.file_rb_time->isChecked());
    EXPECT_FALSE(s.file_rb_time->isEnabled());
    EXPECT_FALSE(s.file_time->isEnabled());
    EXPECT_EQ(s.file_time->text(), "120");
    EXPECT_FALSE(s.file_limit_stop->isChecked());
    EXPECT_FALSE(s.file_limit_new->isChecked());
    // Output Format.
    EXPECT_EQ(s.cb_format->currentIndex(), 0);
    EXPECT_EQ(s.out_name->text(), "ZEV");
    EXPECT_TRUE(s.rb_time->isChecked());
    EXPECT_FALSE(s.rb_cust->isChecked());
    EXPECT_EQ(s.ed_dir->text(), DefaultDir());
    // OGG: 44100 Hz, Stereo, 256 Kbps, 128 Kbps bounds, quality 300 on.
    EXPECT_EQ(s.cb_ogg_fre->currentText(), "44100 Hz");
    EXPECT_EQ(s.cb_ogg_channel->currentText(), "Stereo");
    EXPECT_EQ(s.cb_ogg_bit->currentText(), "256 Kbps");
    EXPECT_EQ(s.cb_ogg_minbit->currentText(), "128 Kbps");
    EXPECT_EQ(s.cb_ogg_maxbit->currentText(), "128 Kbps");
    EXPECT_TRUE(s.cb_ogg_quality->isChecked());
    EXPECT_EQ(s.ud_ogg_quality->Position(), 300);
    EXPECT_EQ(s.edt_ogg_quality->text(), "300");
    EXPECT_TRUE(s.edt_ogg_quality->isEnabled());
    EXPECT_TRUE(s.ud_ogg_quality->isEnabled());
    EXPECT_FALSE(s.cb_ogg_minbit->isEnabled());
    EXPECT_FALSE(s.cb_ogg_maxbit->isEnabled());
    // Showing reads only: no file appears.
    EXPECT_FALSE(rig.SettingsFileExists());
}

TEST_F(SettingsDialogTest, ShowingReloadsStoredValuesAndStoredEnabledStates) {
    SettingsFile& f = rig.settings;
    f.WriteBool("file", "enlength", true);
    f.WriteBool("file", "rbtime", true);
    f.WriteBool("file", "rbtimee", false); // stored states win over the length rule
    f.WriteString("file", "timet", "45");
    f.WriteBool("file", "time", true);
    f.WriteString("output", "out_name", "Rec");
    f.WriteBool("output", "rb_time", false);
    f.WriteBool("output", "rb_cust", true);
    f.WriteString("output", "dir", "/srv/rec");
    f.WriteInteger("ogg", "frequency", 2);
    f.WriteInteger("ogg", "channel", 0);
    f.WriteInteger("ogg", "min bitrate", 3);
    f.WriteBool("ogg", "enable quality", false);
    f.WriteInteger("ogg", "quality", 640);
    Tfm_set& s = rig.fm_set;
    s.ed_dir->setText("put there at start-up");
    s.show();
    EXPECT_TRUE(s.length_en->isChecked());
    EXPECT_TRUE(s.file_rb_time->isChecked());
    EXPECT_FALSE(s.file_rb_time->isEnabled());
    EXPECT_TRUE(s.file_time->isEnabled());
    EXPECT_EQ(s.file_time->text(), "45");
    EXPECT_EQ(s.out_name->text(), "Rec");
    EXPECT_FALSE(s.rb_time->isChecked());
    EXPECT_TRUE(s.rb_cust->isChecked());
    EXPECT_EQ(s.ed_dir->text(), "/srv/rec");
    EXPECT_EQ(s.cb_ogg_fre->currentIndex(), 2);
    EXPECT_EQ(s.cb_ogg_channel->currentIndex(), 0);
    EXPECT_EQ(s.cb_ogg_minbit->currentIndex(), 3);
    EXPECT_FALSE(s.cb_ogg_quality->isChecked());
    EXPECT_EQ(s.edt_ogg_quality->text(), "640");
    EXPECT_FALSE(s.edt_ogg_quality->isEnabled());
    EXPECT_TRUE(s.cb_ogg_minbit->isEnabled());
    EXPECT_TRUE(s.cb_ogg_maxbit->isEnabled());
    // An abandoned edit is replaced by the stored value at the next showing.
    s.out_name->setText("abandoned");
    s.close();
    s.show();
    EXPECT_EQ(s.out_name->text(), "Rec");
}

TEST_F(SettingsDialogTest, BothNamingModesStoredOffLeaveNeitherSelected) {
    rig.settings.WriteBool("output", "rb_time", false);
    rig.settings.WriteBool("output", "rb_cust", false);
    rig.fm_set.show();
    EXPECT_FALSE(rig.fm_set.rb_time->isChecked());
    EXPECT_FALSE(rig.fm_set.rb_cust->isChecked());
}

// --- OK -------------------------------------------------------------------

struct OkCase {
    const char* name;
    bool quality;
    int frequency; // positions
    int channel;
    int minimum;
    int maximum;
    bool encoderAccepts; // the real encoder's answer for the bitrate check
    bool saved;          // [ogg] written and the dialog closed
};

class SettingsOkTest : public SettingsDialogTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(SettingsOkTest, SavesInOrderAndChecksTheOggFormatOnlyWithoutQuality) {
    const OkCase c = GetParam();
    // The case table states what the real encoder answers; hold it to that.
    EXPECT_EQ(rig.fileWrite.CheckOggFormat(FrequencyTable[size_t(c.frequency)], c.channel + 1,
                                           BitrateTable[size_t(c.minimum)],
                                           BitrateTable[size_t(c.minimum)],
                                           BitrateTable[size_t(c.maximum)]),
              c.encoderAccepts);
    rig.settings.WriteInteger("ogg", "frequency", 1); // an older [ogg] content
    rig.settings.WriteInteger("ogg", "quality", 123);

    Tfm_set& s = rig.fm_set;
    s.show();
    s.length_en->click();
    s.file_time->setText("77");
    s.file_limit_new->setChecked(true);
    s.out_name->setText("Take");
    s.rb_cust->click();
    s.ed_dir->setText("/srv/out");
    s.cb_ogg_fre->setCurrentIndex(c.frequency);
    s.cb_ogg_channel->setCurrentIndex(c.channel);
    s.cb_ogg_bit->setCurrentIndex(2);
    if (s.cb_ogg_quality->isChecked() != c.quality)
        s.cb_ogg_quality->click();
    s.cb_ogg_minbit->setCurrentIndex(c.minimum);
    s.cb_ogg_maxbit->setCurrentIndex(c.maximum);
    s.ud_ogg_quality->SetPosition(555);

    QTest::mouseClick(s.set_bt_ok, Qt::LeftButton);

    // [file] and [output] are written in every case.
    EXPECT_EQ(Read("file", "enlength"), "1");
    EXPECT_EQ(Read("file", "rbtime"), "0");
    EXPECT_EQ(Read("file", "rbtimee"), "1");
    EXPECT_EQ(Read("file", "timet"), "77");
    EXPECT_EQ(Read("file", "time"), "1");
    EXPECT_EQ(Read("file", "limit_s"), "0");
    EXPECT_EQ(Read("file", "limit_n"), "1");
    EXPECT_EQ(Read("output", "format"), "0");
    EXPECT_EQ(Read("output", "out_name"), "Take");
    EXPECT_EQ(Read("output", "rb_time"), "0");
    EXPECT_EQ(Read("output", "rb_cust"), "1");
    EXPECT_EQ(Read("output", "dir"), "/srv/out");
    if (c.saved) {
        EXPECT_TRUE(rig.boxes.texts.isEmpty());
        EXPECT_FALSE(s.isVisible());
        EXPECT_EQ(Read("ogg", "channel"), QString::number(c.channel));
        EXPECT_EQ(Read("ogg", "frequency"), QString::number(c.frequency));
        EXPECT_EQ(Read("ogg", "bitrate"), "2");
        EXPECT_EQ(Read("ogg", "max bitrate"), QString::number(c.maximum));
        EXPECT_EQ(Read("ogg", "min bitrate"), QString::number(c.minimum));
        EXPECT_EQ(Read("ogg", "enable quality"), c.quality ? "1" : "0");
        EXPECT_EQ(Read("ogg", "quality"), "555");
    } else {
        EXPECT_EQ(rig.boxes.texts,
                  QStringList{"This OGG format is not supported. \nYou have set too high frequency "
                              "and too low bitrate or otherwise. \nPlease adjust the frequency "
                              "or bitrate."});
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(Read("ogg", "frequency"), "1");
        EXPECT_EQ(Read("ogg", "quality"), "123");
        for (const char* key :
             {"channel", "bitrate", "max bitrate", "min bitrate", "enable quality"})
            EXPECT_EQ(Read("ogg", key), "<absent>") << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, SettingsOkTest,
    ::testing::Values(
        // name, quality, frequency, channel, min, max, encoder accepts, saved
        OkCase{"QualityOnUsualLists", true, 8, 1, 11, 11, true, true},
        OkCase{"QualityOnRefusedBitrates", true, 9, 1, 0, 0, false, true},
        OkCase{"BitratesAccepted", false, 8, 1, 11, 13, true, true},
        OkCase{"BitratesRefused48kStereo8Kbps", false, 9, 1, 0, 0, false, false},
        OkCase{"BitratesRefusedLowRateHighBitrate", false, 0, 0, 16, 16, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsDialogTest, OkWhileNotShownSavesAndClosesNothing) {
    Tfm_set& s = rig.fm_set;
    s.out_name->setText("Unshown");
    s.set_bt_okClick();
    EXPECT_EQ(Read("output", "out_name"), "Unshown");
    EXPECT_EQ(Read("ogg", "quality"), "300");
    EXPECT_FALSE(s.isVisible());
    EXPECT_TRUE(rig.boxes.texts.isEmpty());
}

// The real encoder answers; in passing it makes the settings file
// unwritable, so the write after the check is the first one refused.
class BreakingFileWrite : public TAudioFile2 {
public:
    explicit BreakingFileWrite(QString settingsPath) : settingsPath_(std::move(settingsPath)) {}
    bool CheckOggFormat(int f, int c, int b, int lo, int hi) override {
        const bool answer = TAudioFile2::CheckOggFormat(f, c, b, lo, hi);
        QFile::copy(settingsPath_, settingsPath_ + ".before");
        QFile::remove(settingsPath_);
        QDir().mkdir(settingsPath_); // a directory where the file was
        return answer;
    }

private:
    QString settingsPath_;
};

TEST(SettingsDialogWriteFailure, WriteRefusedAtFirstKeyStopsThereAndKeepsTheDialogOpen) {
    // The settings file's folder is a regular file: no write can succeed.
    QTemporaryDir dir;
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsFile settings(dir.filePath("blocker/Varn.ini"));
    TAudioFile2 fileWrite;
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord record(server);
    Tfm_sche fm_sche(settings);
    Tfm_dev fm_dev(record);
    Tfm_set fm_set(settings, fileWrite, fm_dev, fm_sche);
    InfoBoxRecorder boxes;
    fm_set.show();
    try {
        fm_set.set_bt_okClick();
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Unable to write to Varn.ini");
    }
    EXPECT_TRUE(fm_set.isVisible());
    EXPECT_TRUE(boxes.texts.isEmpty());
    fm_set.hide();
}

TEST(SettingsDialogWriteFailure, WriteRefusedAfterTheCheckKeepsEarlierKeysAndWritesNoOggKey) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Varn.ini");
    BreakingFileWrite fileWrite(path);
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord record(server);
    SettingsFile settings(path);
    Tfm_sche fm_sche(settings);
    Tfm_dev fm_dev(record);
    Tfm_set fm_set(settings, fileWrite, fm_dev, fm_sche);
    InfoBoxRecorder boxes;
    fm_set.show();
    fm_set.cb_ogg_quality->click(); // off: the encoder is asked
    fm_set.out_name->setText("Kept");
    EXPECT_THROW(fm_set.set_bt_okClick(), AppError);
    EXPECT_TRUE(fm_set.isVisible());
    EXPECT_TRUE(boxes.texts.isEmpty());
    // What reached the file before the refused write.
    SettingsFile before(path + ".before");
    EXPECT_EQ(before.ReadString("output", "out_name", "<absent>"), "Kept");
    EXPECT_EQ(before.ReadString("output", "dir", "<absent>"), fm_set.ed_dir->text());
    EXPECT_EQ(before.ReadString("file", "limit_n", "<absent>"), "0");
    EXPECT_EQ(before.ReadString("ogg", "channel", "<absent>"), "<absent>");
    fm_set.hide();
}

// --- Default ----------------------------------------------------------------

TEST_F(SettingsDialogTest, DefaultResetsItsControlsOnlyAndWritesNothing) {
    rig.settings.WriteInteger("ogg", "bitrate", 0); // "112 Kbps"
    const QByteArray stored = rig.SettingsBytes();
    Tfm_set& s = rig.fm_set;
    s.show();
    s.length_en->click();
    s.file_rb_time->click();
    s.file_time->setText("99");
    s.file_limit_stop->setChecked(false);
    s.file_limit_new->setChecked(true);
    s.out_name->setText("Mine");
    s.rb_cust->click();
    s.ed_dir->setText("/srv/mine");
    s.cb_ogg_channel->setCurrentIndex(0);
    s.cb_ogg_fre->setCurrentIndex(3);
    s.cb_ogg_quality->click();
    s.cb_ogg_minbit->setCurrentIndex(2);
    s.cb_ogg_maxbit->setCurrentIndex(5);
    s.ud_ogg_quality->SetPosition(900);

    QTest::mouseClick(s.set_bt_default, Qt::LeftButton);

    EXPECT_FALSE(s.length_en->isChecked());
    EXPECT_FALSE(s.file_rb_time->isEnabled()); // the length rule followed
    EXPECT_FALSE(s.file_time->isEnabled());
    EXPECT_TRUE(s.file_limit_stop->isChecked());
    EXPECT_EQ(s.cb_format->currentIndex(), 0);
    EXPECT_EQ(s.out_name->text(), "ZEV");
    EXPECT_TRUE(s.rb_time->isChecked());
    EXPECT_FALSE(s.rb_cust->isChecked());
    EXPECT_EQ(s.out_labe_dat->text(), "Example: ZEV-19-05-2006--00;08;04.MP3");
    EXPECT_EQ(s.out_labe_cus->text(), "Example:ZEV.MP3");
    EXPECT_EQ(s.cb_ogg_channel->currentIndex(), 1);
    EXPECT_EQ(s.cb_ogg_fre->currentIndex(), 8);
    EXPECT_EQ(s.cb_ogg_maxbit->currentIndex(), 11);
    EXPECT_EQ(s.cb_ogg_minbit->currentIndex(), 11);
    EXPECT_FALSE(s.cb_ogg_minbit->isEnabled());
    EXPECT_FALSE(s.cb_ogg_maxbit->isEnabled());
    EXPECT_TRUE(s.cb_ogg_quality->isChecked());
    EXPECT_EQ(s.ud_ogg_quality->Position(), 300);
    EXPECT_EQ(s.edt_ogg_quality->text(), "300");
    EXPECT_TRUE(s.edt_ogg_quality->isEnabled());
    EXPECT_TRUE(s.ud_ogg_quality->isEnabled());
    // Left alone.
    EXPECT_TRUE(s.file_rb_time->isChecked());
    EXPECT_EQ(s.file_time->text(), "99");
    EXPECT_TRUE(s.file_limit_new->isChecked());
    EXPECT_EQ(s.ed_dir->text(), "/srv/mine");
    EXPECT_EQ(s.cb_ogg_bit->currentText(), "112 Kbps");
    EXPECT_TRUE(s.isVisible());

    s.close(); // the close box saves nothing
    EXPECT_EQ(rig.SettingsBytes(), stored);
}

// --- panes ------------------------------------------------------------------

struct PaneCase {
    int position;
    const char* pane; // object to be shown; nullptr: unchanged
    bool devShown;
    bool scheShown;
};

class ShowPaneTest : public SettingsDialogTest, public ::testing::WithParamInterface<PaneCase> {};

TEST_P(ShowPaneTest, ShowsItsPaneAndLaysTheOtherWindowsOver) {
    const PaneCase c = GetParam();
    Tfm_set& s = rig.fm_set;
    s.move(200, 100);
    s.show();
    // Start from the other windows shown elsewhere, with Help enabled.
    rig.fm_dev.move(0, 0);
    rig.fm_dev.show();
    rig.fm_dev.dev_bt_help->setEnabled(true);
    rig.fm_sche.move(0, 0);
    rig.fm_sche.show();
    s.ShowPane(4); // from the OGG pane
    s.ShowPane(c.position);

    const std::map<std::string, QGroupBox*> byName{{"pn_source", s.pn_source},
                                                   {"pn_file", s.pn_file},
                                                   {"pn_format", s.pn_format},
                                                   {"pn_ogg", s.pn_ogg},
                                                   {"pn_about", s.pn_about}};
    EXPECT_EQ(VisiblePane(), c.pane ? byName.at(c.pane) : s.pn_ogg);
    if (c.pane) {
        EXPECT_EQ(rig.fm_dev.isVisible(), c.devShown);
        EXPECT_EQ(rig.fm_sche.isVisible(), c.scheShown);
    }
    if (c.devShown) {
        EXPECT_EQ(rig.fm_dev.pos(), s.pos() + QPoint(133, 31));
        EXPECT_FALSE(rig.fm_dev.isModal());
        EXPECT_FALSE(rig.fm_dev.dev_bt_help->isEnabled());
    } else {
        EXPECT_TRUE(rig.fm_dev.dev_bt_help->isEnabled());
    }
    if (c.scheShown) {
        EXPECT_EQ(rig.fm_sche.pos(), s.pos());
        EXPECT_FALSE(rig.fm_sche.isModal());
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPosition, ShowPaneTest,
    ::testing::Values(PaneCase{0, "pn_source", true, false}, PaneCase{1, "pn_file", false, false},
                      PaneCase{2, "pn_about", false, true}, PaneCase{3, "pn_format", false, false},
                      PaneCase{4, "pn_ogg", false, false}, PaneCase{5, "pn_about", false, false},
                      PaneCase{-1, nullptr, false, false}, PaneCase{6, nullptr, false, false}),
    [](const auto& info) {
        const int p = info.param.position;
        return p < 0 ? std::string("Minus1") : "Position" + std::to_string(p);
    });

TEST_F(SettingsDialogTest, MouseClicksOnTheTreeSwitchPanesKeysDoNot) {
    Tfm_set& s = rig.fm_set;
    s.show();
    QTreeWidgetItem* format = s.tv->topLevelItem(3);
    QTreeWidgetItem* ogg = format->child(0);
    // A click with no node selected (below the nodes) does nothing.
    QTest::mouseClick(s.tv->viewport(), Qt::LeftButton, {},
                      QPoint(5, s.tv->viewport()->height() - 3));
    EXPECT_EQ(VisiblePane(), s.pn_about);

    ClickNode(format); // a selected node opens
    EXPECT_EQ(VisiblePane(), s.pn_format);
    ASSERT_TRUE(format->isExpanded());
    ClickNode(ogg);
    EXPECT_EQ(VisiblePane(), s.pn_ogg);
    ClickNode(format); // back to the parent: its pane alone
    EXPECT_EQ(VisiblePane(), s.pn_format);

    ClickNode(s.tv->topLevelItem(1));
    EXPECT_EQ(VisiblePane(), s.pn_file);
    s.tv->setFocus();
    QTest::keyClick(s.tv, Qt::Key_Down);
    EXPECT_EQ(s.tv->currentItem(), s.tv->topLevelItem(2));
    EXPECT_EQ(VisiblePane(), s.pn_file);
    EXPECT_FALSE(rig.fm_sche.isVisible());
}

TEST_F(SettingsDialogTest, WindowsLaidOverStayUsableWhileTheDialogIsModal) {
    Tfm_set& s = rig.fm_set;
    bool checked = false;
    QTimer::singleShot(0, &s, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &s);
        s.ShowPane(0);
        ASSERT_TRUE(rig.fm_dev.isVisible());
        // A click delivered as the window system delivers it: a window
        // blocked by the modal dialog would drop it.
        QWindow* devWindow = rig.fm_dev.windowHandle();
        const QPoint at = rig.fm_dev.dev_bt_can->geometry().center();
        QTest::mouseClick(devWindow, Qt::LeftButton, {}, at);
        EXPECT_FALSE(rig.fm_dev.isVisible());
        checked = true;
        s.reject();
    });
    s.exec();
    EXPECT_TRUE(checked);
    // Closing the dialog does not hide a window it laid over itself.
    s.ShowPane(2);
    s.close();
    EXPECT_TRUE(rig.fm_sche.isVisible());
}

TEST_F(SettingsDialogTest, SetButtonPlacesTheSourceWindowAndLeavesItsHelpButton) {
    Tfm_set& s = rig.fm_set;
    s.move(150, 120);
    s.show();
    for (bool help : {true, false}) {
        rig.fm_dev.hide();
        rig.fm_dev.dev_bt_help->setEnabled(help);
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        EXPECT_TRUE(rig.fm_dev.isVisible());
        EXPECT_EQ(rig.fm_dev.pos(), s.pos() + QPoint(133, 31));
        EXPECT_EQ(rig.fm_dev.dev_bt_help->isEnabled(), help);
    }
}

TEST_F(SettingsDialogTest, DirectoryButtonShowsTheDirectoryDialogWithoutWaiting) {
    Tfm_set& s = rig.fm_set;
    s.move(150, 120);
    s.show();
    QTest::mouseClick(s.Button2, Qt::LeftButton); // returns at once
    EXPECT_TRUE(rig.fm_dir.isVisible());
    EXPECT_FALSE(rig.fm_dir.isModal());
    EXPECT_EQ(rig.fm_dir.pos(), s.pos());
}

// --- example labels, key filter, quality box, enabled states -----------------

TEST_F(SettingsDialogTest, ExampleLabelsFollowTheMainName) {
    Tfm_set& s = rig.fm_set;
    s.show();
    s.out_name->setText("Rec");
    s.ShowPane(3);
    EXPECT_EQ(s.out_labe_dat->text(), "Example: Rec-19-05-2006--00;08;04.MP3");
    EXPECT_EQ(s.out_labe_cus->text(), "Example:Rec.MP3");

    s.out_name->setText("Tape");
    s.rb_time->click();
    EXPECT_EQ(s.out_labe_dat->text(), "Example: Tape-19-05-2006--00;08;04.MP3");

    s.out_name->setText("Disc");
    s.rb_cust->click();
    EXPECT_EQ(s.out_labe_cus->text(), "Example:Disc.MP3");

    s.out_name->setText("Focus");
    s.out_name->setFocus();
    s.activateWindow();
    QApplication::setActiveWindow(&s);
    s.out_name->setFocus();
    s.ed_dir->setFocus(); // out_name loses the focus
    EXPECT_EQ(s.out_labe_dat->text(), "Example: Focus-19-05-2006--00;08;04.MP3");

    s.out_name->clear();
    s.rb_time->click();
    s.rb_cust->click();
    EXPECT_EQ(s.out_name->text(), "ZEV");
    EXPECT_EQ(s.out_labe_cus->text(), "Example: ZEV.MP3");
    EXPECT_EQ(s.out_labe_dat->text(), "Example: ZEV-19-05-2006--00;08;04.MP3");
}

TEST_F(SettingsDialogTest, TimeBoxLetsDigitsThroughAndTurnsOtherCharactersIntoBackspace) {
    struct Case {
        const char* start;
        std::vector<std::pair<Qt::Key, QString>> keys; // key, typed text
        const char* result;
    };
    const std::vector<Case> cases = {
        {"", {{Qt::Key_1, "1"}, {Qt::Key_A, "a"}, {Qt::Key_2, "2"}}, "2"},
        {"120", {{Qt::Key_Return, "\r"}}, "12"},
        {"120", {{Qt::Key_Minus, "-"}, {Qt::Key_Space, " "}}, "1"},
        {"120", {{Qt::Key_Left, ""}, {Qt::Key_5, "5"}}, "1250"}, // not a typed character
        {"7", {{Qt::Key_Backspace, "\b"}, {Qt::Key_9, "9"}}, "9"},
    };
    Tfm_set& s = rig.fm_set;
    s.show();
    s.file_time->setEnabled(true);
    for (const Case& c : cases) {
        s.file_time->setText(c.start);
        s.file_time->end(false);
        for (const auto& [key, text] : c.keys) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(s.file_time, &press);
        }
        EXPECT_EQ(s.file_time->text(), c.result) << c.start;
    }
    s.file_time->clear();
    QTest::keyClicks(s.file_time, "1a2");
    EXPECT_EQ(s.file_time->text(), "2");
}

TEST_F(SettingsDialogTest, QualityBoxTakesNumbersInItsRangeOnly) {
    Tfm_set& s = rig.fm_set;
    s.show();
    // Every edit counts: typing "1001" passes through 100, which stays.
    const std::vector<std::pair<QString, int>> typed = {{"750", 750},  {"0", 0},     {"1000", 1000},
                                                        {"1001", 100}, {"abc", 100}, {"-5", 100},
                                                        {"42", 42}};
    for (const auto& [text, position] : typed) {
        s.edt_ogg_quality->selectAll();
        QTest::keyClicks(s.edt_ogg_quality, text);
        EXPECT_EQ(s.ud_ogg_quality->Position(), position) << text.toStdString();
    }
    s.ud_ogg_quality->SetPosition(5000); // no wrap, held at the bound
    EXPECT_EQ(s.ud_ogg_quality->Position(), 1000);
    EXPECT_EQ(s.edt_ogg_quality->text(), "1000");
    s.ud_ogg_quality->SetPosition(-1);
    EXPECT_EQ(s.edt_ogg_quality->text(), "0");
    s.set_bt_okClick();
    EXPECT_EQ(Read("ogg", "quality"), "0");
}

TEST_F(SettingsDialogTest, EnabledStatesFollowTheClicks) {
    Tfm_set& s = rig.fm_set;
    s.show(); // file_rb_time not selected, both disabled
    s.length_en->click();
    EXPECT_TRUE(s.file_rb_time->isEnabled());
    EXPECT_TRUE(s.file_time->isEnabled()); // even while "Time: " is not selected
    s.length_en->click();
    EXPECT_FALSE(s.file_rb_time->isEnabled());
    EXPECT_FALSE(s.file_time->isEnabled());
    s.length_en->click();
    s.file_rb_time->click();
    EXPECT_TRUE(s.file_time->isEnabled());

    s.cb_ogg_quality->click();
    EXPECT_FALSE(s.edt_ogg_quality->isEnabled());
    EXPECT_FALSE(s.ud_ogg_quality->isEnabled());
    EXPECT_TRUE(s.cb_ogg_minbit->isEnabled());
    EXPECT_TRUE(s.cb_ogg_maxbit->isEnabled());
    s.cb_ogg_quality->click();
    EXPECT_TRUE(s.edt_ogg_quality->isEnabled());
    EXPECT_FALSE(s.cb_ogg_minbit->isEnabled());

    // The states are stored and come back as stored.
    s.set_bt_okClick();
    EXPECT_EQ(Read("file", "rbtimee"), "1");
    EXPECT_EQ(Read("file", "time"), "1");
}

// --- help pages, About links --------------------------------------------------

TEST_F(SettingsDialogTest, HelpPagesCarryTheirTextsAndTurnRound) {
    Tfm_set& s = rig.fm_set;
    const std::array<QPlainTextEdit*, 4> pages{s.Memo2, s.Memo3, s.Memo4, s.Memo5};
    EXPECT_TRUE(s.Memo2->toPlainText().startsWith("Record from Windows audio resource:\n\n"));
    EXPECT_TRUE(s.Memo2->toPlainText().contains("For example: \"Stereo Mixer\" might appear as "
                                                "\n\"What U hear\", \"Output\", \"Mixer\". "));
    EXPECT_TRUE(s.Memo3->toPlainText().startsWith("Record from Microphone\n"));
    EXPECT_TRUE(s.Memo4->toPlainText().startsWith("Record from external audio sources:\n"));
    EXPECT_TRUE(s.Memo5->toPlainText().contains("1) Please select\"TV Tuner Audio\"."));
    EXPECT_TRUE(
        s.Memo5->toPlainText().endsWith("3) Click the Record Button to begin recording. \n"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pages[size_t(i)]->isReadOnly(), true);

    auto shown = [&] {
        int visible = -1;
        for (int i = 0; i < 4; ++i)
            if (!pages[size_t(i)]->isHidden()) {
                EXPECT_EQ(visible, -1) << "two pages shown";
                visible = i + 1;
            }
        return visible;
    };
    EXPECT_EQ(shown(), 1);
    s.bt_preClick(); // works while the dialog is not shown, too
    EXPECT_EQ(shown(), 4);
    s.show();
    s.ShowPane(0);
    QTest::mouseClick(s.bt_nex, Qt::LeftButton);
    EXPECT_EQ(shown(), 1);
    for (int expected : {2, 3, 4, 1}) {
        QTest::mouseClick(s.bt_nex, Qt::LeftButton);
        EXPECT_EQ(shown(), expected);
    }
    QTest::mouseClick(s.bt_pre, Qt::LeftButton);
    EXPECT_EQ(shown(), 4);
}

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(SettingsDialogTest, AboutLinksOpenTheSiteAndNewMails) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    QDesktopServices::setUrlHandler("mailto", &recorder, "open");
    Tfm_set& s = rig.fm_set;
    s.show();
    s.ShowPane(5);
    for (QLabel* link : {s.Label26, s.Label31, s.Label38})
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
    EXPECT_EQ(recorder.urls, QList<QUrl>({QUrl("https://www.varnelo.example.com"),
                                          QUrl("mailto:sales@varnelo.example.com"),
                                          QUrl("mailto:support@varnelo.example.com")}));
}

} // namespace
} // namespace varnelo::testing

#include "SettingsDialogTest.moc"
