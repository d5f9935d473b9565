#include "settings/Tfm_dir.h"

#include "settings/DialogStyle.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_set.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace varnelo {

Tfm_dir::Tfm_dir(SettingsFile& settings, Tfm_set& fm_set, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings), fm_set_(fm_set) {
    setObjectName(QStringLiteral("fm_dir"));
    setWindowTitle(QStringLiteral("Output Directory"));
    setFixedSize(247, 269);
    ApplyDialogStyle(*this);

    // Folders only, from the file system's root down.
    ShellModel = new QFileSystemModel(this);
    ShellModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    ShellModel->setRootPath(QStringLiteral("/"));

    ShellTreeView1 = new QTreeView(this);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setGeometry(4, 4, 237, 229);
    ShellTreeView1->setModel(ShellModel);
    ShellTreeView1->setRootIndex(ShellModel->index(QStringLiteral("/")));
    ShellTreeView1->setHeaderHidden(true);
    for (int column = 1; column < ShellModel->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    ShellTreeView1->setRootIsDecorated(true);
    ShellTreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellTreeView1->header()->setStretchLastSection(true);

    // Start with the home folder opened and in view.
    const QModelIndex home = ShellModel->index(QDir::homePath());
    for (QModelIndex i = home; i.isValid(); i = i.parent())
        ShellTreeView1->expand(i);
    ShellTreeView1->scrollTo(home);

    Button1 = new QPushButton(QStringLiteral("New Folder"), this);
    Button1->setGeometry(4, 239, 77, 26);
    btn_ok = new QPushButton(QStringLiteral("Ok"), this);
    btn_ok->setGeometry(85, 239, 77, 26);
    btn_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    btn_cancel->setGeometry(166, 239, 77, 26);

    connect(Button1, &QPushButton::clicked, this, &Tfm_dir::Button1Click);
    connect(btn_ok, &QPushButton::clicked, this, &Tfm_dir::btn_okClick);
    connect(btn_cancel, &QPushButton::clicked, this, &Tfm_dir::btn_cancelClick);
}

QString Tfm_dir::NewFolderPath(const QString& folder) {
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + QStringLiteral("New Folder");
}

QString Tfm_dir::SelectedPath() const {
    const QModelIndexList selected = ShellTreeView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : ShellModel->filePath(selected.first());
}

void Tfm_dir::showEvent(QShowEvent* event) {
    // FormShow: over the settings dialog, at its top-left corner.
    move(fm_set_.pos());
    QDialog::showEvent(event);
}

void Tfm_dir::btn_okClick() {
    const QString path = SelectedPath();
    settings_.WriteString(QStringLiteral("output"), QStringLiteral("path"), path);
    fm_set_.ed_dir->setText(path);
    close();
}

void Tfm_dir::btn_cancelClick() {
    close();
}

void Tfm_dir::Button1Click() {
    const QString folder = SelectedPath();
    if (folder.isEmpty())
        return;
    // One directory, no numbered retries; a failure is not reported. The
    // tree picks the new folder up from the file system and shows it under
    // the selected one, whose selection stays.
    QDir().mkdir(NewFolderPath(folder));
}

} // namespace varnelo
