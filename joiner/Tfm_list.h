#pragma once

#include "audio/Playlist.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QFileDialog;
class QTreeWidget;
class QTreeWidgetItem;

namespace varnelo {

struct EngineState;
class IAudioFile2;
class TSkin;
class JoinListView;

// The join list window (fm_list): the ordered list of files that a join
// merges, and the program's playlist. Skinned with the skin form "listwin";
// the list view `lv` sits over the skin surface. Every item holds, in its
// columns: the file name, the duration text, the file's Length (hidden) and
// its full path (hidden). The list lives only as long as the process.
// GUI thread only.
class Tfm_list : public QWidget, public IPlaylist {
    Q_OBJECT
public:
    // Columns of an item.
    enum Column { ColName = 0, ColTime = 1, ColLength = 2, ColPath = 3 };

    Tfm_list(EngineState& state, IAudioFile2& AudioFilepaly, TSkin& Skin1, QWidget* fm_main,
             QWidget* parent = nullptr);
    ~Tfm_list() override;

    // Operations of the skin commands.
    void AddFiles();
    void RemoveSelected();
    void MoveSelectedUp();
    void MoveSelectedDown();
    // The join engine lands with a later change; until then a join does nothing.
    void JoinFiles();
    void lvClick();

    // Published handlers, bound to no control.
    void btn_addClick() { AddFiles(); }
    void btn_removeClick() { RemoveSelected(); }
    void btn_upClick() { MoveSelectedUp(); }
    void btn_downClick() { MoveSelectedDown(); }
    void btn_joinClick() { JoinFiles(); }
    void btn_stopClick();

    // IPlaylist
    int Count() const override;
    int FirstSelectedIndex() const override;
    void SelectItem(int index) override;
    QString ItemPath(int index) const override;

    // What the tag editor and the join engine read of an item.
    QString ItemCaption(int index) const;
    int64_t ItemLength(int index) const;

    // The open dialog's answer: the chosen paths in the dialog's order, or
    // nothing when the user cancelled. The default runs OpenDialog1 modally;
    // tests and tools put their own chooser here.
    using FileChooser = std::function<std::optional<QStringList>()>;
    void SetFileChooser(FileChooser chooser);

    QTreeWidget* lv = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr; // used by the join engine
    int ListLastIndex = 0;              // the item last clicked

signals:
    // The window's own mouse events, in client coordinates (dragging/docking).
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);

protected:
    void showEvent(QShowEvent* event) override;   // FormShow
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FormShow();
    // Opens, measures and closes one file and appends its item; throws
    // AppError when the file cannot be opened or measured.
    void ReadFileIntoList(const QString& path);
    void SelectOnly(int index);
    void MoveSelected(int step);
    std::optional<QStringList> RunOpenDialog();

    EngineState& state_;
    IAudioFile2& AudioFilepaly_;
    TSkin& Skin1_;
    QWidget* fm_main_;
    JoinListView* view_;
    FileChooser chooser_;
};

} // namespace varnelo
