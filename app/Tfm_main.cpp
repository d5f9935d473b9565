#include "app/Tfm_main.h"

#include "app/Docking.h"
#include "audio/AudioEngine.h"
#include "audio/OutputNaming.h"
#include "joiner/Tfm_list.h"
#include "platform/audio/visual/TAudioVisualizationEx2.h"
#include "platform/core/AppError.h"
#include "platform/shell/DesktopShell.h"
#include "platform/shell/InfoBox.h"
#include "schedule/Tfm_sche.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_set.h"
#include "tags/Tfm_id3.h"
#include "tags/WriteTagsToFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <cstdint>

namespace varnelo {

namespace {
// Several times a second, so the schedule hook never skips a second.
constexpr int kHeartbeatMs = 200;

QString MessageOf(const std::exception& error) {
    if (const auto* app = dynamic_cast<const AppError*>(&error))
        return app->message();
    return QString::fromLocal8Bit(error.what());
}
} // namespace

Tfm_main::Tfm_main(SettingsFile& settings, AudioComponentSet components, const QString& skinPath,
                   QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      AudioRecord1(std::move(components.AudioRecord1)),
      AudioPlayer21(std::move(components.AudioPlayer21)),
      AudioFileWrite(std::move(components.AudioFileWrite)),
      AudioFilepaly(std::move(components.AudioFilepaly)),
      AudioInformation21(std::move(components.AudioInformation21)), settings_(settings),
      skinPath_(skinPath) {
    setWindowTitle(QStringLiteral("Varnelo"));
    setObjectName(QStringLiteral("fm_main"));
    setFixedSize(kClientWidth, kClientHeight);
    move(kLeft, kTop);

    AudioVisualization21 = new TAudioVisualizationEx2(this);
    AudioVisualization21->setObjectName(QStringLiteral("AudioVisualization21"));
    AudioVisualization21->setGeometry(216, 71, 115, 81);

    connect(&Skin1, &TSkin::Click, this, &Tfm_main::Skin1Click);
    connect(&Skin1, &TSkin::MouseDown, this, &Tfm_main::Skin1MouseDown);
    connect(&Skin1, &TSkin::MouseUp, this, &Tfm_main::Skin1MouseUp);

    // ApplicationEvents1: every event of the application passes the message
    // hook, and so does a heartbeat, so a quiet second is never skipped.
    qApp->installEventFilter(this);
    heartbeat_.setInterval(kHeartbeatMs);
    connect(&heartbeat_, &QTimer::timeout, this, &Tfm_main::ApplicationEvents1Message);
    heartbeat_.start();

    FormCreate();
}

Tfm_main::~Tfm_main() {
    qApp->removeEventFilter(this);
}

void Tfm_main::SetWindows(const ProgramWindows& windows) {
    windows_ = windows;
    engine_ = std::make_unique<AudioEngine>(state_, settings_, *AudioRecord1, *AudioFileWrite,
                                            *AudioFilepaly, *AudioPlayer21, *AudioVisualization21,
                                            display_, *windows_.fm_list, *this, this);
    connect(windows_.fm_list, &Tfm_list::FormMouseDown, this, &Tfm_main::ListFormMouseDown);
    connect(windows_.fm_list, &Tfm_list::FormMouseMove, this, &Tfm_main::ListFormMouseMove);
    connect(windows_.fm_list, &Tfm_list::FormMouseUp, this, &Tfm_main::ListFormMouseUp);

    // Title bar drags follow the same rules as background drags: the main
    // window takes a list window it sits on along and snaps onto it; the
    // list window slides along the main window's bottom edge while docked
    // and tears away from it, or snaps onto it.
    Skin1.SetWindowDragHandler(this, [this](QPoint delta, bool) { MoveMainWindow(delta, true); });
    Skin1.SetWindowDragHandler(windows_.fm_list, [this](QPoint delta, bool first) {
        if (first)
            listBarHeldDocked_ = windows_.fm_list->geometry().top() == geometry().top() + height();
        listBarHeldDocked_ = MoveListWindow(delta, listBarHeldDocked_);
    });
}

void Tfm_main::FormCreate() {
    state_.ListWindowShown = false;
}

// --- show sequence ---

void Tfm_main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (showSequenceRan_)
        return;
    showSequenceRan_ = true;
    // Run once the show is complete: applying the skin re-creates the
    // window, which must not happen inside its own show event.
    QMetaObject::invokeMethod(this, &Tfm_main::RunShowSequence, Qt::QueuedConnection);
}

void Tfm_main::RunShowSequence() {
    bool completed = false;
    try {
        FormShow();
        completed = true;
    } catch (const std::exception& error) {
        ApplicationEvents1Exception(MessageOf(error));
    }
    emit ShowSequenceEnded(completed);
}

void Tfm_main::FormShow() {
    Tfm_dev& fm_dev = *windows_.fm_dev;

    // 1. The settings object was made before the windows (every dialog holds
    //    it); it reads Varn.ini afresh on every access.
    // 2. The engine's idle state.
    state_.AddRecordingToList = false;
    state_.SampleBase = 0;
    state_.RecordingNotPaused = true;
    state_.PlaybackNotPaused = true;
    // 3.
    AudioFileWrite->SetBoolOption(true);
    AudioFilepaly->SetBoolOption(true);
    // 4. Every device in turn; the last one stays selected.
    const int n = static_cast<int16_t>(AudioRecord1->DeviceLastIndex());
    for (int i = 0; i <= n; ++i) {
        AudioRecord1->SelectDevice(i);
        fm_dev.cb_rd->addItem(AudioRecord1->DeviceName());
    }
    // 5. The lines of that device; the (last) active line is selected. The
    //    combo box must not pick its first item on its own.
    const int m = static_cast<int16_t>(AudioRecord1->DeviceLineCount());
    int activeLine = -1;
    for (int c = 1; c <= m; ++c) {
        AudioRecord1->SelectLine(c);
        fm_dev.cb_rdson->addItem(AudioRecord1->LineName());
        if (AudioRecord1->LineSelected())
            activeLine = c - 1;
        fm_dev.cb_rdson->setCurrentIndex(activeLine);
    }
    // 6. Only the combo box shows the stored device.
    fm_dev.cb_rd->setCurrentIndex(
        settings_.ReadInteger(QStringLiteral("rd"), QStringLiteral("rd"), n));
    // 7. Line 0 (no active line) selects none; the volume then reads 0.
    AudioRecord1->SelectLine(fm_dev.cb_rdson->currentIndex() + 1);
    fm_dev.tb_rd->setValue(AudioRecord1->LineVolume());
    // 8.
    windows_.fm_set->ed_dir->setText(settings_.ReadString(
        QStringLiteral("output"), QStringLiteral("path"), DefaultOutputDirectory()));
    // 9.
    state_.PlayBarTracking = true;
    // 10.
    AudioVisualization21->SetLineCount(17);
    // 11.
    Skin1.LoadSkin(skinPath_);
    Skin1.ApplySkin(this);
    Skin1.ApplySkinForm(this, QStringLiteral("ve3zod"));
    BindSkinObjects();
    // 12.
    display_.play_bar.slider->SetPosition(0);
    display_.play_bar.element->Redraw();
    display_.play_bar.element->SetEnabled(false);
    state_.PlayBarTracking = true;
    // 13.
    AudioVisualization21->SetVisible(false);
    // 14. Its own show applies "listwin", docks it under this window and
    //     sets ListWindowShown.
    windows_.fm_list->show();
}

void Tfm_main::BindSkinObjects() {
    struct Slot {
        const char* name;
        BoundObject& bound;
    };
    const Slot lookups[] = {{"s_time", display_.s_time},       {"play_bar", display_.play_bar},
                            {"s_left", display_.s_left},       {"s_right", display_.s_right},
                            {"showp", display_.showp},         {"s_size", display_.s_size},
                            {"s_sizeson", display_.s_sizeson}, {"s_filename", display_.s_filename},
                            {"s_mono", display_.s_mono}};
    for (const Slot& slot : lookups) {
        ISkinObject* window = Skin1.GetSkinObject(this);
        slot.bound.object = window->FindObject(QLatin1String(slot.name));
    }
    // The interfaces, each queried only when the object exists; the repeated
    // queries replace what the slot held with the same interfaces.
    BoundObject* const queries[] = {&display_.s_size, &display_.s_sizeson, &display_.play_bar,
                                    &display_.s_left, &display_.s_right,   &display_.s_time,
                                    &display_.s_size, &display_.s_sizeson, &display_.s_filename,
                                    &display_.s_mono, &display_.showp};
    for (BoundObject* bound : queries) {
        if (!bound->object)
            continue;
        const bool slider = bound == &display_.play_bar;
        bound->slider = nullptr;
        bound->label = nullptr;
        bound->element = nullptr;
        if (slider)
            bound->slider = bound->object->QuerySlider();
        else
            bound->label = bound->object->QueryLabel();
        bound->element = bound->object->QueryElement();
    }
    // The objects the display writes to must exist; a skin without them is
    // refused here rather than failing at the first update.
    const std::pair<const char*, bool> required[] = {
        {"s_time", display_.s_time.label && display_.s_time.element},
        {"play_bar", display_.play_bar.slider && display_.play_bar.element},
        {"s_filename", display_.s_filename.label && display_.s_filename.element},
        {"s_mono", display_.s_mono.label && display_.s_mono.element},
        {"s_sizeson", display_.s_sizeson.label && display_.s_sizeson.element}};
    for (const auto& [name, present] : required)
        if (!present)
            throw AppError(QStringLiteral("The skin file %1 has no usable object \"%2\" on the "
                                          "form \"ve3zod\"")
                               .arg(skinPath_, QLatin1String(name)));
}

// --- application events ---

void Tfm_main::ApplicationEvents1Exception(const QString& message) {
    ShowInfoBox(this, message);
    // Stopping may fail too; that is shown, but never handled again here.
    try {
        if (state_.RecordingActive)
            StopRecording();
    } catch (const std::exception& error) {
        ShowInfoBox(this, MessageOf(error));
    }
    try {
        if (state_.PlaybackActive)
            StopPlayback();
    } catch (const std::exception& error) {
        ShowInfoBox(this, MessageOf(error));
    }
}

void Tfm_main::ApplicationEvents1Message() {
    // The schedule trigger (begin, end and shutdown times) runs here.
}

bool Tfm_main::eventFilter(QObject* watched, QEvent* event) {
    ApplicationEvents1Message();
    return QWidget::eventFilter(watched, event);
}

void Tfm_main::closeEvent(QCloseEvent* event) {
    // Nothing being written is left unfinished: a running join stops at its
    // next check, a recording is stopped (its file closed, listed and
    // tagged), a playback is stopped.
    state_.JoinActive = false;
    try {
        if (engine_)
            engine_->FinishAtClose();
    } catch (const std::exception& error) {
        ApplicationEvents1Exception(MessageOf(error));
    }
    event->accept();
    emit MainFormClosed();
}

// --- skin events ---

void Tfm_main::Skin1Click(ISkinObject* Source) {
    DispatchSkinClick(Source->GetName(), state_, *this);
}

void Tfm_main::Skin1MouseDown(ISkinObject* Source, int, int, int) {
    MarkSkinPress(Source->GetName(), state_);
}

void Tfm_main::Skin1MouseUp(ISkinObject* Source, int, int, int) {
    HandleSkinRelease(Source->GetName(), state_, *this);
}

// --- dragging and docking ---

bool Tfm_main::LeftButtonDown() {
    // Asked of the window system at this moment, not taken from the event.
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

void Tfm_main::MoveWindowTo(QWidget& window, QPoint topLeft) {
    // Skinned windows have no frame: their client area is the window.
    window.setGeometry(QRect(topLeft, window.geometry().size()));
}

void Tfm_main::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    FormMouseDown(p.x(), p.y());
}

void Tfm_main::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    FormMouseMove(p.x(), p.y());
}

void Tfm_main::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    FormMouseUp(p.x(), p.y());
}

void Tfm_main::FormMouseDown(int x, int y) {
    if (state_.SkinControlPressed) {
        state_.MainDragIdle = true;
        return;
    }
    state_.MainDragIdle = false;
    MainDragAnchor = QPoint(x, y);
}

void Tfm_main::FormMouseMove(int x, int y) {
    MoveMainWindow(QPoint(x, y) - MainDragAnchor, !state_.MainDragIdle && LeftButtonDown());
}

void Tfm_main::MoveMainWindow(QPoint delta, bool dragging) {
    if (!windows_.fm_list) {
        if (dragging)
            MoveWindowTo(*this, pos() + delta);
        return;
    }
    Tfm_list& list = *windows_.fm_list;
    const PairPosition at{geometry().topLeft(), height(), list.geometry().topLeft()};
    const PairPosition to = MainWindowMouseMove(at, delta, QPoint(0, 0), dragging);
    if (to.main != at.main)
        MoveWindowTo(*this, to.main);
    if (to.list != at.list)
        MoveWindowTo(list, to.list);
}

void Tfm_main::FormMouseUp(int, int) {
    state_.MainDragIdle = true;
    state_.SkinControlPressed = false;
}

void Tfm_main::ListFormMouseDown(int x, int y) {
    if (state_.SkinControlPressed) {
        state_.ListDragIdle = true;
        return;
    }
    state_.ListDragIdle = false;
    ListDragAnchor = QPoint(x, y);
}

void Tfm_main::ListFormMouseMove(int x, int y) {
    if (state_.ListDragIdle || !LeftButtonDown() || !windows_.fm_list)
        return;
    state_.SkinControlPressed =
        MoveListWindow(QPoint(x, y) - ListDragAnchor, state_.SkinControlPressed);
}

bool Tfm_main::MoveListWindow(QPoint delta, bool heldDocked) {
    Tfm_list& list = *windows_.fm_list;
    const int mainBottom = geometry().top() + height();
    const ListDrag at{list.geometry().topLeft(), heldDocked};
    const ListDrag to = ListWindowMouseMove(at, mainBottom, delta, QPoint(0, 0));
    if (to.list != at.list)
        MoveWindowTo(list, to.list);
    return to.heldDocked;
}

void Tfm_main::ListFormMouseUp(int, int) {
    state_.ListDragIdle = true;
    state_.SkinControlPressed = false;
    state_.MainDragIdle = true;
}

// --- engine operations ---

void Tfm_main::StartRecording() {
    engine_->StartRecording();
}
void Tfm_main::StopRecording() {
    engine_->StopRecording();
}
void Tfm_main::PauseResumeRecording() {
    engine_->PauseResumeRecording();
}
void Tfm_main::StartPlayback() {
    engine_->StartPlayback();
}
void Tfm_main::StopPlayback() {
    engine_->StopPlayback();
}
void Tfm_main::PauseResumePlayback() {
    engine_->PauseResumePlayback();
}
void Tfm_main::SeekPlayback() {
    engine_->SeekPlayback();
}
void Tfm_main::FeedPlayerBlock() {
    engine_->FeedPlayerBlock();
}

// --- IEngineHost ---

void Tfm_main::SaveSettingsDialog() {
    windows_.fm_set->set_bt_okClick();
}

void Tfm_main::AddFilesToJoinList() {
    windows_.fm_list->AddFiles();
}

void Tfm_main::WriteTagsToFile(const QString& path) {
    varnelo::WriteTagsToFile(*AudioInformation21, settings_, this, path);
}

// --- commands ---

void Tfm_main::AddFiles() {
    windows_.fm_list->AddFiles();
}
void Tfm_main::RemoveSelected() {
    windows_.fm_list->RemoveSelected();
}
void Tfm_main::MoveSelectedUp() {
    windows_.fm_list->MoveSelectedUp();
}
void Tfm_main::MoveSelectedDown() {
    windows_.fm_list->MoveSelectedDown();
}
void Tfm_main::JoinFiles() {
    windows_.fm_list->JoinFiles();
}

void Tfm_main::FocusJoinList() {
    windows_.fm_list->activateWindow();
    windows_.fm_list->lv->setFocus();
}

void Tfm_main::ShowJoinList() {
    windows_.fm_list->show();
}

void Tfm_main::CloseJoinList() {
    windows_.fm_list->close();
}

void Tfm_main::ShowModalAt(QDialog& dialog, int dx) {
    // A dialog the settings dialog left open as an ordinary window cannot
    // turn modal while shown: it is hidden first, then shown modally.
    if (dialog.isVisible() && !dialog.isModal())
        dialog.hide();
    dialog.move(pos() + QPoint(dx, 0));
    dialog.exec();
}

void Tfm_main::ShowScheduleDialog() {
    ShowModalAt(*windows_.fm_sche, 27);
}

void Tfm_main::ShowSourceDialog() {
    windows_.fm_dev->dev_bt_help->setEnabled(true);
    ShowModalAt(*windows_.fm_dev, 114);
}

void Tfm_main::ShowSettingsDialog() {
    ShowModalAt(*windows_.fm_set, 27);
}

void Tfm_main::ShowTagEditor() {
    ShowModalAt(*windows_.fm_id3, 27);
}

void Tfm_main::OpenHelp() {
    OpenHelpFile();
}

} // namespace varnelo
