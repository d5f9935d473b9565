#include "schedule/Tfm_sche.h"

#include "settings/DialogStyle.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

namespace varnelo {

namespace {

QTimeEdit* MakeTimePicker(QWidget* parent, int x, int y) {
    auto* picker = new QTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    picker->setGeometry(x, y, 88, 22);
    picker->setEnabled(false);
    return picker;
}

} // namespace

Tfm_sche::Tfm_sche(SettingsFile& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      settings_(settings) {
    setObjectName(QStringLiteral("fm_sche"));
    setWindowTitle(QStringLiteral("Schedule Settings"));
    // Laid over the whole settings dialog by its "Schedule" node, so the same size.
    setFixedSize(389, 273);
    ApplyDialogStyle(*this);

    GroupBox8 = new QGroupBox(QStringLiteral("Schedule Mode"), this);
    GroupBox8->setGeometry(6, 4, 377, 50);
    RadioButton1 = new QRadioButton(QStringLiteral("Disabled schedule"), GroupBox8);
    RadioButton1->setGeometry(8, 20, 116, 22);
    RadioButton2 = new QRadioButton(QStringLiteral("Every Day"), GroupBox8);
    RadioButton2->setGeometry(126, 20, 72, 22);
    RadioButton3 = new QRadioButton(QStringLiteral("Special Day"), GroupBox8);
    RadioButton3->setGeometry(200, 20, 84, 22);
    date_time = new QDateEdit(GroupBox8);
    date_time->setCalendarPopup(true);
    date_time->setGeometry(288, 20, 82, 22);

    GroupBox7 = new QGroupBox(QStringLiteral("Schedule Time"), this);
    GroupBox7->setGeometry(6, 58, 377, 104);
    QCheckBox** boxes[] = {&cb_rec1, &cb_rec2, &cb_rec3};
    QTimeEdit** begins[] = {&Begintime1, &begintime2, &begintime3};
    QTimeEdit** ends[] = {&endtime1, &endtime2, &endtime3};
    for (int i = 0; i < 3; ++i) {
        const int y = 20 + i * 27;
        *boxes[i] = new QCheckBox(QStringLiteral("Begin Time:"), GroupBox7);
        (*boxes[i])->setGeometry(8, y, 92, 22);
        *begins[i] = MakeTimePicker(GroupBox7, 102, y);
        auto* endLabel = new QLabel(QStringLiteral("End Time:"), GroupBox7);
        endLabel->setGeometry(200, y, 70, 22);
        *ends[i] = MakeTimePicker(GroupBox7, 274, y);
    }

    GroupBox1 = new QGroupBox(QStringLiteral("      Sechedule Close the computer"), this);
    GroupBox1->setGeometry(6, 166, 377, 70);
    CB_SHOWD = new QCheckBox(GroupBox1);
    CB_SHOWD->setGeometry(8, 0, 18, 18);
    dtpTime = MakeTimePicker(GroupBox1, 8, 22);
    Label1 = new QLabel(QStringLiteral("Automatically Shut down your computer at the time you set"),
                        GroupBox1);
    Label1->setGeometry(8, 46, 360, 18);

    sche_bt_ok = new QPushButton(QStringLiteral("Ok"), this);
    sche_bt_ok->setGeometry(136, 243, 75, 24);
    Button2 = new QPushButton(QStringLiteral("default"), this);
    Button2->setGeometry(220, 243, 75, 24);
    Button3 = new QPushButton(QStringLiteral("Cancel"), this);
    Button3->setGeometry(304, 243, 75, 24);
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace varnelo
