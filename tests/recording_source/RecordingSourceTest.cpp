// The recording source window on the simulated sound server: the lists as
// the start-up fills them, choosing a line, the volume slider, the device
// list, the Help button by the two ways of opening, help pages, and a modal
// request while the window is shown through the settings dialog.
#include "tests/recording_source/ShowSequenceFill.h"
#include "tests/settings_dialog/DialogRig.h"

#include "platform/audio/factory/AudioComponents.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace varnelo::testing {
namespace {

class RecordingSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& lines = rig.server->lines();
        ASSERT_EQ(lines.size(), 3u);
        lines[0].volume = 10000;
        lines[1].volume = 20000;
        lines[2].volume = 30000;
        rig.server->setActiveLine(2);
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    std::vector<int> Volumes() {
        std::vector<int> v;
        for (const auto& line : rig.server->lines())
            v.push_back(line.volume);
        return v;
    }
    // A user's pick in a closed list, by keyboard.
    static void PickNext(QComboBox* list) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }

    DialogRig rig;
    Tfm_dev& dev = rig.fm_dev;
};

TEST_F(RecordingSourceTest, WindowHasItsCaptionSizeAndControls) {
    EXPECT_EQ(dev.windowTitle(), "Recording Source");
    EXPECT_EQ(dev.size(), QSize(250, 239));
    EXPECT_EQ(dev.minimumSize(), dev.maximumSize());
    EXPECT_FALSE(dev.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(dev.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dev.tb_rd->minimum(), 0);
    EXPECT_EQ(dev.tb_rd->maximum(), 66535);
    EXPECT_EQ(dev.tb_rd->orientation(), Qt::Horizontal);
    EXPECT_EQ(dev.tb_rd->tickPosition(), QSlider::NoTicks);
    EXPECT_FALSE(dev.cb_rd->isEditable());
    EXPECT_FALSE(dev.cb_rdson->isEditable());
    EXPECT_EQ(dev.Label1->text(), "Please low the volume as possible. The lower");
    EXPECT_EQ(dev.Label2->text(), " the volume, the better the quality. ");
    EXPECT_EQ(dev.dev_bt_ok->text(), "Ok");
    EXPECT_EQ(dev.dev_bt_can->text(), "Cancel");
    EXPECT_EQ(dev.dev_bt_help->text(), "Help");
    EXPECT_TRUE(dev.dev_bt_help->isEnabled());
    EXPECT_TRUE(dev.gb_help->isHidden());
    EXPECT_EQ(dev.gb_help->geometry(), QRect(0, 0, 250, 239));
    // The help pages are the settings dialog's pages, in the same order.
    const std::array<QPlainTextEdit*, 4> mine{dev.Memo1, dev.Memo2, dev.Memo3, dev.Memo4};
    const std::array<QPlainTextEdit*, 4> settings{rig.fm_set.Memo2, rig.fm_set.Memo3,
                                                  rig.fm_set.Memo4, rig.fm_set.Memo5};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(mine[i]->toPlainText(), settings[i]->toPlainText());
        EXPECT_EQ(mine[i]->isHidden(), i != 0);
    }
}

TEST_F(RecordingSourceTest, FilledListsShowTheActiveLineAndItsVolume) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    ASSERT_EQ(dev.cb_rd->count(), 1);
    EXPECT_EQ(dev.cb_rd->itemText(0), SimulatedSoundServer::DeviceName());
    EXPECT_EQ(dev.cb_rd->currentIndex(), 0); // [rd] "rd" defaults to the last device
    ASSERT_EQ(dev.cb_rdson->count(), 3);
    EXPECT_EQ(dev.cb_rdson->itemText(0), "Sine 440 Hz");
    EXPECT_EQ(dev.cb_rdson->itemText(2), "Silence");
    EXPECT_EQ(dev.cb_rdson->currentIndex(), 1);
    EXPECT_EQ(dev.tb_rd->value(), 20000);
    // Setting the slider wrote the same volume back; nothing else moved.
    EXPECT_EQ(Volumes(), (std::vector<int>{10000, 20000, 30000}));
    EXPECT_EQ(rig.server->activeLine(), 2);
    EXPECT_FALSE(rig.SettingsFileExists());
}

TEST_F(RecordingSourceTest, NoActiveLineLeavesTheListUnselectedAndTheSliderAtZero) {
    rig.server->setActiveLine(0);
    FillLikeShowSequence(dev, rig.record, rig.settings);
    EXPECT_EQ(dev.cb_rdson->count(), 3);
    EXPECT_EQ(dev.cb_rdson->currentIndex(), -1);
    EXPECT_EQ(dev.cb_rdson->currentText(), "");
    EXPECT_EQ(dev.tb_rd->value(), 0);
    EXPECT_EQ(Volumes(), (std::vector<int>{10000, 20000, 30000}));
    EXPECT_EQ(rig.server->activeLine(), 0);
}

TEST_F(RecordingSourceTest, StoredDevicePositionIsShownOnlyInTheList) {
    rig.settings.WriteInteger("rd", "rd", 0);
    FillLikeShowSequence(dev, rig.record, rig.settings);
    EXPECT_EQ(dev.cb_rd->currentIndex(), 0);
    EXPECT_EQ(rig.server->activeLine(), 2);
}

TEST_F(RecordingSourceTest, PickingALineMakesItTheSourceAndCancelDoesNotUndoIt) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    dev.show();
    PickNext(dev.cb_rdson); // line 2 -> line 3
    EXPECT_EQ(dev.cb_rdson->currentIndex(), 2);
    EXPECT_EQ(rig.server->activeLine(), 3);
    EXPECT_EQ(dev.tb_rd->value(), 30000);
    EXPECT_EQ(Volumes(), (std::vector<int>{10000, 20000, 30000}));
    QTest::mouseClick(dev.dev_bt_can, Qt::LeftButton);
    EXPECT_FALSE(dev.isVisible());
    EXPECT_EQ(rig.server->activeLine(), 3);
}

TEST_F(RecordingSourceTest, MovingTheSliderSetsTheSelectedLinesVolumeAtOnce) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    dev.show();
    dev.tb_rd->setFocus();
    QTest::keyClick(dev.tb_rd, Qt::Key_Right);
    EXPECT_EQ(rig.server->lines()[1].volume, 20001);
    QTest::keyClick(dev.tb_rd, Qt::Key_Home);
    EXPECT_EQ(rig.server->lines()[1].volume, 0);
    dev.tb_rd->setValue(45678); // as a drag ends
    EXPECT_EQ(rig.server->lines()[1].volume, 45678);
    EXPECT_EQ(rig.server->lines()[0].volume, 10000);
    EXPECT_EQ(rig.server->lines()[2].volume, 30000);
    QTest::mouseClick(dev.dev_bt_ok, Qt::LeftButton);
    EXPECT_EQ(rig.server->lines()[1].volume, 45678);
}

TEST_F(RecordingSourceTest, PickingAnotherDeviceChangesNothing) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    dev.cb_rd->addItem("Second Card"); // as a second device would be listed
    dev.show();
    PickNext(dev.cb_rd);
    EXPECT_EQ(dev.cb_rd->currentIndex(), 1);
    EXPECT_EQ(dev.cb_rdson->count(), 3);
    EXPECT_EQ(dev.cb_rdson->currentIndex(), 1);
    EXPECT_EQ(dev.tb_rd->value(), 20000);
    EXPECT_EQ(rig.server->activeLine(), 2);
    EXPECT_EQ(Volumes(), (std::vector<int>{10000, 20000, 30000}));
    EXPECT_FALSE(rig.SettingsFileExists());
}

TEST(RecordingSourceNoServer, NoDeviceLeavesBothListsEmpty) {
    // This binary's sound server cannot be reached: the recorder has no device.
    qunsetenv("VARNELO_SOUND_SERVER");
    std::unique_ptr<IAudioRecord2> record = CreateAudioRecord();
    ASSERT_LT(record->DeviceLastIndex(), 0);
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath("Varn.ini"));
    Tfm_dev dev(*record);
    FillLikeShowSequence(dev, *record, settings);
    EXPECT_EQ(dev.cb_rd->count(), 0);
    EXPECT_EQ(dev.cb_rd->currentIndex(), -1);
    EXPECT_EQ(dev.cb_rdson->count(), 0);
    EXPECT_EQ(dev.tb_rd->value(), 0);
}

TEST_F(RecordingSourceTest, HelpIsEnabledByTheMainCommandAndDisabledThroughTheSettings) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    // The settings dialog's "Recording Source" node.
    rig.fm_set.show();
    rig.fm_set.ShowPane(0);
    EXPECT_TRUE(dev.isVisible());
    EXPECT_FALSE(dev.dev_bt_help->isEnabled());
    rig.fm_set.ShowPane(1);
    EXPECT_FALSE(dev.isVisible());
    rig.fm_set.hide();

    // The main window's command: Help enabled, shown modally.
    bool ran = false;
    QTimer::singleShot(0, &dev, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dev);
        QTest::mouseClick(dev.dev_bt_help, Qt::LeftButton);
        EXPECT_TRUE(dev.gb_help->isVisible());
        ran = true;
        dev.accept();
    });
    dev.dev_bt_help->setEnabled(true);
    EXPECT_EQ(dev.exec(), QDialog::Accepted);
    EXPECT_TRUE(ran);
    // The panel stays over the window across closing and reopening.
    dev.show();
    EXPECT_TRUE(dev.gb_help->isVisible());
    QTest::mouseClick(dev.Button4, Qt::LeftButton);
    EXPECT_FALSE(dev.gb_help->isVisible());
}

TEST_F(RecordingSourceTest, HelpPagesTurnRound) {
    dev.show();
    dev.dev_bt_helpClick();
    const std::array<QPlainTextEdit*, 4> pages{dev.Memo1, dev.Memo2, dev.Memo3, dev.Memo4};
    auto shown = [&] {
        std::vector<int> visible;
        for (int i = 0; i < 4; ++i)
            if (pages[size_t(i)]->isVisible())
                visible.push_back(i + 1);
        return visible;
    };
    EXPECT_EQ(shown(), std::vector<int>{1});
    QTest::mouseClick(dev.bt_pre, Qt::LeftButton);
    EXPECT_EQ(shown(), std::vector<int>{4});
    QTest::mouseClick(dev.bt_nex, Qt::LeftButton);
    EXPECT_EQ(shown(), std::vector<int>{1});
    for (int expected : {2, 3, 4, 1}) {
        QTest::mouseClick(dev.bt_nex, Qt::LeftButton);
        EXPECT_EQ(shown(), std::vector<int>{expected});
    }
}

TEST_F(RecordingSourceTest, AskedModallyWhileShownThroughTheSettingsItBecomesModal) {
    FillLikeShowSequence(dev, rig.record, rig.settings);
    rig.fm_set.show();
    rig.fm_set.ShowPane(0);
    rig.fm_set.close(); // the source window stays shown, not modal
    ASSERT_TRUE(dev.isVisible());
    ASSERT_FALSE(dev.isModal());

    // The main window's "scource" command: enable Help, place, show modally.
    bool ran = false;
    QTimer::singleShot(0, &dev, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dev);
        EXPECT_TRUE(dev.isVisible());
        EXPECT_TRUE(dev.dev_bt_help->isEnabled());
        ran = true;
        QTest::mouseClick(dev.dev_bt_can, Qt::LeftButton);
    });
    dev.dev_bt_help->setEnabled(true);
    dev.move(rig.fm_set.pos() + QPoint(114, 0));
    EXPECT_EQ(dev.exec(), QDialog::Rejected);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(dev.isVisible());
}

} // namespace
} // namespace varnelo::testing
