// The main window.
#include "app/CCtrlToolDlg.h"

#include "app/ToolObjects.h"
#include "base/ToolName.h"
#include "dialogs/CAboutDialog.h"
#include "dialogs/CCameraIdDialog.h"
#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CCompareDialog.h"
#include "dialogs/CParameterAreaSelectDialog.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "dialogs/CUserIdDialog.h"
#include "framework/MessageBox.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "pages/CTabSheetDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "resources/PageLayouts.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlIds.h"
#include "tables/ControlTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <rv_build_version.h>

#include <algorithm>
#include <memory>

// Resources of a static library are not linked in unless something asks for them.
static void InitToolResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    (void)done;
}

namespace {

// Icon 500 at the sizes title bars and task bars ask for.
QIcon ToolIcon()
{
    QIcon icon(QStringLiteral(":/app/500.png"));
    icon.addFile(QStringLiteral(":/app/500-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/app/500-16.png"), QSize(16, 16));
    return icon;
}

}  // namespace

CCtrlToolDlg::CCtrlToolDlg(ToolObjects& objects, QWidget* parent)
    : CDialogBase(parent, kStatusStripId),
      objects_(objects),
      handlers_(objects.command, objects.table, binding_),
      readProgress_(objects.progress, this),
      lutEditors_(objects.command, objects.progress),
      dispatcher_(objects.table, objects.command, binding_, &handlers_),
      operations_(handlers_, objects.command, objects.table, objects.reader, objects.model, binding_),
      session_(objects.link, objects.command),
      settingFile_(objects.command, objects.table, objects.mode, objects.settings, objects.model, SettingFileHooks{}),
      shading_(objects.command, shadingBuffer_),
      flashAreas_(
          objects.command, [this](bool load, int& area) { return ChooseArea(load, area); },
          [this] { objects_.reader.Refresh(); }),
      portWatch_(objects.link, session_, operations_.Gate())
{
    InitToolResources();
    setWindowIcon(ToolIcon());
    // The tool's main window: it can be minimised and maximised like any application window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(480, 320);
    binding_.SetMainWindow(this);

    // One tab per template the window creates, in the layouts' order.
    for (const PageLayout& layout : PageLayouts()) {
        if (!layout.created) continue;
        auto* page = new CTabSheetDialog(this, layout.templateId, layout.caption, layout.factoryOnly ? 1 : 0);
        page->hide();
        page->SetDispatcher(&dispatcher_);
        page->SetKeyFilter([this](QWidget* target, QKeyEvent* event) { return KeyFilter(target, event); });
        pages_.push_back(page);
        binding_.AddPage(*page);
    }

    communicationDialog_ = new CCommunicationDialog(objects_.link, objects_.command, objects_.reader, objects_.mode,
                                                    objects_.settings, objects_.progress, this);
    terminal_ = new CTerminalDialog(objects_.link, objects_.settings, this);
    session_.SetSpeedShown([this](int index) { communicationDialog_->SetBaudSelection(index); });
    portWatch_.SetModelCheck([this] { objects_.reader.ModelCheck(); });
    portWatch_.SetReport([](const std::string& text) {
        ShowMessage(text, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
    });

    tab_ = new QTabWidget(Body());
    SetControlId(tab_, kTabControlId);
    tab_->setDocumentMode(false);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tab_);
    menu_ = std::make_unique<MainMenu>(this, [this](int commandId) { OnCommand(commandId); });

    operations_.Install();
    operations_.SetProgress(&readProgress_);
    operations_.SetCameraResetHandler([this] { CameraRestarting(); });
    handlers_.SetButtonAction(ctl::kTerminalButton, [this] { terminal_->Show(); });
    operations_.SetLutEditorOpener(&lutEditors_);
    ConnectFileOperations();
    CameraReader& reader = objects_.reader;
    reader.SetPages(&binding_);
    reader.SetMainWindow(this);
    reader.SetLineRateDisplay(&handlers_);
    reader.SetProgress(&readProgress_);
    reader.SetLutEditors(&lutEditors_);

    // The table's defaults count as the camera's values until the first read.
    objects_.table.CommitShadow();
}

CCtrlToolDlg::~CCtrlToolDlg()
{
    CameraReader& reader = objects_.reader;
    reader.SetPages(nullptr);
    reader.SetMainWindow(nullptr);
    reader.SetLineRateDisplay(nullptr);
    reader.SetProgress(nullptr);
    reader.SetLutEditors(nullptr);
}

// ---- menu ----

void CCtrlToolDlg::OnCommand(int commandId)
{
    // A command that arrives while the camera is busy (the long waits let window messages run) is done
    // whole once the camera work has ended, never interleaved with it.
    operations_.Gate().Run([this, commandId] { RunCommand(commandId); });
}

void CCtrlToolDlg::RunCommand(int commandId)
{
    switch (commandId) {
        case kCmdExit:
            ConfirmExit();
            break;
        case kCmdReload:
            Reload();
            break;
        case kCmdOpenLutFile:
            lutEditors_.OnOpenFile();
            break;
        case kCmdSaveLutFile:
            lutEditors_.OnSaveFile(this);
            break;
        case kCmdLoadAllLut:
            lutEditors_.OnLoadAll(this);
            break;
        case kCmdOpen:
            settingFile_.Load();
            break;
        case kCmdCompare:
            CompareWithSettingFile();
            break;
        case kCmdSaveAllData:
            settingFile_.Save(SettingFileVariant::AllData);
            break;
        case kCmdSaveShippingData:
            settingFile_.Save(SettingFileVariant::ShippingData);
            break;
        case kCmdLoadSettings:
            flashAreas_.LoadSettings();
            break;
        case kCmdStoreSettings:
            flashAreas_.StoreSettings();
            break;
        case kCmdOpenCommunication:
            communicationDialog_->show();
            communicationDialog_->raise();
            communicationDialog_->activateWindow();
            break;
        case kCmdEditUserId:
        case kCmdEditCameraId:
        case kCmdAbout:
            RunIdentityDialog(commandId);
            break;
        default:
            break;
    }
}

// The identity dialogs live only while shown: created here, run modally, gone when they close.
void CCtrlToolDlg::RunIdentityDialog(int commandId)
{
    // The utility items belong to factory mode, however they were reached.
    if (commandId != kCmdAbout && !objects_.mode.IsFactory()) return;
    std::unique_ptr<CDialogBase> dialog;
    if (commandId == kCmdEditUserId) {
        dialog = std::make_unique<CUserIdDialog>(this, objects_.command);
    } else if (commandId == kCmdEditCameraId) {
        dialog = std::make_unique<CCameraIdDialog>(this, objects_.command, objects_.mode);
    } else {
        dialog = std::make_unique<CAboutDialog>(this, objects_.command, objects_.reader, objects_.model, objects_.mode);
    }
    dialog->exec();
}

void CCtrlToolDlg::CompareWithSettingFile()
{
    std::string path;
    if (!settingFile_.ChooseFileToOpen(path)) return;
    CCompareDialog dialog(this, objects_.command, objects_.reader, objects_.table, objects_.model, objects_.mode,
                          settingFile_);
    dialog.InitDialog();
    if (dialog.Compare(path)) dialog.exec();
}

// The setting files, the flash areas and the shading buttons, with what they need of the pages.
void CCtrlToolDlg::ConnectFileOperations()
{
    SettingFileHooks hooks;
    hooks.modelCheck = [this] { return objects_.reader.ModelCheck(); };
    hooks.showValues = [this] { objects_.reader.ShowAllValues(); };
    hooks.setUpModel = [this] {
        CameraReader& reader = objects_.reader;
        reader.ModelSetup();
        reader.UpdateControlStates();
        handlers_.ShowLineRate();
    };
    settingFile_.SetHooks(std::move(hooks));
    settingFile_.SetProgress(&readProgress_);
    shading_.SetProgress(&readProgress_);
    communicationDialog_->SetSettingFileActions([this] { settingFile_.Save(SettingFileVariant::AllData); },
                                                [this] { settingFile_.Load(); });
    handlers_.SetButtonAction(ctl::kStoreAllButton, [this] { flashAreas_.StoreAll(); });
    handlers_.SetButtonAction(ctl::kShadingReadButton, [this] { shading_.ReadToFile(); });
    handlers_.SetButtonAction(ctl::kShadingWriteButton, [this] { shading_.WriteFromFile(); });
    handlers_.SetButtonAction(ctl::kShadingStoreButton, [this] { shading_.StoreInFlash(); });
}

int CCtrlToolDlg::ChooseArea(bool load, int& area)
{
    CParameterAreaSelectDialog dialog(this, load ? 1 : 0, objects_.mode.IsFactory());
    if (dialog.exec() != QDialog::Accepted) return 0;
    area = dialog.area;
    return 1;
}

void CCtrlToolDlg::UpdateUtilityMenu() { menu_->EnableUtility(objects_.mode.IsFactory()); }

// ---- start-up ----

void CCtrlToolDlg::OnInitDialog()
{
    setWindowIcon(ToolIcon());
    setWindowTitle(QStringLiteral("%1  Ver %2")
                       .arg(QLatin1String(kToolName.data(), kToolName.size()), QLatin1String(RV_VERSION_TEXT)));

    // The protocol's background reception of lines the camera sends outside requests, and the watch over
    // a serial port that goes away.
    objects_.command.StartPolling();
    portWatch_.Start();
    communicationDialog_->InitDialog();
    communicationDialog_->show();
    lutEditors_.Create(this);

    PlacePages();
    binding_.SetSpinRanges(objects_.table);
    binding_.InitComboItemData();
    CameraReader& reader = objects_.reader;
    reader.ShowAllValues();

    RebuildTabs();
    UpdateUtilityMenu();
    ControlTable& table = objects_.table;
    if (!table.WriteChangedValues(objects_.command)) ShowCommunicationError(objects_.command.LastFailureText());
    table.CommitShadow();
    communicationDialog_->SetBaudSelection(objects_.link.BaudIndex());
    communicationDialog_->UpdateStoreButton();

    // The camera is looked for once the window is on the screen, so the operator sees it while the
    // speeds are tried.
    QTimer::singleShot(0, this, [this] { StartUp(); });
}

void CCtrlToolDlg::PlacePages()
{
    int width = 0;
    int height = 0;
    for (CTabSheetDialog* page : pages_) {
        auto* frame = new QScrollArea(tab_);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setWidgetResizable(true);
        frame->hide();
        page->Create(nullptr);
        frame->setWidget(page);
        page->show();
        pageFrames_.push_back(frame);
        const QSize hint = page->sizeHint();
        width = std::max(width, hint.width());
        height = std::max(height, hint.height());
    }
    // Large enough for the largest page where the screen allows; smaller screens scroll.
    preferredSize_ = QSize(width + 40, height + 110);
    QSize wanted = preferredSize_;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        wanted = wanted.boundedTo(QSize(available.width() - 20, available.height() - 60));
    }
    resize(wanted);
}

void CCtrlToolDlg::PlaceCommunicationDialog()
{
    // Beside the main window where the screen has room, so that neither hides the other.
    const QScreen* screen = this->screen();
    if (!isVisible() || !communicationDialog_->isVisible() || !screen) return;
    const QRect available = screen->availableGeometry();
    const QRect main = frameGeometry();
    const QSize size = communicationDialog_->frameGeometry().size();
    QPoint place(main.right() + 1, main.top());
    if (place.x() + size.width() > available.right()) place.setX(available.right() - size.width());
    if (place.y() + size.height() > available.bottom()) place.setY(available.bottom() - size.height());
    communicationDialog_->move(place.x() < available.left() ? available.left() : place.x(),
                               place.y() < available.top() ? available.top() : place.y());
}

void CCtrlToolDlg::StartUp()
{
    if (startUpRan_) return;
    startUpRan_ = true;
    // Keys and commands that arrive during the start-up's reads wait for its end.
    OperationGate::Hold hold(operations_.Gate());
    PlaceCommunicationDialog();
    int area = -1;
    const bool answered = session_.Start(area);
    if (answered) {
        if (area >= 0) currentArea_ = area;
        objects_.reader.Refresh();
    }

    CameraReader& reader = objects_.reader;
    objects_.table.CommitShadow();
    reader.ShowAllValues();
    if (!answered) {
        // Without a camera the defaults stay; the controls that depend on them follow them too.
        reader.UpdateControlStates();
        handlers_.ShowLineRate();
    }
    startedUp_ = true;
    if (startUpFinished_) startUpFinished_();
}

// ---- tabs ----

void CCtrlToolDlg::RebuildTabs()
{
    const bool factory = objects_.mode.IsFactory();
    const QSignalBlocker blocker(tab_);
    tab_->clear();
    for (std::size_t i = 0; i < pages_.size() && i < pageFrames_.size(); ++i) {
        if (pages_[i]->FactoryOnly() == 1 && !factory) {
            pageFrames_[i]->hide();
            continue;
        }
        const int index = tab_->addTab(pageFrames_[i], QString::fromStdString(pages_[i]->Caption()));
        tab_->tabBar()->setTabData(index, static_cast<int>(i));
    }
    tab_->setCurrentIndex(0);
}

std::vector<std::string> CCtrlToolDlg::TabCaptions() const
{
    std::vector<std::string> captions;
    for (int i = 0; i < tab_->count(); ++i) captions.push_back(tab_->tabText(i).toStdString());
    return captions;
}

CTabSheetDialog* CCtrlToolDlg::ShownPage() const
{
    const int index = tab_->currentIndex();
    if (index < 0) return nullptr;
    const int page = tab_->tabBar()->tabData(index).toInt();
    return page >= 0 && page < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(page)] : nullptr;
}

// ---- operations ----

void CCtrlToolDlg::Reload()
{
    OperationGate::Hold hold(operations_.Gate());
    const RequestOutcome area = objects_.command.Ask(cmd::EA, LinkSession::kQueryTimeoutMs);
    ShowCommunicationError(area.FailureText());
    if (area) currentArea_ = area.value.intValue;
    // A camera silent to the area query and to the model query is gone: the read then asks nothing more.
    objects_.reader.Refresh(&area);
}

void CCtrlToolDlg::ToggleFactoryMode()
{
    OperationGate::Hold hold(operations_.Gate());
    ControlMode& mode = objects_.mode;
    mode.Set(mode.IsFactory() ? 0 : 1);
    RebuildTabs();
    UpdateUtilityMenu();
    ControlTable& table = objects_.table;
    if (!table.WriteChangedValues(objects_.command)) ShowCommunicationError(objects_.command.LastFailureText());
    table.CommitShadow();
    communicationDialog_->UpdateStoreButton();
    // The factory parameters are read (or dropped from the read) only if a camera is there.
    const RequestOutcome area = objects_.command.Ask(cmd::EA, LinkSession::kQueryTimeoutMs);
    ShowCommunicationError(area.FailureText());
    if (area) objects_.reader.Refresh();
}

// ---- keys ----

bool CCtrlToolDlg::KeyFilter(QWidget* target, QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (keySequence_.OnKey(event->key(), modifiers.testFlag(Qt::ShiftModifier),
                               modifiers.testFlag(Qt::ControlModifier))) {
        case FactoryKeySequence::Result::Completed:
            // Typed while a read runs, the toggle waits for its end: the switch of the tabs and the read
            // of the factory parameters go together.
            operations_.Gate().Run([this] { ToggleFactoryMode(); });
            return true;
        case FactoryKeySequence::Result::Consumed:
            return true;
        case FactoryKeySequence::Result::Ignored:
            break;
    }

    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if (!enter && !escape) return false;
    // Neither key may reach a dialog's default handling: Enter would end it, Escape cancel it.
    switch (ControlClass(target)) {
        case kClassEdit: {
            const int id = GetControlId(target);
            if (enter) {
                handlers_.OnEditCommitted(id);
            } else if (!ParameterHandlers::IsLutEdit(id) && handlers_.HasRow(id)) {
                // Escape drops what was typed, so that leaving the edit later sends nothing.
                binding_.ShowValue(id, objects_.table.GetDataValue(id));
            }
            return true;
        }
        case kClassComboBox: {
            // An open list takes its own keys: Enter picks, Escape closes it.
            const auto* combo = static_cast<QComboBox*>(target);
            return !(combo->view() && combo->view()->isVisible());
        }
        case kClassPushButton:
            return true;
        default:
            return false;
    }
}

void CCtrlToolDlg::keyPressEvent(QKeyEvent* event)
{
    QWidget* target = QApplication::focusWidget();
    if (KeyFilter(target ? target : this, event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Whatever has the focus, these keys do not end the tool; the menu's "E&xit" and the close
        // box do, after asking.
        event->accept();
        return;
    }
    CDialogBase::keyPressEvent(event);
}

// ---- closing ----

void CCtrlToolDlg::reject()
{
    // Operations pump every window message, the close box's among them: the question, and the exit's own
    // requests after it, wait for the end of the operation instead of running between its requests.
    if (exitWaiting_) return;
    exitWaiting_ = true;
    operations_.Gate().Run([this] {
        exitWaiting_ = false;
        ConfirmExit();
    });
}

void CCtrlToolDlg::ConfirmExit()
{
    if (destroyed_) return;
    if (closeWithoutConfirm_ != 1 && ShowMessage("Are you sure to terminate the Camera Control Tool ?", "Confirm",
                                                 MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes) {
        return;
    }
    CDialogBase::reject();
}

void CCtrlToolDlg::accept() { reject(); }

void CCtrlToolDlg::done(int result)
{
    OnDestroy();
    CDialogBase::done(result);
}

void CCtrlToolDlg::CameraRestarting()
{
    cameraRestarting_ = true;
    SetCloseWithoutConfirm();
    // The restart is the operation under way; the window goes with it.
    ConfirmExit();
}

void CCtrlToolDlg::OnDestroy()
{
    if (destroyed_) return;
    destroyed_ = true;
    // The next program (or the next run of this one) finds the camera at its own start speed.
    if (startedUp_ && !cameraRestarting_) session_.ReturnToDefaultSpeed();
    portWatch_.Stop();
    objects_.command.StopPolling();
    objects_.link.Close();
    terminal_->hide();
    communicationDialog_->hide();
    lutEditors_.HideAll();
}
