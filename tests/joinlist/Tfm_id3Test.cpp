#include "tags/Tfm_id3.h"

#include "platform/audio/tags/TAudioInformation2.h"
#include "settings/SettingsFile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

// The tag editor's window as created at start-up.
TEST(TagEditorWindowTest, CreationFillsTheGenreListAndFields) {
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath("Varn.ini"));
    TAudioInformation2 component;
    Tfm_id3 editor(component, settings);

    EXPECT_EQ(editor.windowTitle(), QStringLiteral("ID3 info"));
    EXPECT_TRUE(editor.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(editor.windowFlags() & Qt::WindowMaximizeButtonHint);
    ASSERT_EQ(editor.infoGenre->count(), 148);
    for (int i = 0; i < 148; ++i)
        EXPECT_EQ(editor.infoGenre->itemText(i), component.GenreName(i)) << i;
    EXPECT_FALSE(editor.infoGenre->isEditable());
    EXPECT_EQ(editor.infoYear->text(), QStringLiteral("0"));
    EXPECT_EQ(editor.infoTrack->text(), QStringLiteral("0"));
    EXPECT_FALSE(editor.streamGroup->isEnabled());
    EXPECT_TRUE(editor.infoFrequency->isReadOnly());
    EXPECT_EQ(editor.btnApply->text(), QStringLiteral("OK"));
    EXPECT_EQ(editor.btnReset->text(), QStringLiteral("Clear"));
    EXPECT_EQ(editor.Button2->text(), QStringLiteral("Cancel"));

    editor.show();
    ASSERT_TRUE(editor.isVisible());
    editor.Button2->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Rejected);
}

} // namespace
} // namespace varnelo
