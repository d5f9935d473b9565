#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace varnelo {

class IAudioFile2;
class SettingsFile;
class Tfm_dev;
class Tfm_dir;
class Tfm_sche;
class UpDown;

// The settings dialog "Settings": output directory, format and naming, OGG
// encoder parameters and the file length limitation, chosen by topic in the
// tree `tv`. The "Recording Source" and "Schedule" topics lay the recording
// source and schedule windows over this one. Created once and reused; the
// controls keep their state between openings. GUI thread only.
class Tfm_set : public QDialog {
    Q_OBJECT
public:
    Tfm_set(SettingsFile& settings, IAudioFile2& AudioFileWrite, Tfm_dev& fm_dev, Tfm_sche& fm_sche,
            QWidget* parent = nullptr);

    // The directory dialog opened by "..." (created after this window).
    void SetDirectoryDialog(Tfm_dir* fm_dir);

    QTreeWidget* tv;
    QPushButton* set_bt_ok;
    QPushButton* set_bt_default;

    // Recording Source pane: help pages on choosing a source.
    QGroupBox* pn_source;
    QGroupBox* GroupBox3; // "Help"
    QPlainTextEdit* Memo2;
    QPlainTextEdit* Memo3;
    QPlainTextEdit* Memo4;
    QPlainTextEdit* Memo5;
    QPushButton* bt_pre;
    QPushButton* bt_nex;
    QPushButton* Button1;

    // File Length Limitation pane.
    QGroupBox* pn_file;
    QCheckBox* length_en;
    QGroupBox* GroupBox4; // "File Limitation"
    QRadioButton* file_rb_time;
    QLineEdit* file_time;
    QCheckBox* file_limit_stop;
    QCheckBox* file_limit_new;

    // Output Format pane.
    QGroupBox* pn_format;
    QLineEdit* ed_dir;
    QPushButton* Button2;
    QComboBox* cb_format;
    QLineEdit* out_name;
    QRadioButton* rb_time;
    QLabel* out_labe_dat;
    QRadioButton* rb_cust;
    QLabel* out_labe_cus;

    // OGG pane.
    QGroupBox* pn_ogg;
    QComboBox* cb_ogg_fre;
    QComboBox* cb_ogg_channel;
    QComboBox* cb_ogg_bit;
    QCheckBox* cb_ogg_quality;
    QLineEdit* edt_ogg_quality;
    UpDown* ud_ogg_quality;
    QComboBox* cb_ogg_minbit;
    QComboBox* cb_ogg_maxbit;

    // About pane.
    QGroupBox* pn_about;
    QLabel* Image1;
    QLabel* Label26; // web site
    QLabel* Label31; // sales mail
    QLabel* Label38; // support mail

    // The maker's addresses behind the About links.
    static const char* const WebAddress;
    static const char* const SalesAddress;
    static const char* const SupportAddress;
    // The message shown when the encoder refuses the OGG bitrate settings.
    static QString OggRefusedMessage();

public slots:
    // Saves the controls key by key; may refuse the OGG settings. Closes the
    // dialog when it is shown. Also run by the recording start, shown or not.
    // A refused settings write throws AppError and ends it at that key.
    void set_bt_okClick();
    void set_bt_defaultClick();
    // Shows the pane or window of the node at this overall tree position.
    void ShowPane(int position);
    void tvClick();

    void length_enClick();
    void file_rb_timeClick();
    void cb_ogg_qualityClick();
    void out_nameExit();
    void rb_timeClick();
    void rb_custClick();
    void Button1Click();
    void Button2Click();
    void bt_nexClick();
    void bt_preClick();
    void Label26Click();
    void Label31Click();
    void Label38Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void BuildTree();
    void BuildSourcePane();
    void BuildFilePane();
    void BuildFormatPane();
    void BuildOggPane();
    void BuildAboutPane();
    void RefreshExampleLabels();
    void ApplyQualityRule();
    void ShowOnly(QGroupBox* pane);
    // Shows another top-level window over this one, usable while this one is modal.
    void ShowOver(QWidget& window, int dx, int dy);
    // file_timeKeyPress: digits pass, any other typed character becomes a Backspace.
    bool file_timeKeyPress(QEvent* event);
    std::array<QPlainTextEdit*, 4> pages() const { return {Memo2, Memo3, Memo4, Memo5}; }

    SettingsFile& settings_;
    IAudioFile2& AudioFileWrite_;
    Tfm_dev& fm_dev_;
    Tfm_sche& fm_sche_;
    Tfm_dir* fm_dir_ = nullptr;
};

} // namespace varnelo
