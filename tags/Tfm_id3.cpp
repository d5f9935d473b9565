#include "tags/Tfm_id3.h"

#include "platform/audio/api/IAudioInformation2.h"
#include "settings/SettingsFile.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnelo {

namespace {
constexpr int kGenreCount = 148;

QLineEdit* AddField(QFormLayout* form, const QString& label, const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    form->addRow(label, edit);
    return edit;
}
} // namespace

Tfm_id3::Tfm_id3(IAudioInformation2& AudioInformation21, SettingsFile& settings, QWidget* parent)
    : QDialog(parent), AudioInformation21_(AudioInformation21), settings_(settings) {
    setObjectName(QStringLiteral("fm_id3"));
    setWindowTitle(QStringLiteral("ID3 info"));
    // Single-line border: fixed size, system menu and minimise box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);

    auto* tags = new QFormLayout;
    infoFileName = AddField(tags, QStringLiteral("File Name:"), "infoFileName");
    QPalette red = infoFileName->palette();
    red.setColor(QPalette::Text, Qt::red);
    infoFileName->setPalette(red);
    infoTitle = AddField(tags, QStringLiteral("Title:"), "infoTitle");
    infoArtist = AddField(tags, QStringLiteral("Artist:"), "infoArtist");
    infoAlbum = AddField(tags, QStringLiteral("Album:"), "infoAlbum");
    infoGenre = new QComboBox;
    infoGenre->setObjectName(QStringLiteral("infoGenre"));
    infoGenre->setEditable(false);
    tags->addRow(QStringLiteral("Genre:"), infoGenre);
    infoYear = AddField(tags, QStringLiteral("Year:"), "infoYear");
    infoYear->setText(QStringLiteral("0"));
    infoTrack = AddField(tags, QStringLiteral("Track:"), "infoTrack");
    infoTrack->setText(QStringLiteral("0"));
    infoComment = AddField(tags, QStringLiteral("Comment:"), "infoComment");

    streamGroup = new QGroupBox;
    auto* stream = new QFormLayout(streamGroup);
    infoFrequency = AddField(stream, QStringLiteral("Frequency:"), "infoFrequency");
    infoBitrate = AddField(stream, QStringLiteral("Bitrate:"), "infoBitrate");
    infoDuration = AddField(stream, QStringLiteral("Duration:"), "infoDuration");
    infoChannels = AddField(stream, QStringLiteral("Channels:"), "infoChannels");
    infoSamples = AddField(stream, QStringLiteral("Samples:"), "infoSamples");
    infoSize = AddField(stream, QStringLiteral("Size:"), "infoSize");
    infoBitsPerSample = AddField(stream, QStringLiteral("BitsPerSample:"), "infoBitsPerSample");
    infoFormatTag = AddField(stream, QStringLiteral("FormatTag:"), "infoFormatTag");
    for (QLineEdit* edit : {infoFrequency, infoBitrate, infoDuration, infoChannels, infoSamples,
                            infoSize, infoBitsPerSample, infoFormatTag})
        edit->setReadOnly(true);
    streamGroup->setEnabled(false); // the user cannot change stream information

    btnApply = new QPushButton(QStringLiteral("OK"));
    btnApply->setObjectName(QStringLiteral("btnApply"));
    btnReset = new QPushButton(QStringLiteral("Clear"));
    btnReset->setObjectName(QStringLiteral("btnReset"));
    Button2 = new QPushButton(QStringLiteral("Cancel"));
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button2, &QPushButton::clicked, this, &Tfm_id3::Button2Click);

    auto* columns = new QHBoxLayout;
    columns->addLayout(tags, 3);
    columns->addWidget(streamGroup, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnApply);
    buttons->addWidget(btnReset);
    buttons->addWidget(Button2);
    auto* root = new QVBoxLayout(this);
    root->addLayout(columns);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

Tfm_id3::~Tfm_id3() = default;

// The genre list: position i holds genre i.
void Tfm_id3::FormCreate() {
    for (int i = 0; i < kGenreCount; ++i)
        infoGenre->addItem(AudioInformation21_.GenreName(i));
    infoGenre->setCurrentIndex(-1);
}

// "Cancel" and the close box: nothing is stored or written.
void Tfm_id3::Button2Click() {
    reject();
}

} // namespace varnelo
