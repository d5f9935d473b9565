// The output directory dialog: "New Folder", "Ok" and "Cancel" on real folders.
#include "tests/settings_dialog/DialogRig.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace varnelo::testing {
namespace {

class DirectoryDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        rig.fm_set.move(140, 90);
        rig.fm_set.show();
        rig.fm_dir.show();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    // Selects a folder in the tree the way a click does.
    QModelIndex Select(const QString& path) {
        const QModelIndex index = rig.fm_dir.ShellModel->index(path);
        EXPECT_TRUE(index.isValid()) << path.toStdString();
        rig.fm_dir.ShellTreeView1->setCurrentIndex(index);
        return index;
    }
    QStringList Entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    DialogRig rig;
    QTemporaryDir folder;
};

TEST(NewFolderPath, AddsASlashOnlyWhenThePathHasNone) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"/srv/rec", "/srv/rec/New Folder"},
        {"/srv/rec/", "/srv/rec/New Folder"},
        {"/", "/New Folder"},
        {"/srv/My Music", "/srv/My Music/New Folder"},
    };
    for (const auto& [folder, expected] : cases)
        EXPECT_EQ(Tfm_dir::NewFolderPath(folder), expected) << folder.toStdString();
}

TEST_F(DirectoryDialogTest, WindowHasItsCaptionSizeAndLiesOverTheSettingsDialog) {
    EXPECT_EQ(rig.fm_dir.windowTitle(), "Output Directory");
    EXPECT_EQ(rig.fm_dir.size(), QSize(247, 269));
    EXPECT_EQ(rig.fm_dir.pos(), rig.fm_set.pos());
    EXPECT_EQ(rig.fm_dir.ShellTreeView1->geometry(), QRect(4, 4, 237, 229));
    EXPECT_EQ(rig.fm_dir.Button1->text(), "New Folder");
    EXPECT_EQ(rig.fm_dir.btn_ok->text(), "Ok");
    EXPECT_EQ(rig.fm_dir.btn_cancel->text(), "Cancel");
    // Folders only: a file beside a folder is not in the tree.
    QDir(folder.path()).mkdir("sub");
    QFile file(folder.filePath("song.ogg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QFileSystemModel* model = rig.fm_dir.ShellModel;
    const QModelIndex parent = Select(folder.path());
    rig.fm_dir.ShellTreeView1->expand(parent);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    while (model->rowCount(parent) == 0) {
        ASSERT_TRUE(loaded.wait(5000));
    }
    EXPECT_TRUE(model->index(folder.filePath("sub")).isValid());
    EXPECT_EQ(model->rowCount(parent), 1);
}

TEST_F(DirectoryDialogTest, NewFolderTwiceCreatesOneFolderAndReportsNothing) {
    QFileSystemModel* model = rig.fm_dir.ShellModel;
    const QModelIndex parent = Select(folder.path());
    rig.fm_dir.ShellTreeView1->expand(parent);
    QSignalSpy inserted(model, &QFileSystemModel::rowsInserted);

    QTest::mouseClick(rig.fm_dir.Button1, Qt::LeftButton);
    EXPECT_EQ(Entries(), QStringList{"New Folder"});
    EXPECT_TRUE(QFileInfo(folder.filePath("New Folder")).isDir());
    // The tree shows it under the selected folder, whose selection stays.
    while (!model->index(folder.filePath("New Folder")).isValid() || model->rowCount(parent) == 0) {
        ASSERT_TRUE(inserted.wait(5000));
    }
    EXPECT_EQ(model->index(folder.filePath("New Folder")).parent(), parent);
    EXPECT_EQ(rig.fm_dir.SelectedPath(), folder.path());

    QTest::mouseClick(rig.fm_dir.Button1, Qt::LeftButton);
    EXPECT_EQ(Entries(), QStringList{"New Folder"}); // no numbered name tried
    EXPECT_EQ(rig.fm_dir.SelectedPath(), folder.path());
    EXPECT_TRUE(rig.boxes.texts.isEmpty());
}

TEST_F(DirectoryDialogTest, NewFolderInAFolderWhosePathEndsWithASlash) {
    // A root folder's path ends with its separator; none is added.
    const QString root = folder.path() + "/";
    const QString made = Tfm_dir::NewFolderPath(root);
    EXPECT_EQ(made, folder.path() + "/New Folder");
    EXPECT_TRUE(QDir().mkdir(made));
    EXPECT_EQ(Entries(), QStringList{"New Folder"});
}

TEST_F(DirectoryDialogTest, NewFolderWithNothingSelectedDoesNothing) {
    rig.fm_dir.ShellTreeView1->clearSelection();
    ASSERT_EQ(rig.fm_dir.SelectedPath(), "");
    QTest::mouseClick(rig.fm_dir.Button1, Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists("New Folder"));
    EXPECT_FALSE(QFileInfo::exists("/New Folder"));
}

TEST_F(DirectoryDialogTest, OkRecordsTheFolderAsPathAndInTheDirectoryBox) {
    Select(folder.path());
    QTest::mouseClick(rig.fm_dir.btn_ok, Qt::LeftButton);
    EXPECT_EQ(rig.settings.ReadString("output", "path", "<absent>"), folder.path());
    EXPECT_EQ(rig.fm_set.ed_dir->text(), folder.path());
    EXPECT_EQ(rig.settings.ReadString("output", "dir", "<absent>"), "<absent>");
    EXPECT_FALSE(rig.fm_dir.isVisible());
    EXPECT_TRUE(rig.fm_set.isVisible()); // nothing else is closed
}

TEST_F(DirectoryDialogTest, OkWithNothingSelectedRecordsAnEmptyPath) {
    rig.fm_dir.ShellTreeView1->clearSelection();
    rig.fm_set.ed_dir->setText("/srv/before");
    QTest::mouseClick(rig.fm_dir.btn_ok, Qt::LeftButton);
    EXPECT_EQ(rig.settings.ReadString("output", "path", "<absent>"), "");
    EXPECT_EQ(rig.fm_set.ed_dir->text(), "");
}

TEST_F(DirectoryDialogTest, CancelChangesNothing) {
    Select(folder.path());
    rig.fm_set.ed_dir->setText("/srv/before");
    QTest::mouseClick(rig.fm_dir.btn_cancel, Qt::LeftButton);
    EXPECT_FALSE(rig.fm_dir.isVisible());
    EXPECT_EQ(rig.fm_set.ed_dir->text(), "/srv/before");
    EXPECT_FALSE(rig.SettingsFileExists());
    // Reopened, the tree keeps its selection.
    rig.fm_dir.show();
    EXPECT_EQ(rig.fm_dir.SelectedPath(), folder.path());
}

} // namespace
} // namespace varnelo::testing
