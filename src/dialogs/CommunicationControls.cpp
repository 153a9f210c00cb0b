// The communication dialog's controls and their layout.
#include "dialogs/CommunicationControls.h"

#include "dialogs/CSerialPortPanel.h"
#include "framework/qt/ControlWindow.h"
#include "link/SerialLink.h"
#include "operations/FlashAreas.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

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

const char* const kCategories[] = {"Com Port", "Camera Link spec. 2000", "Camera Link spec. 2001",
                                   "Camera Link spec. ver.1.1"};

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

QGroupBox* BuildStatusGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Line Status"), body);
    c.statusIcon = new QLabel(group);
    SetControlId(c.statusIcon, kStatusIconId);
    c.statusIcon->setFixedSize(32, 32);
    c.lineStatusText = new QLabel(group);
    SetControlId(c.lineStatusText, kStatusTextId);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(c.statusIcon);
    layout->addSpacing(8);
    layout->addWidget(c.lineStatusText, 1);
    return group;
}

QGroupBox* BuildPortGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Communication Port"), body);
    c.categoryList = DropDown(kCategoryListId, group);
    for (const char* category : kCategories) c.categoryList->addItem(QString::fromLatin1(category));
    c.portList = DropDown(kPortListId, group);
    c.baudList = DropDown(kBaudListId, group);
    // The link's rates, by index, as "9600bps" .. "115200bps".
    for (int i = 0; i < SerialLink::kBaudCount; ++i) {
        c.baudList->addItem(QStringLiteral("%1bps").arg(SerialLink::BaudRateFromIndex(i)));
    }
    // Only a display: the rate changes through the start-up's handshake with the camera.
    c.baudList->setEnabled(false);
    auto* layout = new QFormLayout(group);
    layout->addRow(QStringLiteral("Category"), c.categoryList);
    layout->addRow(QStringLiteral("Port Name"), c.portList);
    layout->addRow(QStringLiteral("Baud Rate"), c.baudList);
    return group;
}

QGroupBox* BuildFilesGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Files"), body);
    c.writeSettingsButton = Button("Write To File...", kWriteSettingsId, group);
    c.readSettingsButton = Button("Read To FIle....", kReadSettingsId, group);
    // Usable once the setting-file transfers are supplied (SetSettingFileActions).
    c.writeSettingsButton->setEnabled(false);
    c.readSettingsButton->setEnabled(false);
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (auto [bitmap, button] : {std::pair{301, c.writeSettingsButton}, std::pair{300, c.readSettingsButton}}) {
        auto* picture = new QLabel(group);
        picture->setPixmap(LinkPicture(bitmap));
        layout->addWidget(picture, row, 0);
        layout->addWidget(button, row, 1);
        ++row;
    }
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* BuildCurrentAreaGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Current Area"), body);
    c.currentArea = new QLabel(group);
    SetControlId(c.currentArea, kCurrentAreaId);
    c.currentArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.currentArea->setMinimumWidth(110);
    c.getAreaButton = Button("Get Area", kGetAreaId, group);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(c.currentArea, 1);
    layout->addWidget(c.getAreaButton);
    return group;
}

QGroupBox* BuildAreaGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Factory And User Setting In Camera"), body);
    c.areaList = DropDown(kAreaListId, group);
    for (int area = 0; area < 4; ++area) c.areaList->addItem(CommunicationAreaText(area), area);
    // A sorted list: the area travels with its entry, so the order of the texts never decides the area.
    c.areaList->model()->sort(0);
    c.storeButton = Button("Store", kStoreId, group);
    c.storeButton->setEnabled(false);
    c.loadButton = Button("Load", kLoadId, group);
    auto* layout = new QGridLayout(group);
    layout->addWidget(c.areaList, 0, 0, 1, 2);
    layout->addWidget(c.storeButton, 1, 0);
    layout->addWidget(c.loadButton, 1, 1);
    return group;
}

QGroupBox* BuildMessageGroup(QWidget* body, CommunicationControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("ControlTool Message"), body);
    c.messageList = new QListWidget(group);
    SetControlId(c.messageList, kMessageListId);
    // Equal rows keep insertion at the top cheap with thousands of entries.
    c.messageList->setUniformItemSizes(true);
    c.messageList->setMinimumSize(300, 330);
    c.writeMessagesButton = Button("Write To File", kWriteMessagesId, group);
    c.clearMessagesButton = Button("Clear", kClearMessagesId, group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(c.writeMessagesButton);
    buttons->addWidget(c.clearMessagesButton);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(c.messageList, 1);
    layout->addLayout(buttons);
    return group;
}

}  // namespace

QString CommunicationAreaText(int area) { return QString::fromLatin1(FlashAreaName(area)) + QStringLiteral(" Data"); }

QPixmap LinkPicture(int id) { return QPixmap(QStringLiteral(":/link/%1.png").arg(id)); }

CommunicationControls CommunicationControls::Build(QWidget* body, const OperatorHosts& hosts)
{
    CommunicationControls c;
    QGroupBox* statusGroup = BuildStatusGroup(body, c);
    QGroupBox* portGroup = BuildPortGroup(body, c);
    QGroupBox* filesGroup = BuildFilesGroup(body, c);
    QGroupBox* currentGroup = BuildCurrentAreaGroup(body, c);
    QGroupBox* areaGroup = BuildAreaGroup(body, c);
    QGroupBox* messageGroup = BuildMessageGroup(body, c);
    c.serialPorts = new CSerialPortPanel(hosts, body);

    auto* left = new QVBoxLayout;
    for (QGroupBox* group : {statusGroup, portGroup, filesGroup, currentGroup, areaGroup}) left->addWidget(group);
    left->addStretch(1);
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(8, 8, 8, 6);
    columns->addLayout(left);
    columns->addWidget(messageGroup, 1);
    columns->addWidget(c.serialPorts, 2);
    return c;
}
