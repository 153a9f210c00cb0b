// The communication dialog.
#include "dialogs/CCommunicationDialog.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/CSerialPortPanel.h"
#include "dialogs/TrafficLogList.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/qt/ControlWindow.h"
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
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kStripId = 1066;
constexpr int kStatusIconId = 1071;
constexpr int kStatusTextId = 1063;
constexpr int kCategoryListId = 1009;
constexpr int kPortListId = 1005;
constexpr int kBaudListId = 1027;
constexpr int kWriteSettingsId = 1072;
constexpr int kReadSettingsId = 1073;
constexpr int kCurrentAreaId = 1075;
constexpr int kGetAreaId = 1074;
constexpr int kAreaListId = 1026;
constexpr int kStoreId = 1076;
constexpr int kLoadId = 1077;
constexpr int kMessageListId = 1078;
constexpr int kWriteMessagesId = 1079;
constexpr int kClearMessagesId = 1080;

constexpr int kIconOffline = 502;
constexpr int kIconOnline = 503;

const char* const kCategories[] = {"Com Port", "Camera Link spec. 2000", "Camera Link spec. 2001",
                                   "Camera Link spec. ver.1.1"};

// "Factory Data", "User 1 Data" .. "User 3 Data".
QString AreaText(int area) { return QString::fromLatin1(FlashAreaName(area)) + QStringLiteral(" Data"); }

QPixmap Picture(int id) { return QPixmap(QStringLiteral(":/link/%1.png").arg(id)); }

QPushButton* Button(const char* text, int controlId, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    SetControlId(button, controlId);
    // Enter belongs to no button here: a modeless tool window must not act on a stray key.
    button->setAutoDefault(false);
    return button;
}

QComboBox* DropDown(int controlId, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    SetControlId(box, controlId);
    box->setMinimumWidth(150);
    return box;
}

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
                                           RegistrySettings& settings, CProgressBarDialog& progress, QWidget* parent)
    : CDialogBase(parent, kStripId),
      link_(link),
      command_(command),
      reader_(reader),
      mode_(mode),
      settings_(settings),
      progress_(progress),
      flashAreas_(command, nullptr, [this] { reader_.Refresh(); })
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
    QWidget* body = Body();
    // Created in the order the operator tabs through them.
    QGroupBox* statusGroup = BuildStatusGroup(body);
    QGroupBox* portGroup = BuildPortGroup(body);
    QGroupBox* filesGroup = BuildFilesGroup(body);
    QGroupBox* currentGroup = BuildCurrentAreaGroup(body);
    QGroupBox* areaGroup = BuildAreaGroup(body);
    QGroupBox* messageGroup = BuildMessageGroup(body);
    BuildSerialPorts(body);

    auto* left = new QVBoxLayout;
    for (QGroupBox* group : {statusGroup, portGroup, filesGroup, currentGroup, areaGroup}) left->addWidget(group);
    left->addStretch(1);
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(8, 8, 8, 6);
    columns->addLayout(left);
    columns->addWidget(messageGroup, 1);
    columns->addWidget(serialPorts_, 2);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* CCommunicationDialog::BuildStatusGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Line Status"), body);
    statusIcon_ = new QLabel(group);
    SetControlId(statusIcon_, kStatusIconId);
    statusIcon_->setFixedSize(32, 32);
    lineStatusText_ = new QLabel(group);
    SetControlId(lineStatusText_, kStatusTextId);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(statusIcon_);
    layout->addSpacing(8);
    layout->addWidget(lineStatusText_, 1);
    ShowLineStatus(false);
    return group;
}

QGroupBox* CCommunicationDialog::BuildPortGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Communication Port"), body);
    categoryList_ = DropDown(kCategoryListId, group);
    for (const char* category : kCategories) categoryList_->addItem(QString::fromLatin1(category));
    portList_ = DropDown(kPortListId, group);
    baudList_ = DropDown(kBaudListId, group);
    // The link's rates, by index, as "9600bps" .. "115200bps".
    for (int i = 0; i < SerialLink::kBaudCount; ++i) {
        baudList_->addItem(QStringLiteral("%1bps").arg(SerialLink::BaudRateFromIndex(i)));
    }
    // Only a display: the rate changes through the start-up's handshake with the camera.
    baudList_->setEnabled(false);
    auto* layout = new QFormLayout(group);
    layout->addRow(QStringLiteral("Category"), categoryList_);
    layout->addRow(QStringLiteral("Port Name"), portList_);
    layout->addRow(QStringLiteral("Baud Rate"), baudList_);
    connect(categoryList_, &QComboBox::activated, this, &CCommunicationDialog::OnCategoryChanged);
    connect(portList_, &QComboBox::activated, this, &CCommunicationDialog::OnPortChanged);
    return group;
}

QGroupBox* CCommunicationDialog::BuildFilesGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Files"), body);
    writeSettingsButton_ = Button("Write To File...", kWriteSettingsId, group);
    readSettingsButton_ = Button("Read To FIle....", kReadSettingsId, group);
    // Usable once the setting-file transfers are supplied (SetSettingFileActions).
    writeSettingsButton_->setEnabled(false);
    readSettingsButton_->setEnabled(false);
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (auto [bitmap, button] : {std::pair{301, writeSettingsButton_}, std::pair{300, readSettingsButton_}}) {
        auto* picture = new QLabel(group);
        picture->setPixmap(Picture(bitmap));
        layout->addWidget(picture, row, 0);
        layout->addWidget(button, row, 1);
        ++row;
    }
    layout->setColumnStretch(1, 1);
    connect(writeSettingsButton_, &QPushButton::clicked, this, [this] {
        if (writeSettingFile_) writeSettingFile_();
    });
    connect(readSettingsButton_, &QPushButton::clicked, this, [this] {
        if (readSettingFile_) readSettingFile_();
    });
    return group;
}

QGroupBox* CCommunicationDialog::BuildCurrentAreaGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Current Area"), body);
    currentArea_ = new QLabel(group);
    SetControlId(currentArea_, kCurrentAreaId);
    currentArea_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    currentArea_->setMinimumWidth(110);
    getAreaButton_ = Button("Get Area", kGetAreaId, group);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(currentArea_, 1);
    layout->addWidget(getAreaButton_);
    connect(getAreaButton_, &QPushButton::clicked, this, &CCommunicationDialog::OnGetArea);
    return group;
}

QGroupBox* CCommunicationDialog::BuildAreaGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Factory And User Setting In Camera"), body);
    areaList_ = DropDown(kAreaListId, group);
    for (int area = 0; area < 4; ++area) areaList_->addItem(AreaText(area), area);
    // A sorted list: the area travels with its entry, so the order of the texts never decides the area.
    areaList_->model()->sort(0);
    storeButton_ = Button("Store", kStoreId, group);
    storeButton_->setEnabled(false);
    loadButton_ = Button("Load", kLoadId, group);
    auto* layout = new QGridLayout(group);
    layout->addWidget(areaList_, 0, 0, 1, 2);
    layout->addWidget(storeButton_, 1, 0);
    layout->addWidget(loadButton_, 1, 1);
    connect(areaList_, &QComboBox::activated, this, [this](int) { UpdateStoreButton(); });
    connect(storeButton_, &QPushButton::clicked, this, &CCommunicationDialog::OnStore);
    connect(loadButton_, &QPushButton::clicked, this, &CCommunicationDialog::OnLoad);
    return group;
}

QGroupBox* CCommunicationDialog::BuildMessageGroup(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("ControlTool Message"), body);
    messageList_ = new QListWidget(group);
    SetControlId(messageList_, kMessageListId);
    // Equal rows keep insertion at the top cheap with thousands of entries.
    messageList_->setUniformItemSizes(true);
    messageList_->setMinimumSize(300, 330);
    writeMessagesButton_ = Button("Write To File", kWriteMessagesId, group);
    clearMessagesButton_ = Button("Clear", kClearMessagesId, group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(writeMessagesButton_);
    buttons->addWidget(clearMessagesButton_);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(messageList_, 1);
    layout->addLayout(buttons);
    connect(clearMessagesButton_, &QPushButton::clicked, this, &CCommunicationDialog::OnClearMessages);
    connect(writeMessagesButton_, &QPushButton::clicked, this, &CCommunicationDialog::OnWriteMessages);
    return group;
}

void CCommunicationDialog::BuildSerialPorts(QWidget* body)
{
    serialPorts_ = new CSerialPortPanel(body);
    connect(serialPorts_, &CSerialPortPanel::PortLinked, this, [this](int portIndex) {
        // The port leads to the chosen adapter now: opened and asked for the camera, as a choice in the list is.
        portList_->setCurrentIndex(portIndex);
        OnPortChanged(portIndex);
    });
}

void CCommunicationDialog::SetSettingFileActions(std::function<void()> writeFile, std::function<void()> readFile)
{
    writeSettingFile_ = std::move(writeFile);
    readSettingFile_ = std::move(readFile);
    writeSettingsButton_->setEnabled(static_cast<bool>(writeSettingFile_));
    readSettingsButton_->setEnabled(static_cast<bool>(readSettingFile_));
}

void CCommunicationDialog::OnInitDialog()
{
    SerialLink& link = link_;
    categoryList_->setCurrentIndex(link.GetMode());
    // The stored choice is gone (a library or grabber was removed): the first entry is opened instead.
    if (FillPortList() != link.CurrentPortIndex()) link.OpenPort(0);
    SetBaudSelection(link.BaudIndex());
    areaList_->setCurrentIndex(areaList_->findData(kFlashUser1));
    UpdateStoreButton();
    ShowSerialPorts();
    // The icon follows the strip from the start, also when the dialog is created after the link went online.
    ShowLineStatus(GetOnlineStatusRegistry().GetStatusBitmap() == kBitmapOnline);
}

int CCommunicationDialog::FillPortList()
{
    SerialLink& link = link_;
    portList_->clear();
    const int count = link.PortCount();
    for (int index = 0; index < count; ++index) portList_->addItem(QString::fromStdString(link.PortName(index)));
    int selected = link.CurrentPortIndex();
    if (selected < 0 || selected >= count) selected = 0;
    portList_->setCurrentIndex(selected);
    serialPorts_->SetPortIndex(selected);
    return selected;
}

void CCommunicationDialog::ShowSerialPorts()
{
    const bool serialPort = link_.GetMode() == kLinkComPort;
    serialPorts_->setVisible(serialPort);
    if (!serialPort) {
        serialPorts_->StopWatching();
        return;
    }
    serialPorts_->Refresh();
    serialPorts_->SetPortIndex(portList_->currentIndex());
    if (isVisible()) serialPorts_->StartWatching();
}

void CCommunicationDialog::showEvent(QShowEvent* event)
{
    CDialogBase::showEvent(event);
    ShowSerialPorts();
}

void CCommunicationDialog::hideEvent(QHideEvent* event)
{
    serialPorts_->StopWatching();
    CDialogBase::hideEvent(event);
}

void CCommunicationDialog::AddMessage(const std::string& text)
{
    TrafficLogList::Add(messageList_, text, kMaxMessages);
}

std::vector<std::string> CCommunicationDialog::Messages() const { return TrafficLogList::Lines(messageList_); }

void CCommunicationDialog::SetBaudSelection(int index) { baudList_->setCurrentIndex(index); }

int CCommunicationDialog::BaudSelection() const { return baudList_->currentIndex(); }

int CCommunicationDialog::SelectedArea() const
{
    const QVariant area = areaList_->currentData();
    return area.isValid() ? area.toInt() : -1;
}

void CCommunicationDialog::UpdateStoreButton()
{
    storeButton_->setEnabled(SelectedArea() != kFlashFactory || mode_.IsFactory());
}

void CCommunicationDialog::ShowLineStatus(bool online)
{
    lineStatusIcon_ = online ? kIconOnline : kIconOffline;
    statusIcon_->setPixmap(Picture(lineStatusIcon_));
    lineStatusText_->setText(online ? QStringLiteral("Online") : QStringLiteral("Offline"));
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
    LinkSession session(link_, command_);
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
        ReportLinkError(link_);
        ShowMessage("Failed to initialize!", {}, MessageButtons::Ok, MessageIcon::Exclamation);
        SetBaudSelection(link_.BaudIndex());
        return;
    }
    FindAndReadCamera();
}

void CCommunicationDialog::OnPortChanged(int portIndex)
{
    serialPorts_->SetPortIndex(portIndex);
    // The port's own words when the open fails.
    if (link_.Open(link_.GetMode(), OpeningRate(link_.GetMode()), portIndex) == 0) {
        ReportLinkError(link_);
        SetBaudSelection(link_.BaudIndex());
        return;
    }
    FindAndReadCamera();
}

QString CCommunicationDialog::AreaName(int area, bool known)
{
    if (!known || area < 0 || area > 3) return QStringLiteral("Unkown");
    return AreaText(area);
}

void CCommunicationDialog::OnGetArea()
{
    const RequestOutcome area = command_.Ask(cmd::EA, kAreaQueryTimeoutMs);
    ShowCommunicationError(area.FailureText());
    currentArea_->setText(AreaName(area.value.intValue, area.Answered()));
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

void CCommunicationDialog::OnClearMessages() { messageList_->clear(); }

void CCommunicationDialog::OnWriteMessages()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.startFolder = TrafficLogList::Folder(settings_);
    request.filters = {{"txt file (*.txt)", "*.txt"}};
    request.defaultExtension = "txt";
    std::string path;
    if (ChooseFile(request, path) != 1) return;

    // The list shows the newest line on top; the file reads in the order the lines went over the link.
    std::vector<std::string> lines = Messages();
    std::reverse(lines.begin(), lines.end());
    if (TrafficLogList::WriteFile(path, lines) != 1) return;
    AddMessage("Writing file has been done!");
    TrafficLogList::StoreFolder(settings_, path);
}
