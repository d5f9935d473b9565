#pragma once

#include <QDialog>

class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace varnelo {

class SettingsFile;
class Tfm_set;

// The output directory dialog "Output Directory": a tree of the file
// system's folders, "New Folder", and "Ok" recording the chosen folder as
// [output] "path" and in the settings dialog's output directory box. An
// ordinary window laid over the settings dialog. GUI thread only.
class Tfm_dir : public QDialog {
    Q_OBJECT
public:
    Tfm_dir(SettingsFile& settings, Tfm_set& fm_set, QWidget* parent = nullptr);

    // The folder to create for "New Folder" inside `folder`: a "/" is added
    // unless the path already ends with one, then "New Folder".
    static QString NewFolderPath(const QString& folder);
    // The file-system path of the selected folder; empty when none is selected.
    QString SelectedPath() const;

    QTreeView* ShellTreeView1;
    QFileSystemModel* ShellModel;
    QPushButton* Button1;
    QPushButton* btn_ok;
    QPushButton* btn_cancel;

public slots:
    void btn_okClick();
    void btn_cancelClick();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    SettingsFile& settings_;
    Tfm_set& fm_set_;
};

} // namespace varnelo
