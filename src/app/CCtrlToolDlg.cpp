// The main window.
#include "app/CCtrlToolDlg.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CParameterAreaSelectDialog.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "framework/MessageBox.h"
#include "framework/qt/ControlWindow.h"
#include "link/BaudRateHandshake.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "pages/CTabSheetDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

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

CCtrlToolDlg* gMainWindow = nullptr;

// Icon 500 at the sizes title bars and task bars ask for.
QIcon ToolIcon()
{
    QIcon icon(QStringLiteral(":/app/500.png"));
    icon.addFile(QStringLiteral(":/app/500-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/app/500-16.png"), QSize(16, 16));
    return icon;
}

constexpr const char* kTitle = "RV-8200-XC Control Tool";
constexpr const char* kVersion = "0.29";
constexpr int kFastBaudIndex = 4;  // 115200 bit/s
constexpr int kDefaultBaudRate = 9600;

struct PageEntry {
    int templateId;
    const char* caption;
    int factoryOnly;
};

// Tab order. Templates 116 and 118 .. 124 exist as layouts but carry no page of their own.
constexpr PageEntry kPages[] = {
    {111, "User A", 0}, {112, "User B", 0}, {113, "User C", 0},
    {114, "User D", 0}, {115, "User E", 0}, {117, "Factory A", 1},
};

}  // namespace

CCtrlToolDlg* CCtrlToolDlg::Instance() { return gMainWindow; }

CCtrlToolDlg::CCtrlToolDlg(QWidget* parent)
    : CDialogBase(parent, kStatusStripId),
      handlers_(GetCommand(), GetControlTable()),
      readProgress_(GetProgressBarDialog(), this),
      dispatcher_(GetCommand(), &handlers_),
      settingFile_(GetCommand(), GetControlTable(), GetControlMode(), GetRegistrySettings(), GetCameraModelInfo(),
                   SettingFileHooks{}),
      shading_(GetCommand(), shadingBuffer_),
      flashAreas_(
          GetCommand(), [this](bool load, int& area) { return ChooseArea(load, area); },
          [] { GetCameraReader().Refresh(); })
{
    InitToolResources();
    setWindowIcon(ToolIcon());
    // The tool's main window: it can be minimised and maximised like any application window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(480, 320);
    gMainWindow = this;
    SetMainWindow(this);

    for (const PageEntry& entry : kPages) {
        auto* page = new CTabSheetDialog(this, entry.templateId, entry.caption, entry.factoryOnly);
        page->hide();
        page->SetDispatcher(&dispatcher_);
        page->SetKeyFilter([this](QWidget* target, QKeyEvent* event) { return KeyFilter(target, event); });
        pages_.push_back(page);
    }

    communicationDialog_ = new CCommunicationDialog(this);
    terminal_ = new CTerminalDialog(this);

    tab_ = new QTabWidget(Body());
    SetControlId(tab_, kTabControlId);
    tab_->setDocumentMode(false);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tab_);
    BuildMenu();

    handlers_.SetButtonAction(kTerminalButtonId, [this] { terminal_->Show(); });
    ConnectFileOperations();
    CameraReader& reader = GetCameraReader();
    reader.SetMainWindow(this);
    reader.SetLineRateDisplay(&handlers_);
    reader.SetProgress(&readProgress_);

    // The table's defaults count as the camera's values until the first read.
    GetControlTable().CommitShadow();
}

CCtrlToolDlg::~CCtrlToolDlg()
{
    CameraReader& reader = GetCameraReader();
    reader.SetMainWindow(nullptr);
    reader.SetLineRateDisplay(nullptr);
    reader.SetProgress(nullptr);
    if (gMainWindow == this) gMainWindow = nullptr;
}

// ---- menu ----

QAction* CCtrlToolDlg::AddItem(QMenu* menu, const char* text, int commandId, bool available)
{
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setData(commandId);
    // Items whose operations the tool does not offer yet stay visible but greyed.
    action->setEnabled(available);
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    actions_[commandId] = action;
    return action;
}

void CCtrlToolDlg::BuildMenu()
{
    menuBar_ = new QMenuBar(this);
    layout()->setMenuBar(menuBar_);

    QMenu* file = menuBar_->addMenu(QStringLiteral("File(&F)"));
    AddItem(file, "&Open", kCmdOpen, true);
    QMenu* saveAs = file->addMenu(QStringLiteral("&Save as"));
    AddItem(saveAs, "All Data", kCmdSaveAllData, true);
    AddItem(saveAs, "Shipping Data", kCmdSaveShippingData, true);
    file->addSeparator();
    AddItem(file, "E&xit", kCmdExit, true);

    QMenu* settings = menuBar_->addMenu(QStringLiteral("Settings(&S)"));
    AddItem(settings, "&Reload", kCmdReload, true);
    AddItem(settings, "&Load settings", kCmdLoadSettings, true);
    AddItem(settings, "&Store settings", kCmdStoreSettings, true);

    utilityMenu_ = menuBar_->addMenu(QStringLiteral("Utility(&U)"));
    AddItem(utilityMenu_, "Edit user id", kCmdEditUserId, false);
    AddItem(utilityMenu_, "Edit camera id", kCmdEditCameraId, false);

    QMenu* lut = menuBar_->addMenu(QStringLiteral("LUT(&L)"));
    AddItem(lut, "&Open LUT file", kCmdOpenLutFile, false);
    AddItem(lut, "&Save LUT file", kCmdSaveLutFile, false);
    AddItem(lut, "&Load all LUT table", kCmdLoadAllLut, false);

    QMenu* help = menuBar_->addMenu(QStringLiteral("Help(&H)"));
    AddItem(help, "&About this application", kCmdAbout, false);
    AddItem(help, "&Open Communication Dialog", kCmdOpenCommunication, true);
}

QAction* CCtrlToolDlg::MenuAction(int commandId) const
{
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void CCtrlToolDlg::OnCommand(int commandId)
{
    switch (commandId) {
        case kCmdExit:
            reject();
            break;
        case kCmdReload:
            Reload();
            break;
        case kCmdOpen:
            settingFile_.Load();
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
        default:
            break;
    }
}

// The setting files, the flash areas and the shading buttons, with what they need of the pages.
void CCtrlToolDlg::ConnectFileOperations()
{
    SettingFileHooks hooks;
    hooks.modelCheck = [] { return GetCameraReader().ModelCheck(); };
    hooks.showValues = [] { GetCameraReader().ShowAllValues(); };
    hooks.setUpModel = [this] {
        CameraReader& reader = GetCameraReader();
        reader.ModelSetup();
        reader.UpdateControlStates();
        handlers_.ShowLineRate();
    };
    settingFile_.SetHooks(std::move(hooks));
    settingFile_.SetProgress(&readProgress_);
    shading_.SetProgress(&readProgress_);
    communicationDialog_->SetSettingFileActions([this] { settingFile_.Save(SettingFileVariant::AllData); },
                                                [this] { settingFile_.Load(); });
    handlers_.SetButtonAction(kStoreAllButtonId, [this] { flashAreas_.StoreAll(); });
    handlers_.SetButtonAction(kShadingReadButtonId, [this] { shading_.ReadToFile(); });
    handlers_.SetButtonAction(kShadingWriteButtonId, [this] { shading_.WriteFromFile(); });
    handlers_.SetButtonAction(kShadingStoreButtonId, [this] { shading_.StoreInFlash(); });
}

int CCtrlToolDlg::ChooseArea(bool load, int& area)
{
    CParameterAreaSelectDialog dialog(this, load ? 1 : 0);
    if (dialog.exec() != QDialog::Accepted) return 0;
    area = dialog.area;
    return 1;
}

void CCtrlToolDlg::UpdateUtilityMenu()
{
    // Disabled on the menu itself: a menu only greyed through its action would come back when the
    // window is enabled again after a long operation.
    const bool factory = GetControlMode().Get() == 1;
    utilityMenu_->setEnabled(factory);
    utilityMenu_->menuAction()->setEnabled(factory);
    menuBar_->update();
}

// ---- start-up ----

void CCtrlToolDlg::OnInitDialog()
{
    setWindowIcon(ToolIcon());
    setWindowTitle(QStringLiteral("%1  Ver %2").arg(QLatin1String(kTitle), QLatin1String(kVersion)));

    // The protocol's background reception of lines the camera sends outside requests.
    GetCommand().StartPolling();
    communicationDialog_->InitDialog();
    communicationDialog_->show();

    PlacePages();
    SetSpinRanges();
    InitComboItemData();
    CameraReader& reader = GetCameraReader();
    reader.ShowAllValues();

    RebuildTabs();
    UpdateUtilityMenu();
    ControlTable& table = GetControlTable();
    table.WriteChangedValues(GetCommand());
    table.CommitShadow();
    communicationDialog_->SetBaudSelection(GetSerialLink().BaudIndex());
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

bool CCtrlToolDlg::CameraAnswers()
{
    // Any answer to the model query proves camera and PC share the speed; which model it is, and the
    // message about a model the tool does not support, are the refresh's business.
    std::string model;
    return GetCommand().QueryText(cmd::MD, model, kModelProbeTimeoutMs) == 1;
}

void CCtrlToolDlg::StartUp()
{
    if (startUpRan_) return;
    startUpRan_ = true;
    PlaceCommunicationDialog();
    SerialLink& link = GetSerialLink();
    Command& command = GetCommand();

    bool answered = false;
    if (!link.ReopenCurrent()) {
        ShowMessage("Failed to initialize!", {}, MessageButtons::Ok, MessageIcon::Exclamation);
    } else {
        communicationDialog_->SetBaudSelection(link.BaudIndex());
        answered = CameraAnswers();
        // The camera may still run at the speed a previous run left it at.
        for (int n = SerialLink::kBaudCount - 1; !answered && n >= 0; --n) {
            if (!link.ReopenWithBaud(SerialLink::BaudRateFromIndex(n))) break;
            communicationDialog_->SetBaudSelection(n);
            answered = CameraAnswers();
        }
    }

    if (answered) {
        int area = 0;
        if (command.QueryValue(cmd::EA, area, kQueryTimeoutMs)) currentArea_ = area;
        if (link.BaudIndex() != kFastBaudIndex &&
            ChangeCameraBaudRate(command, link, SerialLink::BaudRateFromIndex(kFastBaudIndex))) {
            communicationDialog_->SetBaudSelection(kFastBaudIndex);
        }
        GetCameraReader().Refresh();
    }

    CameraReader& reader = GetCameraReader();
    GetControlTable().CommitShadow();
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
    const bool factory = GetControlMode().Get() == 1;
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
    int area = 0;
    if (GetCommand().QueryValue(cmd::EA, area, kQueryTimeoutMs)) currentArea_ = area;
    GetCameraReader().Refresh();
}

void CCtrlToolDlg::ToggleFactoryMode()
{
    ControlMode& mode = GetControlMode();
    mode.Set(mode.Get() == 1 ? 0 : 1);
    RebuildTabs();
    UpdateUtilityMenu();
    ControlTable& table = GetControlTable();
    table.WriteChangedValues(GetCommand());
    table.CommitShadow();
    communicationDialog_->UpdateStoreButton();
    // The factory parameters are read (or dropped from the read) only if a camera is there.
    int area = 0;
    if (GetCommand().QueryValue(cmd::EA, area, kQueryTimeoutMs)) GetCameraReader().Refresh();
}

// ---- keys ----

bool CCtrlToolDlg::KeyFilter(QWidget* target, QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (keySequence_.OnKey(event->key(), modifiers.testFlag(Qt::ShiftModifier),
                               modifiers.testFlag(Qt::ControlModifier))) {
        case FactoryKeySequence::Result::Completed:
            ToggleFactoryMode();
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
                ShowValue(id, GetControlTable().GetDataValue(id));
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

void CCtrlToolDlg::ReturnCameraToDefaultSpeed()
{
    SerialLink& link = GetSerialLink();
    if (link.BaudIndex() == 0) return;
    // A short presence test first: without a camera the exit must not wait for the handshake's
    // time-outs.
    int code = 0;
    if (!GetCommand().QueryValue(cmd::CBDRT, code, kExitProbeTimeoutMs)) return;
    if (ChangeCameraBaudRate(GetCommand(), link, kDefaultBaudRate)) communicationDialog_->SetBaudSelection(0);
}

void CCtrlToolDlg::OnDestroy()
{
    if (destroyed_) return;
    destroyed_ = true;
    // The next program (or the next run of this one) finds the camera at its own start speed.
    if (startedUp_) ReturnCameraToDefaultSpeed();
    GetCommand().StopPolling();
    GetSerialLink().Close();
    terminal_->hide();
    communicationDialog_->hide();
}
