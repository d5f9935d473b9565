#include "joiner/Tfm_list.h"

#include "audio/EngineState.h"
#include "joiner/DurationText.h"
#include "joiner/JoinListView.h"
#include "platform/audio/api/IAudioFile2.h"
#include "platform/shell/InfoBox.h"
#include "platform/skin/TSkin.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QShowEvent>
#include <exception>

namespace varnelo {

namespace {

// The open dialog's file types, in the order the user sees them.
const QStringList kOpenFilters = {
    QStringLiteral("All Supported Files (*.mp3 *.wav *.wma *.ogg)"),
    QStringLiteral("MP3 Files(*.mp3) (*.mp3)"),
    QStringLiteral("WAV Files(*.wav) (*.wav)"),
    QStringLiteral("WMA Files(*.wma) (*.wma)"),
    QStringLiteral("OGG Files(*.ogg) (*.ogg)"),
    QStringLiteral("RAW Files(*.raw) (*.raw)"),
};

void SetupListView(QTreeWidget* lv) {
    lv->setGeometry(35, 34, 427, 122);
    lv->setFrameShape(QFrame::NoFrame);
    lv->setAutoFillBackground(true);
    lv->setRootIsDecorated(false);
    lv->setItemsExpandable(false);
    lv->setUniformRowHeights(true);
    lv->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setAllColumnsShowFocus(true);
    lv->setColumnCount(4);
    lv->setHeaderLabels(
        {QStringLiteral("File Name:"), QStringLiteral("Time:"), QString(), QString()});
    QHeaderView* header = lv->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    lv->setColumnWidth(Tfm_list::ColName, 336);
    lv->setColumnWidth(Tfm_list::ColTime, 91);
    lv->setColumnHidden(Tfm_list::ColLength, true);
    lv->setColumnHidden(Tfm_list::ColPath, true);
}

} // namespace

Tfm_list::Tfm_list(EngineState& state, IAudioFile2& AudioFilepaly, TSkin& Skin1, QWidget* fm_main,
                   QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), AudioFilepaly_(AudioFilepaly), Skin1_(Skin1),
      fm_main_(fm_main) {
    setObjectName(QStringLiteral("fm_list"));
    setWindowTitle(QStringLiteral("List"));
    resize(580, 246);

    view_ = new JoinListView(this);
    view_->setObjectName(QStringLiteral("lv"));
    lv = view_;
    SetupListView(lv);
    connect(view_, &JoinListView::Clicked, this, &Tfm_list::lvClick);

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setOption(QFileDialog::ReadOnly);
    OpenDialog1->setFileMode(QFileDialog::ExistingFiles);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setNameFilters(kOpenFilters);
    OpenDialog1->setSizeGripEnabled(true);

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setNameFilter(QStringLiteral("OGG Files(*.ogg) (*.OGG *.ogg)"));
}

Tfm_list::~Tfm_list() = default;

// --- window events ---

void Tfm_list::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring from the task bar is not a show of the window.
    if (!event->spontaneous())
        FormShow();
}

void Tfm_list::FormShow() {
    Skin1_.ApplySkin(this);
    Skin1_.ApplySkinForm(this, QStringLiteral("listwin"));
    lv->raise(); // the list view sits over the skin surface
    // Directly under the main window, left edges aligned; both measured by
    // their client areas, as the dragging logic measures them.
    if (fm_main_) {
        const QRect main = fm_main_->geometry();
        setGeometry(main.left(), main.top() + main.height(), width(), height());
    }
    state_.ListWindowShown = true;
}

void Tfm_list::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: the close is allowed; the window hides, its list stays.
    state_.ListWindowShown = false;
    event->accept();
}

void Tfm_list::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit FormMouseDown(p.x(), p.y());
}

void Tfm_list::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit FormMouseMove(p.x(), p.y());
}

void Tfm_list::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit FormMouseUp(p.x(), p.y());
}

// --- reading files ---

void Tfm_list::ReadFileIntoList(const QString& path) {
    AudioFilepaly_.OpenFile(path, 0, 1);
    int64_t duration = 0;
    int64_t length = 0;
    try {
        duration = AudioFilepaly_.Duration();
        length = AudioFilepaly_.Length();
    } catch (...) {
        // Never leave a half-read file open on the shared reader.
        try {
            if (AudioFilepaly_.IsOpen())
                AudioFilepaly_.CloseFile();
        } catch (const std::exception&) {
        }
        throw;
    }
    AudioFilepaly_.CloseFile();

    auto* item = new QTreeWidgetItem(lv);
    item->setText(ColName, QFileInfo(path).fileName());
    item->setText(ColTime, DurationText(duration));
    item->setText(ColLength, QString::number(length));
    item->setText(ColPath, path);
}

void Tfm_list::SelectOnly(int index) {
    lv->clearSelection();
    if (QTreeWidgetItem* item = lv->topLevelItem(index)) {
        item->setSelected(true);
        lv->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
    if (state_.ListWindowShown)
        lv->setFocus();
}

std::optional<QStringList> Tfm_list::RunOpenDialog() {
    if (chooser_)
        return chooser_();
    if (OpenDialog1->exec() != QDialog::Accepted)
        return std::nullopt;
    return OpenDialog1->selectedFiles();
}

void Tfm_list::SetFileChooser(FileChooser chooser) {
    chooser_ = std::move(chooser);
}

// --- operations ---

void Tfm_list::AddFiles() {
    if (state_.AddRecordingToList) {
        const QString path = state_.CurrentFileName;
        try {
            ReadFileIntoList(path);
        } catch (const std::exception&) {
            ShowInfoBox(this, QStringLiteral("Read ") + path + QStringLiteral(" error!!"));
            return;
        }
        SelectOnly(Count() - 1);
        return;
    }
    if (state_.RecordingActive || state_.PlaybackActive)
        return;
    // A running join reads its files through the same reader; measuring a new
    // file would take it away from the join.
    if (state_.JoinActive)
        return;

    const std::optional<QStringList> chosen = RunOpenDialog();
    if (!chosen)
        return;
    const int first = Count();
    for (const QString& path : *chosen) {
        try {
            ReadFileIntoList(path);
        } catch (const std::exception&) {
            ShowInfoBox(this, QStringLiteral("Read ") + path + QStringLiteral(" error!!"));
            continue;
        }
        SelectOnly(first);
    }
}

void Tfm_list::RemoveSelected() {
    // A running join reads the items by index; removing one would shift them.
    if (state_.RecordingActive || state_.PlaybackActive || state_.JoinActive)
        return;
    for (int i = 0; i < lv->topLevelItemCount();) {
        if (lv->topLevelItem(i)->isSelected())
            delete lv->takeTopLevelItem(i);
        else
            ++i;
    }
    lv->setFocus();
}

void Tfm_list::MoveSelectedUp() {
    MoveSelected(-1);
}

void Tfm_list::MoveSelectedDown() {
    MoveSelected(+1);
}

void Tfm_list::MoveSelected(int step) {
    const int i = FirstSelectedIndex();
    if (i < 0 || state_.JoinActive)
        return;
    const int j = i + step;
    if (j < 0 || j >= Count())
        return;
    QTreeWidgetItem* a = lv->topLevelItem(i);
    QTreeWidgetItem* b = lv->topLevelItem(j);
    for (int column = ColName; column <= ColPath; ++column) {
        const QString text = a->text(column);
        a->setText(column, b->text(column));
        b->setText(column, text);
    }
    a->setSelected(false);
    b->setSelected(true);
    lv->setCurrentItem(b, 0, QItemSelectionModel::NoUpdate);
    lv->setFocus();
}

void Tfm_list::JoinFiles() {
    // The join engine (decode every item in list order into one new OGG
    // file) lands with a later change; until then "join" does nothing.
}

void Tfm_list::btn_stopClick() {
    state_.JoinActive = false;
}

void Tfm_list::lvClick() {
    if (Count() == 0 || state_.PlaybackActive)
        return;
    const int selected = FirstSelectedIndex();
    if (selected >= 0) {
        ListLastIndex = selected;
        return;
    }
    // The click emptied the selection: bring back the remembered item.
    if (ListLastIndex > Count() - 1)
        ListLastIndex = Count() - 1;
    if (ListLastIndex < 0)
        ListLastIndex = 0;
    lv->topLevelItem(ListLastIndex)->setSelected(true);
}

// --- IPlaylist and item access ---

int Tfm_list::Count() const {
    return lv->topLevelItemCount();
}

int Tfm_list::FirstSelectedIndex() const {
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        if (lv->topLevelItem(i)->isSelected())
            return i;
    return -1;
}

void Tfm_list::SelectItem(int index) {
    if (QTreeWidgetItem* item = lv->topLevelItem(index))
        item->setSelected(true);
}

QString Tfm_list::ItemPath(int index) const {
    const QTreeWidgetItem* item = lv->topLevelItem(index);
    return item ? item->text(ColPath) : QString();
}

QString Tfm_list::ItemCaption(int index) const {
    const QTreeWidgetItem* item = lv->topLevelItem(index);
    return item ? item->text(ColName) : QString();
}

int64_t Tfm_list::ItemLength(int index) const {
    const QTreeWidgetItem* item = lv->topLevelItem(index);
    return item ? item->text(ColLength).toLongLong() : 0;
}

} // namespace varnelo
