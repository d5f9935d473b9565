#pragma once

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace varnelo {

class SettingsFile;

// The schedule dialog "Schedule Settings": three daily or one-day recording
// windows and the automatic shutdown time. Created once, hidden when closed.
// GUI thread only.
class Tfm_sche : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_sche(SettingsFile& settings, QWidget* parent = nullptr);

    QGroupBox* GroupBox8;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QDateEdit* date_time;

    QGroupBox* GroupBox7;
    QCheckBox* cb_rec1;
    QCheckBox* cb_rec2;
    QCheckBox* cb_rec3;
    QTimeEdit* Begintime1;
    QTimeEdit* begintime2;
    QTimeEdit* begintime3;
    QTimeEdit* endtime1;
    QTimeEdit* endtime2;
    QTimeEdit* endtime3;

    QGroupBox* GroupBox1;
    QCheckBox* CB_SHOWD;
    QTimeEdit* dtpTime;
    QLabel* Label1;

    QPushButton* sche_bt_ok;
    QPushButton* Button2;
    QPushButton* Button3;

private:
    SettingsFile& settings_;
};

} // namespace varnelo
