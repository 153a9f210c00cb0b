// The communication dialog.
#include "dialogs/CCommunicationDialog.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/CSerialPortPanel.h"
#include "dialogs/TrafficLogList.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/OnlineStatusRegistry.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "operations/FlashAreas.h"
#include "operations/LinkSession.h"
#include "operations/RequestReport.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CommandTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kStripId = 1066;
constexpr int kIconOffline = 502;
constexpr int kIconOnline = 503;

}  // namespace

// The pictures of both link dialogs live in a static library, whose resources the linker keeps only when
// something refers to them. Outside any namespace, as the resource macro requires.
static void LoadLinkPictures()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(dialogs);
        return true;
    }();
    (void)loaded;
}

CCommunicationDialog::CCommunicationDialog(SerialLink& link, Command& command, CameraReader& reader, ControlMode& mode,
                                           RegistrySettings& settings, CProgressBarDialog& progress, OperatorHosts hosts, QWidget* parent)
    : CDialogBase(parent, kStripId, hosts),
      link_(link),
      command_(command),
      reader_(reader),
      mode_(mode),
      settings_(settings),
      progress_(progress),
      flashAreas_(command, nullptr, [this] { reader_.Refresh(); }, hosts)
{
    LoadLinkPictures();
    setWindowTitle(QStringLiteral("Communication"));
    BuildControls();
    if (!settings_.IsPreviousShutdownNormal()) link_.SetMode(kLinkComPort);
    link_.SetMessageSink(this);
}

CCommunicationDialog::~CCommunicationDialog() { link_.SetMessageSink(nullptr); }

void CCommunicationDialog::BuildControls()
{
    controls_ = CommunicationControls::Build(Body(), Hosts());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ShowLineStatus(false);
    const CommunicationControls& c = controls_;
    connect(c.categoryList, &QComboBox::activated, this, &CCommunicationDialog::OnCategoryChanged);
    connect(c.portList, &QComboBox::activated, this, &CCommunicationDialog::OnPortChanged);
    connect(c.writeSettingsButton, &QPushButton::clicked, this, [this] {
        if (writeSettingFile_) writeSettingFile_();
    });
    connect(c.readSettingsButton, &QPushButton::clicked, this, [this] {
        if (readSettingFile_) readSettingFile_();
    });
    connect(c.getAreaButton, &QPushButton::clicked, this, &CCommunicationDialog::OnGetArea);
    connect(c.areaList, &QComboBox::activated, this, [this](int) { UpdateStoreButton(); });
    connect(c.storeButton, &QPushButton::clicked, this, &CCommunicationDialog::OnStore);
    connect(c.loadButton, &QPushButton::clicked, this, &CCommunicationDialog::OnLoad);
    connect(c.clearMessagesButton, &QPushButton::clicked, this, &CCommunicationDialog::OnClearMessages);
    connect(c.writeMessagesButton, &QPushButton::clicked, this, &CCommunicationDialog::OnWriteMessages);
    connect(c.serialPorts, &CSerialPortPanel::PortLinked, this, [this](int portIndex) {
        // The port leads to the chosen adapter now: opened and asked for the camera, as a choice in the list is.
        controls_.portList->setCurrentIndex(portIndex);
        OnPortChanged(portIndex);
    });
}

void CCommunicationDialog::SetSettingFileActions(std::function<void()> writeFile, std::function<void()> readFile)
{
    writeSettingFile_ = std::move(writeFile);
    readSettingFile_ = std::move(readFile);
    controls_.writeSettingsButton->setEnabled(static_cast<bool>(writeSettingFile_));
    controls_.readSettingsButton->setEnabled(static_cast<bool>(readSettingFile_));
}

void CCommunicationDialog::OnInitDialog()
{
    SerialLink& link = link_;
    controls_.categoryList->setCurrentIndex(link.GetMode());
    // The stored choice is gone (a library or grabber was removed): the first entry is opened instead.
    if (FillPortList() != link.CurrentPortIndex()) link.OpenPort(0);
    SetBaudSelection(link.BaudIndex());
    controls_.areaList->setCurrentIndex(controls_.areaList->findData(kFlashUser1));
    UpdateStoreButton();
    ShowSerialPorts();
    // The icon follows the strip from the start, also when the dialog is created after the link went online.
    ShowLineStatus(Hosts().onlineStatus.GetStatusBitmap() == kBitmapOnline);
}

int CCommunicationDialog::FillPortList()
{
    SerialLink& link = link_;
    controls_.portList->clear();
    const int count = link.PortCount();
    for (int index = 0; index < count; ++index)
        controls_.portList->addItem(QString::fromStdString(link.PortName(index)));
    int selected = link.CurrentPortIndex();
    if (selected < 0 || selected >= count) selected = 0;
    controls_.portList->setCurrentIndex(selected);
    controls_.serialPorts->SetPortIndex(selected);
    return selected;
}

void CCommunicationDialog::ShowSerialPorts()
{
    const bool serialPort = link_.GetMode() == kLinkComPort;
    controls_.serialPorts->setVisible(serialPort);
    if (!serialPort) {
        controls_.serialPorts->StopWatching();
        return;
    }
    controls_.serialPorts->Refresh();
    controls_.serialPorts->SetPortIndex(controls_.portList->currentIndex());
    if (isVisible()) controls_.serialPorts->StartWatching();
}

void CCommunicationDialog::showEvent(QShowEvent* event)
{
    CDialogBase::showEvent(event);
    ShowSerialPorts();
}

void CCommunicationDialog::hideEvent(QHideEvent* event)
{
    controls_.serialPorts->StopWatching();
    CDialogBase::hideEvent(event);
}

void CCommunicationDialog::AddMessage(const std::string& text)
{
    TrafficLogList::Add(controls_.messageList, text, kMaxMessages);
}

std::vector<std::string> CCommunicationDialog::Messages() const { return TrafficLogList::Lines(controls_.messageList); }

void CCommunicationDialog::SetBaudSelection(int index) { controls_.baudList->setCurrentIndex(index); }

int CCommunicationDialog::BaudSelection() const { return controls_.baudList->currentIndex(); }

int CCommunicationDialog::SelectedArea() const
{
    const QVariant area = controls_.areaList->currentData();
    return area.isValid() ? area.toInt() : -1;
}

void CCommunicationDialog::UpdateStoreButton()
{
    controls_.storeButton->setEnabled(SelectedArea() != kFlashFactory || mode_.IsFactory());
}

void CCommunicationDialog::ShowLineStatus(bool online)
{
    lineStatusIcon_ = online ? kIconOnline : kIconOffline;
    controls_.statusIcon->setPixmap(LinkPicture(lineStatusIcon_));
    controls_.lineStatusText->setText(online ? QStringLiteral("Online") : QStringLiteral("Offline"));
}

void CCommunicationDialog::OnOnlineStatusChanged(bool online) { ShowLineStatus(online); }

int CCommunicationDialog::OpeningRate(int mode) const
{
    // A serial port runs at every rate of the list. A library entry offers what its grabber offers, and
    // one that refuses the rate stays open at a rate of its own that the link would not know; 9600 bit/s,
    // the camera's own start rate, every entry offers. The search then finds the camera's speed.
    return mode == kLinkComPort ? link_.GetBaudRate() : SerialLink::BaudRateFromIndex(0);
}

void CCommunicationDialog::FindAndReadCamera()
{
    // The same search as the start-up's, so a camera left at another speed is found and moved to 115200
    // bit/s, and the rate list shows the rate the link really runs at, whatever the search found.
    LinkSession session(link_, command_, Hosts());
    session.SetSpeedShown([this](int index) { SetBaudSelection(index); });
    const bool found = session.FindCamera();
    SetBaudSelection(link_.BaudIndex());
    if (found && reader_.ModelCheck() == 1) reader_.Refresh();
}

void CCommunicationDialog::OnCategoryChanged(int mode)
{
    // The kind's folder is scanned before one of its entries is opened: a kind not used before has no
    // entry list yet.
    link_.SetMode(mode);
    const int portIndex = FillPortList();
    ShowSerialPorts();
    if (link_.Open(mode, OpeningRate(mode), portIndex) == 0) {
        ReportLinkError(Hosts().messages, link_);
        ShowMessage(Hosts().messages, "Failed to initialize!", {}, MessageButtons::Ok, MessageIcon::Exclamation);
        SetBaudSelection(link_.BaudIndex());
        return;
    }
    FindAndReadCamera();
}

void CCommunicationDialog::OnPortChanged(int portIndex)
{
    controls_.serialPorts->SetPortIndex(portIndex);
    // The port's own words when the open fails.
    if (link_.Open(link_.GetMode(), OpeningRate(link_.GetMode()), portIndex) == 0) {
        ReportLinkError(Hosts().messages, link_);
        SetBaudSelection(link_.BaudIndex());
        return;
    }
    FindAndReadCamera();
}

QString CCommunicationDialog::AreaName(int area, bool known)
{
    if (!known || area < 0 || area > 3) return QStringLiteral("Unkown");
    return CommunicationAreaText(area);
}

void CCommunicationDialog::OnGetArea()
{
    const RequestOutcome area = command_.Ask(cmd::EA, kAreaQueryTimeoutMs);
    ShowCommunicationError(Hosts().messages, area.FailureText());
    controls_.currentArea->setText(AreaName(area.value.intValue, area.Answered()));
}

void CCommunicationDialog::OnStore()
{
    const int area = SelectedArea();
    // The rule of the button, checked again: a factory store must not slip through a stale button state.
    if (area < 0 || (area == kFlashFactory && !mode_.IsFactory())) {
        UpdateStoreButton();
        return;
    }
    // The store takes the camera a while: the progress window shows while it works, and the confirmation
    // is the one "Store All" gives.
    progress_.Open(this, "Now, Storing camera data.");
    flashAreas_.StoreArea(area, kStoreTimeoutMs, FlashAreas::kStoredText);
    progress_.Close();
}

void CCommunicationDialog::OnLoad()
{
    const int area = SelectedArea();
    if (area < 0) return;
    flashAreas_.LoadArea(area);
}

void CCommunicationDialog::OnClearMessages() { controls_.messageList->clear(); }

void CCommunicationDialog::OnWriteMessages()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.startFolder = TrafficLogList::Folder(settings_);
    request.filters = {{"txt file (*.txt)", "*.txt"}};
    request.defaultExtension = "txt";
    std::string path;
    if (ChooseFile(Hosts().fileDialogs, Hosts().messages, request, path) != 1) return;

    // The list shows the newest line on top; the file reads in the order the lines went over the link.
    std::vector<std::string> lines = Messages();
    std::reverse(lines.begin(), lines.end());
    if (TrafficLogList::WriteFile(Hosts().messages, path, lines) != 1) return;
    AddMessage("Writing file has been done!");
    TrafficLogList::StoreFolder(settings_, path);
}
