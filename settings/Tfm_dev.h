#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace varnelo {

class IAudioRecord2;

// The recording source window "Recording Source": the recorder's devices and
// input lines, the line that is recorded and its recording volume. Every
// change acts on the recorder at once; nothing is stored and "Cancel" undoes
// nothing. The main window fills the lists once at start-up. GUI thread only.
class Tfm_dev : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_dev(IAudioRecord2& AudioRecord1, QWidget* parent = nullptr);

    // Asked for modally while it is shown as an ordinary window (opened
    // through the settings dialog): it is hidden first, then shown modally.
    int exec() override;

    QGroupBox* GroupBox1; // "Recording Device "
    QComboBox* cb_rd;
    QComboBox* cb_rdson;
    QGroupBox* GroupBox2; // "Recording Volume"
    QSlider* tb_rd;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* dev_bt_ok;
    QPushButton* dev_bt_can;
    QPushButton* dev_bt_help;

    QGroupBox* gb_help;
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;
    QPlainTextEdit* Memo3;
    QPlainTextEdit* Memo4;
    QPushButton* bt_pre;
    QPushButton* bt_nex;
    QPushButton* Button4;

public slots:
    void cb_rdsonChange(int index);
    void tb_rdChange(int position);
    void dev_bt_okClick();
    void dev_bt_canClick();
    void dev_bt_helpClick();
    void Button4Click();
    void bt_nexClick();
    void bt_preClick();

private:
    std::array<QPlainTextEdit*, 4> pages() const { return {Memo1, Memo2, Memo3, Memo4}; }

    IAudioRecord2& AudioRecord1_;
};

} // namespace varnelo
