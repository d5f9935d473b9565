#include "settings/Tfm_dev.h"

#include "platform/audio/api/IAudioRecord2.h"
#include "settings/DialogStyle.h"
#include "settings/HelpPages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QWindow>

namespace varnelo {

Tfm_dev::Tfm_dev(IAudioRecord2& AudioRecord1, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      AudioRecord1_(AudioRecord1) {
    setObjectName(QStringLiteral("fm_dev"));
    setWindowTitle(QStringLiteral("Recording Source"));
    setFixedSize(250, 239);
    ApplyDialogStyle(*this);

    GroupBox1 = new QGroupBox(QStringLiteral("Recording Device "), this);
    GroupBox1->setGeometry(6, 4, 238, 84);
    cb_rd = new QComboBox(GroupBox1);
    cb_rd->setObjectName(QStringLiteral("cb_rd"));
    cb_rd->setGeometry(10, 22, 218, 24);
    cb_rdson = new QComboBox(GroupBox1);
    cb_rdson->setObjectName(QStringLiteral("cb_rdson"));
    cb_rdson->setGeometry(10, 52, 218, 24);
    // With a placeholder a list does not select its first entry by itself, so
    // the filling alone decides what is shown selected (possibly nothing).
    cb_rd->setPlaceholderText(QStringLiteral("No recording device"));
    cb_rdson->setPlaceholderText(QStringLiteral("No input line selected"));

    GroupBox2 = new QGroupBox(QStringLiteral("Recording Volume"), this);
    GroupBox2->setGeometry(6, 94, 238, 100);
    tb_rd = new QSlider(Qt::Horizontal, GroupBox2);
    tb_rd->setObjectName(QStringLiteral("tb_rd"));
    tb_rd->setGeometry(10, 24, 218, 24);
    tb_rd->setRange(0, 66535);
    tb_rd->setSingleStep(1);
    tb_rd->setTickPosition(QSlider::NoTicks);
    Label1 = new QLabel(QStringLiteral("Please low the volume as possible. The lower"), GroupBox2);
    Label1->setGeometry(6, 54, 228, 18);
    Label2 = new QLabel(QStringLiteral(" the volume, the better the quality. "), GroupBox2);
    Label2->setGeometry(6, 72, 228, 18);

    dev_bt_ok = new QPushButton(QStringLiteral("Ok"), this);
    dev_bt_ok->setGeometry(8, 204, 72, 26);
    dev_bt_can = new QPushButton(QStringLiteral("Cancel"), this);
    dev_bt_can->setGeometry(89, 204, 72, 26);
    dev_bt_help = new QPushButton(QStringLiteral("Help"), this);
    dev_bt_help->setGeometry(170, 204, 72, 26);

    // The help panel lies over the whole window while it is shown.
    gb_help = new QGroupBox(QStringLiteral("Help"), this);
    gb_help->setObjectName(QStringLiteral("gb_help"));
    gb_help->setGeometry(0, 0, 250, 239);
    QPlainTextEdit** memos[] = {&Memo1, &Memo2, &Memo3, &Memo4};
    for (int i = 0; i < 4; ++i) {
        *memos[i] = MakeHelpPage(gb_help, i);
        (*memos[i])->setGeometry(8, 22, 234, 174);
    }
    bt_pre = new QPushButton(QStringLiteral("Preview"), gb_help);
    bt_pre->setGeometry(8, 204, 72, 26);
    bt_nex = new QPushButton(QStringLiteral("Next"), gb_help);
    bt_nex->setGeometry(89, 204, 72, 26);
    Button4 = new QPushButton(QStringLiteral("I Know"), gb_help);
    Button4->setGeometry(170, 204, 72, 26);
    gb_help->hide();

    // Only a pick by the user acts; filling the list at start-up does not.
    connect(cb_rdson, &QComboBox::activated, this, &Tfm_dev::cb_rdsonChange);
    connect(tb_rd, &QSlider::valueChanged, this, &Tfm_dev::tb_rdChange);
    connect(dev_bt_ok, &QPushButton::clicked, this, &Tfm_dev::dev_bt_okClick);
    connect(dev_bt_can, &QPushButton::clicked, this, &Tfm_dev::dev_bt_canClick);
    connect(dev_bt_help, &QPushButton::clicked, this, &Tfm_dev::dev_bt_helpClick);
    connect(Button4, &QPushButton::clicked, this, &Tfm_dev::Button4Click);
    connect(bt_nex, &QPushButton::clicked, this, &Tfm_dev::bt_nexClick);
    connect(bt_pre, &QPushButton::clicked, this, &Tfm_dev::bt_preClick);
}

int Tfm_dev::exec() {
    // A window already on screen cannot become modal; hide it and show it
    // again modally, as a window of its own rather than one over the settings.
    if (isVisible())
        hide();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(nullptr);
    return QDialog::exec();
}

void Tfm_dev::cb_rdsonChange(int index) {
    AudioRecord1_.SelectLine(index + 1);
    AudioRecord1_.SetLineSelected(true);
    tb_rd->setValue(AudioRecord1_.LineVolume());
}

void Tfm_dev::tb_rdChange(int position) {
    AudioRecord1_.SetLineVolume(position);
}

void Tfm_dev::dev_bt_okClick() {
    accept();
}

void Tfm_dev::dev_bt_canClick() {
    reject();
}

void Tfm_dev::dev_bt_helpClick() {
    gb_help->show();
    gb_help->raise();
}

void Tfm_dev::Button4Click() {
    gb_help->hide();
}

void Tfm_dev::bt_nexClick() {
    TurnHelpPage(pages(), +1);
}

void Tfm_dev::bt_preClick() {
    TurnHelpPage(pages(), -1);
}

} // namespace varnelo
