#include "settings/Tfm_set.h"

#include "platform/audio/api/IAudioFile2.h"
#include "platform/shell/InfoBox.h"
#include "schedule/Tfm_sche.h"
#include "settings/DialogStyle.h"
#include "settings/HelpPages.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_dir.h"
#include "settings/UpDown.h"
#include "settings/ValueTables.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QWindow>

namespace varnelo {

const char* const Tfm_set::WebAddress = "https://www.varnelo.example.com";
const char* const Tfm_set::SalesAddress = "sales@varnelo.example.com";
const char* const Tfm_set::SupportAddress = "support@varnelo.example.com";

namespace {

const QString kFile = QStringLiteral("file");
const QString kOutput = QStringLiteral("output");
const QString kOgg = QStringLiteral("ogg");

QString DefaultDirectory() {
    return QDir::homePath() + QStringLiteral("/Ro Dezirevu");
}

// Unlike a click, setting a radio button from code may also leave its whole
// group without a selection (a stored "false" for both naming modes).
void SetRadio(QRadioButton* button, bool selected) {
    if (selected) {
        button->setChecked(true);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

QGroupBox* MakePane(QWidget* parent, const char* caption, int height) {
    auto* pane = new QGroupBox(QString::fromLatin1(caption), parent);
    pane->setGeometry(129, 2, 257, height);
    pane->hide();
    return pane;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 20) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QComboBox* MakeList(QWidget* parent, const QStringList& items, int position, int x, int y, int w) {
    auto* list = new QComboBox(parent); // pick-only: not editable
    list->addItems(items);
    list->setCurrentIndex(position);
    list->setGeometry(x, y, w, 22);
    return list;
}

template <std::size_t N> QStringList TableTexts(const std::array<int, N>& table, const char* unit) {
    QStringList texts;
    for (int value : table)
        texts << QString::number(value) + QLatin1String(unit);
    return texts;
}

// A label that reads as a web link and reports a click.
QLabel* MakeLink(QWidget* parent, const QString& text, int x, int y, int w) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("link"));
    label->setText(
        QStringLiteral("<a href=\"#\" style=\"color:#4da3ff;\">%1</a>").arg(text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setCursor(Qt::PointingHandCursor);
    label->setGeometry(x, y, w, 20);
    return label;
}

// The program's icon: the application's own when it has one, otherwise a
// drawn one in the skin's colours (a level bar over a dark tile).
QPixmap ProgramIcon() {
    if (!qApp->windowIcon().isNull())
        return qApp->windowIcon().pixmap(48, 48);
    QPixmap icon(48, 48);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x5a, 0x60, 0x68), 1));
    p.setBrush(QColor(0x26, 0x29, 0x2e));
    p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 9, 9);
    const int heights[] = {10, 20, 30, 16, 26, 12, 22};
    for (int i = 0; i < 7; ++i) {
        const int h = heights[i];
        p.fillRect(QRect(8 + i * 5, 24 - h / 2, 3, h), QColor(0x1a, 0xa9, 0xd6));
        p.fillRect(QRect(8 + i * 5, 24 - h / 2, 3, 3), QColor(0x8f, 0xe3, 0xff));
    }
    p.setBrush(QColor(0xff, 0x45, 0x3a));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(39, 39), 4, 4);
    return icon;
}

} // namespace

QString Tfm_set::OggRefusedMessage() {
    // Qt's message box breaks lines at "\n" ("\r" would show as nothing).
    return QStringList{QStringLiteral("This OGG format is not supported. "),
                       QStringLiteral("You have set too high frequency and too low bitrate or "
                                      "otherwise. "),
                       QStringLiteral("Please adjust the frequency or bitrate.")}
        .join(QLatin1Char('\n'));
}

Tfm_set::Tfm_set(SettingsFile& settings, IAudioFile2& AudioFileWrite, Tfm_dev& fm_dev,
                 Tfm_sche& fm_sche, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      settings_(settings), AudioFileWrite_(AudioFileWrite), fm_dev_(fm_dev), fm_sche_(fm_sche) {
    setObjectName(QStringLiteral("fm_set"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(389, 273);
    ApplyDialogStyle(*this);

    BuildTree();
    BuildSourcePane();
    BuildFilePane();
    BuildFormatPane();
    BuildOggPane();
    BuildAboutPane();
    // Before the first click on the tree the About pane is shown.
    pn_about->show();

    set_bt_ok = new QPushButton(QStringLiteral("OK"), this);
    set_bt_ok->setObjectName(QStringLiteral("set_bt_ok"));
    set_bt_ok->setGeometry(4, 243, 59, 26);
    set_bt_default = new QPushButton(QStringLiteral("Default"), this);
    set_bt_default->setGeometry(67, 243, 59, 26);
    connect(set_bt_ok, &QPushButton::clicked, this, &Tfm_set::set_bt_okClick);
    connect(set_bt_default, &QPushButton::clicked, this, &Tfm_set::set_bt_defaultClick);
}

void Tfm_set::SetDirectoryDialog(Tfm_dir* fm_dir) {
    fm_dir_ = fm_dir;
}

// --- building the window -------------------------------------------------

void Tfm_set::BuildTree() {
    tv = new QTreeWidget(this);
    tv->setObjectName(QStringLiteral("tv"));
    tv->setGeometry(4, 6, 122, 231);
    tv->setHeaderHidden(true);
    tv->setIndentation(19);
    // Top-level nodes start at the left edge, leaving their names the room.
    tv->setRootIsDecorated(false);
    tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tv->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const char* name :
         {"Recording Source", "File Length Limitation", "Schedule", "Output Format"})
        new QTreeWidgetItem(tv, QStringList(QString::fromLatin1(name)));
    new QTreeWidgetItem(tv->topLevelItem(3), QStringList(QStringLiteral("OGG")));
    new QTreeWidgetItem(tv, QStringList(QStringLiteral("About")));
    // A node opens when it is selected.
    connect(tv, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* current) {
        if (current)
            current->setExpanded(true);
    });
    // Only a mouse click switches panes; moving the selection by keyboard does not.
    tv->viewport()->installEventFilter(this);
}

void Tfm_set::BuildSourcePane() {
    pn_source =
        MakePane(this, "----------------------Recording Source----------------------------", 268);
    GroupBox3 = new QGroupBox(QStringLiteral("Help"), pn_source);
    GroupBox3->setGeometry(8, 20, 241, 210);
    QPlainTextEdit** memos[] = {&Memo2, &Memo3, &Memo4, &Memo5};
    for (int i = 0; i < 4; ++i) {
        *memos[i] = MakeHelpPage(GroupBox3, i);
        (*memos[i])->setObjectName(QStringLiteral("Memo%1").arg(i + 2));
        (*memos[i])->setGeometry(8, 22, 225, 180);
    }
    bt_pre = new QPushButton(QStringLiteral("Preview"), pn_source);
    bt_pre->setGeometry(8, 236, 75, 24);
    bt_nex = new QPushButton(QStringLiteral("Next"), pn_source);
    bt_nex->setGeometry(91, 236, 75, 24);
    Button1 = new QPushButton(QStringLiteral("Set"), pn_source);
    Button1->setGeometry(174, 236, 75, 24);
    connect(bt_pre, &QPushButton::clicked, this, &Tfm_set::bt_preClick);
    connect(bt_nex, &QPushButton::clicked, this, &Tfm_set::bt_nexClick);
    connect(Button1, &QPushButton::clicked, this, &Tfm_set::Button1Click);
}

void Tfm_set::BuildFilePane() {
    pn_file = MakePane(
        this, "--------------------------File Length Limitation---------------------", 268);
    length_en = new QCheckBox(QStringLiteral("Enable File Length Limitation System"), pn_file);
    length_en->setGeometry(10, 24, 240, 22);

    GroupBox4 = new QGroupBox(QStringLiteral("File Limitation"), pn_file);
    GroupBox4->setGeometry(8, 54, 241, 62);
    file_rb_time = new QRadioButton(QStringLiteral("Time: "), GroupBox4);
    file_rb_time->setGeometry(10, 26, 64, 22);
    file_rb_time->setChecked(true);
    file_time = new QLineEdit(QStringLiteral("120"), GroupBox4);
    file_time->setObjectName(QStringLiteral("file_time"));
    file_time->setGeometry(78, 26, 80, 22);
    file_time->installEventFilter(this);
    MakeLabel(GroupBox4, QStringLiteral("Seconds"), 166, 27, 64);

    file_limit_stop =
        new QCheckBox(QStringLiteral("Stop recording when the limit is reached "), pn_file);
    file_limit_stop->setGeometry(10, 128, 240, 22);
    file_limit_stop->setChecked(true);
    file_limit_new =
        new QCheckBox(QStringLiteral("Record a new file when the limit is reached"), pn_file);
    file_limit_new->setGeometry(10, 154, 240, 22);

    connect(length_en, &QCheckBox::clicked, this, &Tfm_set::length_enClick);
    connect(file_rb_time, &QRadioButton::clicked, this, &Tfm_set::file_rb_timeClick);
}

void Tfm_set::BuildFormatPane() {
    pn_format = MakePane(
        this, "------------------------------Output Format----------------------------", 268);
    auto* dirGroup = new QGroupBox(QStringLiteral("Output Directory:"), pn_format);
    dirGroup->setGeometry(8, 20, 241, 52);
    ed_dir = new QLineEdit(DefaultDirectory(), dirGroup);
    ed_dir->setObjectName(QStringLiteral("ed_dir"));
    ed_dir->setGeometry(8, 22, 194, 22);
    Button2 = new QPushButton(QStringLiteral("..."), dirGroup);
    Button2->setGeometry(206, 22, 27, 22);

    MakeLabel(pn_format, QStringLiteral("Output Format:"), 10, 80, 90, 22);
    cb_format = MakeList(pn_format, {QStringLiteral("OGG File (*.ogg)")}, 0, 102, 80, 147);
    MakeLabel(pn_format, QStringLiteral("Main name:"), 10, 106, 90, 22);
    out_name = new QLineEdit(QStringLiteral("ZEV"), pn_format);
    out_name->setObjectName(QStringLiteral("out_name"));
    out_name->setGeometry(102, 106, 147, 22);
    out_name->installEventFilter(this);

    auto* nameGroup = new QGroupBox(QStringLiteral("Output Name:"), pn_format);
    nameGroup->setGeometry(8, 134, 241, 92);
    rb_time = new QRadioButton(QStringLiteral("Date_Time Mode"), nameGroup);
    rb_time->setGeometry(8, 20, 225, 20);
    rb_time->setChecked(true);
    out_labe_dat = MakeLabel(nameGroup, QStringLiteral("Example: ZEV-19-05-2006--00;08;04.MP3"), 14,
                             40, 224, 16);
    rb_cust = new QRadioButton(QStringLiteral("Custom Name"), nameGroup);
    rb_cust->setGeometry(8, 56, 225, 20);
    out_labe_cus = MakeLabel(nameGroup, QStringLiteral("Example: ZEV.MP3"), 14, 74, 224, 16);
    for (QLabel* example : {out_labe_dat, out_labe_cus})
        example->setObjectName(QStringLiteral("example"));

    MakeLabel(pn_format, QStringLiteral("If the filename already exists, the file will be "), 10,
              230, 240, 16);
    MakeLabel(pn_format, QStringLiteral("overwritten automatically.  "), 10, 246, 240, 16);

    connect(Button2, &QPushButton::clicked, this, &Tfm_set::Button2Click);
    connect(rb_time, &QRadioButton::clicked, this, &Tfm_set::rb_timeClick);
    connect(rb_cust, &QRadioButton::clicked, this, &Tfm_set::rb_custClick);
}

void Tfm_set::BuildOggPane() {
    pn_ogg = MakePane(
        this, "---------------------------------OGG---------------------------------------", 268);
    auto* general = new QGroupBox(QStringLiteral("General Options  "), pn_ogg);
    general->setGeometry(8, 20, 241, 90);
    MakeLabel(general, QStringLiteral("Frequency:  "), 8, 18, 86, 22);
    cb_ogg_fre = MakeList(general, TableTexts(FrequencyTable, " Hz"), 8, 96, 18, 137);
    MakeLabel(general, QStringLiteral("Channet:  "), 8, 42, 86, 22);
    cb_ogg_channel = MakeList(
        general, {QString::fromLatin1(ChannelNames[0]), QString::fromLatin1(ChannelNames[1])}, 1,
        96, 42, 137);
    MakeLabel(general, QStringLiteral("Bitrate:  "), 8, 66, 86, 22);
    cb_ogg_bit = MakeList(general, TableTexts(NominalBitrateTable, " Kbps"), 4, 96, 66, 137);

    auto* vbr = new QGroupBox(QStringLiteral("VRB(Variable Bit Rate) "), pn_ogg);
    vbr->setGeometry(8, 114, 241, 118);
    cb_ogg_quality = new QCheckBox(QStringLiteral("Enable Quality "), vbr);
    cb_ogg_quality->setGeometry(8, 18, 200, 20);
    cb_ogg_quality->setChecked(true);
    MakeLabel(vbr, QStringLiteral("VBR Quality:  "), 8, 42, 86, 22);
    edt_ogg_quality = new QLineEdit(vbr);
    edt_ogg_quality->setObjectName(QStringLiteral("edt_ogg_quality"));
    edt_ogg_quality->setGeometry(96, 42, 60, 22);
    ud_ogg_quality = new UpDown(*edt_ogg_quality, 0, 1000, vbr);
    ud_ogg_quality->setGeometry(156, 42, 16, 22);
    ud_ogg_quality->SetPosition(300);
    const QStringList bitrates = TableTexts(BitrateTable, " Kbps");
    MakeLabel(vbr, QStringLiteral("Min Bitrate:  "), 8, 66, 86, 22);
    cb_ogg_minbit = MakeList(vbr, bitrates, 11, 96, 66, 137);
    cb_ogg_minbit->setEnabled(false);
    MakeLabel(vbr, QStringLiteral("Max Bitrate:  "), 8, 90, 86, 22);
    cb_ogg_maxbit = MakeList(vbr, bitrates, 11, 96, 90, 137);
    cb_ogg_maxbit->setEnabled(false);

    MakeLabel(pn_ogg, QStringLiteral("8Kbps - poor quality, small file, "), 10, 234, 240, 16);
    MakeLabel(pn_ogg, QStringLiteral("350Kbps  - good quality, big file"), 10, 249, 240, 16);

    connect(cb_ogg_quality, &QCheckBox::clicked, this, &Tfm_set::cb_ogg_qualityClick);
}

void Tfm_set::BuildAboutPane() {
    pn_about = MakePane(
        this, "---------------------------------About-------------------------------------", 271);
    Image1 = new QLabel(pn_about);
    Image1->setPixmap(ProgramIcon());
    Image1->setGeometry(16, 30, 48, 48);
    auto* name = MakeLabel(pn_about, QStringLiteral("Varnelo"), 76, 30, 160, 26);
    name->setObjectName(QStringLiteral("programName"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.6);
    name->setFont(bold);
    MakeLabel(pn_about, QStringLiteral("Version: ") + QStringLiteral("1.02"), 76, 58, 160);
    for (auto [text, y] :
         {std::pair{"Vavudizu to OGG file. ", 100}, {"Join/Merge OGG file. ", 120}}) {
        QLabel* line = MakeLabel(pn_about, QString::fromLatin1(text), 16, y, 230);
        line->setObjectName(QStringLiteral("blueLine"));
    }
    MakeLabel(pn_about, QStringLiteral("Website:  "), 16, 160, 60);
    Label26 = MakeLink(pn_about, QStringLiteral("www.varnelo.example.com"), 76, 160, 176);
    MakeLabel(pn_about, QStringLiteral("E-mail:  "), 16, 186, 60);
    Label31 = MakeLink(pn_about, QString::fromLatin1(SalesAddress), 76, 186, 176);
    Label38 = MakeLink(pn_about, QString::fromLatin1(SupportAddress), 76, 208, 176);
    connect(Label26, &QLabel::linkActivated, this, &Tfm_set::Label26Click);
    connect(Label31, &QLabel::linkActivated, this, &Tfm_set::Label31Click);
    connect(Label38, &QLabel::linkActivated, this, &Tfm_set::Label38Click);
}

// --- loading and saving --------------------------------------------------

void Tfm_set::showEvent(QShowEvent* event) {
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void Tfm_set::FormShow() {
    SettingsFile& s = settings_;
    length_en->setChecked(s.ReadBool(kFile, QStringLiteral("enlength"), false));
    SetRadio(file_rb_time, s.ReadBool(kFile, QStringLiteral("rbtime"), false));
    file_rb_time->setEnabled(s.ReadBool(kFile, QStringLiteral("rbtimee"), false));
    file_time->setText(s.ReadString(kFile, QStringLiteral("timet"), QStringLiteral("120")));
    file_time->setEnabled(s.ReadBool(kFile, QStringLiteral("time"), false));
    file_limit_stop->setChecked(s.ReadBool(kFile, QStringLiteral("limit_s"), false));
    file_limit_new->setChecked(s.ReadBool(kFile, QStringLiteral("limit_n"), false));

    cb_format->setCurrentIndex(s.ReadInteger(kOutput, QStringLiteral("format"), 0));
    out_name->setText(s.ReadString(kOutput, QStringLiteral("out_name"), QStringLiteral("ZEV")));
    SetRadio(rb_time, s.ReadBool(kOutput, QStringLiteral("rb_time"), true));
    SetRadio(rb_cust, s.ReadBool(kOutput, QStringLiteral("rb_cust"), false));
    ed_dir->setText(s.ReadString(kOutput, QStringLiteral("dir"), DefaultDirectory()));

    cb_ogg_channel->setCurrentIndex(s.ReadInteger(kOgg, QStringLiteral("channel"), 1));
    cb_ogg_fre->setCurrentIndex(s.ReadInteger(kOgg, QStringLiteral("frequency"), 8));
    cb_ogg_bit->setCurrentIndex(s.ReadInteger(kOgg, QStringLiteral("bitrate"), 4));
    cb_ogg_maxbit->setCurrentIndex(s.ReadInteger(kOgg, QStringLiteral("max bitrate"), 11));
    cb_ogg_minbit->setCurrentIndex(s.ReadInteger(kOgg, QStringLiteral("min bitrate"), 11));
    cb_ogg_quality->setChecked(s.ReadBool(kOgg, QStringLiteral("enable quality"), true));
    ud_ogg_quality->SetPosition(s.ReadInteger(kOgg, QStringLiteral("quality"), 300));
    ApplyQualityRule();
}

void Tfm_set::set_bt_okClick() {
    // Key by key; a refused write throws and leaves the remaining keys alone.
    SettingsFile& s = settings_;
    s.WriteBool(kFile, QStringLiteral("enlength"), length_en->isChecked());
    s.WriteBool(kFile, QStringLiteral("rbtime"), file_rb_time->isChecked());
    s.WriteBool(kFile, QStringLiteral("rbtimee"), file_rb_time->isEnabled());
    s.WriteString(kFile, QStringLiteral("timet"), file_time->text());
    s.WriteBool(kFile, QStringLiteral("time"), file_time->isEnabled());
    s.WriteBool(kFile, QStringLiteral("limit_s"), file_limit_stop->isChecked());
    s.WriteBool(kFile, QStringLiteral("limit_n"), file_limit_new->isChecked());

    s.WriteInteger(kOutput, QStringLiteral("format"), cb_format->currentIndex());
    s.WriteString(kOutput, QStringLiteral("out_name"), out_name->text());
    s.WriteBool(kOutput, QStringLiteral("rb_time"), rb_time->isChecked());
    s.WriteBool(kOutput, QStringLiteral("rb_cust"), rb_cust->isChecked());
    s.WriteString(kOutput, QStringLiteral("dir"), ed_dir->text());

    if (!cb_ogg_quality->isChecked()) {
        const int minimum = TableValue(BitrateTable, cb_ogg_minbit->currentIndex(), 11);
        const bool supported = AudioFileWrite_.CheckOggFormat(
            TableValue(FrequencyTable, cb_ogg_fre->currentIndex(), 8),
            cb_ogg_channel->currentIndex() + 1, minimum, minimum,
            TableValue(BitrateTable, cb_ogg_maxbit->currentIndex(), 11));
        if (!supported) {
            ShowInfoBox(this, OggRefusedMessage());
            return;
        }
    }

    s.WriteInteger(kOgg, QStringLiteral("channel"), cb_ogg_channel->currentIndex());
    s.WriteInteger(kOgg, QStringLiteral("frequency"), cb_ogg_fre->currentIndex());
    s.WriteInteger(kOgg, QStringLiteral("bitrate"), cb_ogg_bit->currentIndex());
    s.WriteInteger(kOgg, QStringLiteral("max bitrate"), cb_ogg_maxbit->currentIndex());
    s.WriteInteger(kOgg, QStringLiteral("min bitrate"), cb_ogg_minbit->currentIndex());
    s.WriteBool(kOgg, QStringLiteral("enable quality"), cb_ogg_quality->isChecked());
    s.WriteInteger(kOgg, QStringLiteral("quality"), ud_ogg_quality->Position());

    if (isVisible())
        accept();
}

void Tfm_set::set_bt_defaultClick() {
    if (length_en->isChecked()) {
        length_en->setChecked(false);
        length_enClick();
    }
    file_limit_stop->setChecked(true);
    cb_format->setCurrentIndex(0);
    out_name->setText(QStringLiteral("ZEV"));
    if (!rb_time->isChecked()) {
        rb_time->setChecked(true);
        rb_timeClick();
    }
    cb_ogg_channel->setCurrentIndex(1);
    cb_ogg_fre->setCurrentIndex(8);
    cb_ogg_maxbit->setCurrentIndex(11);
    cb_ogg_minbit->setCurrentIndex(11);
    cb_ogg_minbit->setEnabled(false);
    cb_ogg_maxbit->setEnabled(false);
    if (!cb_ogg_quality->isChecked()) {
        cb_ogg_quality->setChecked(true);
        cb_ogg_qualityClick();
    }
    ud_ogg_quality->SetPosition(300);
    ud_ogg_quality->setEnabled(true);
    edt_ogg_quality->setEnabled(true);
}

// --- panes -----------------------------------------------------------------

void Tfm_set::ShowOnly(QGroupBox* pane) {
    pane->show();
    for (QGroupBox* other : {pn_source, pn_file, pn_format, pn_ogg, pn_about})
        if (other != pane)
            other->hide();
}

void Tfm_set::ShowOver(QWidget& window, int dx, int dy) {
    window.move(x() + dx, y() + dy);
    // A window shown after this one stays usable while this one is modal:
    // Qt's modality spares the windows that are transient for it.
    (void)winId();
    (void)window.winId();
    window.windowHandle()->setTransientParent(windowHandle());
    window.show();
    window.raise();
    window.activateWindow();
}

void Tfm_set::ShowPane(int position) {
    switch (position) {
    case 0:
        ShowOver(fm_dev_, 133, 31);
        ShowOnly(pn_source);
        fm_sche_.hide();
        fm_dev_.dev_bt_help->setEnabled(false);
        break;
    case 1:
        ShowOnly(pn_file);
        fm_dev_.hide();
        fm_sche_.hide();
        break;
    case 2:
        ShowOver(fm_sche_, 0, 0);
        fm_dev_.hide();
        ShowOnly(pn_about);
        break;
    case 3:
        RefreshExampleLabels();
        ShowOnly(pn_format);
        fm_dev_.hide();
        fm_sche_.hide();
        break;
    case 4:
        ShowOnly(pn_ogg);
        fm_dev_.hide();
        fm_sche_.hide();
        break;
    case 5:
        ShowOnly(pn_about);
        fm_dev_.hide();
        fm_sche_.hide();
        break;
    default:
        break;
    }
}

void Tfm_set::tvClick() {
    const QList<QTreeWidgetItem*> selected = tv->selectedItems();
    if (selected.isEmpty())
        return;
    // The overall position counts every node, expanded or not.
    int position = 0;
    for (QTreeWidgetItemIterator it(tv); *it; ++it, ++position)
        if (*it == selected.first()) {
            ShowPane(position);
            return;
        }
}

bool Tfm_set::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tv->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        tvClick();
    else if (watched == file_time && event->type() == QEvent::KeyPress)
        return file_timeKeyPress(event);
    else if (watched == out_name && event->type() == QEvent::FocusOut)
        out_nameExit();
    return QDialog::eventFilter(watched, event);
}

bool Tfm_set::file_timeKeyPress(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace)
        return false; // not a typed character, or already a Backspace
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
        return false;
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    QCoreApplication::sendEvent(file_time, &backspace);
    return true;
}

// --- enabled states and example labels --------------------------------------

void Tfm_set::length_enClick() {
    const bool enabled = length_en->isChecked();
    file_rb_time->setEnabled(enabled);
    file_time->setEnabled(enabled);
}

void Tfm_set::file_rb_timeClick() {
    file_time->setEnabled(file_rb_time->isEnabled() && file_rb_time->isChecked());
}

void Tfm_set::ApplyQualityRule() {
    const bool quality = cb_ogg_quality->isChecked();
    edt_ogg_quality->setEnabled(quality);
    ud_ogg_quality->setEnabled(quality);
    cb_ogg_minbit->setEnabled(!quality);
    cb_ogg_maxbit->setEnabled(!quality);
}

void Tfm_set::cb_ogg_qualityClick() {
    ApplyQualityRule();
}

void Tfm_set::RefreshExampleLabels() {
    const QString name = out_name->text();
    out_labe_dat->setText(QStringLiteral("Example: ") + name +
                          QStringLiteral("-19-05-2006--00;08;04.MP3"));
    out_labe_cus->setText(QStringLiteral("Example:") + name + QStringLiteral(".MP3"));
}

void Tfm_set::out_nameExit() {
    RefreshExampleLabels();
}

void Tfm_set::rb_timeClick() {
    RefreshExampleLabels();
}

void Tfm_set::rb_custClick() {
    if (!rb_cust->isChecked())
        return;
    if (out_name->text().isEmpty()) {
        out_name->setText(QStringLiteral("ZEV"));
        out_labe_cus->setText(QStringLiteral("Example: ZEV.MP3"));
        out_labe_dat->setText(QStringLiteral("Example: ZEV-19-05-2006--00;08;04.MP3"));
        return;
    }
    RefreshExampleLabels();
}

// --- other windows, help pages and links ------------------------------------

void Tfm_set::Button1Click() {
    ShowOver(fm_dev_, 133, 31);
}

void Tfm_set::Button2Click() {
    if (!fm_dir_)
        return;
    // The directory dialog places itself over this window when shown.
    (void)winId();
    (void)fm_dir_->winId();
    fm_dir_->windowHandle()->setTransientParent(windowHandle());
    fm_dir_->show();
    fm_dir_->raise();
    fm_dir_->activateWindow();
}

void Tfm_set::bt_nexClick() {
    TurnHelpPage(pages(), +1);
}

void Tfm_set::bt_preClick() {
    TurnHelpPage(pages(), -1);
}

// The desktop's handlers open these without blocking; a failure is not reported.
void Tfm_set::Label26Click() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(WebAddress)));
}

void Tfm_set::Label31Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(SalesAddress)));
}

void Tfm_set::Label38Click() {
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + QString::fromLatin1(SupportAddress)));
}

} // namespace varnelo
