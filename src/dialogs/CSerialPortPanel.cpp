// The serial-port panel of the communication dialog.
#include "dialogs/CSerialPortPanel.h"

#include "framework/MessageBox.h"
#include "framework/TimerService.h"
#include "framework/qt/ControlWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRouteListId = 1081;
constexpr int kAdapterListId = 1082;
constexpr int kUseButtonId = 1083;
constexpr int kDeviceRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QTreeWidget* List(const QStringList& columns, int controlId, const QString& name, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    SetControlId(list, controlId);
    list->setAccessibleName(name);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    // By-id names are long and end in what tells adapters apart (the serial number).
    list->setTextElideMode(Qt::ElideMiddle);
    return list;
}

}  // namespace

CSerialPortPanel::CSerialPortPanel(OperatorHosts hosts, QWidget* parent)
    : QGroupBox(QStringLiteral("Serial Ports"), parent), hosts_(hosts)
{
    setAccessibleName(title());
    auto* routesLabel = new QLabel(QStringLiteral("Where each port leads"), this);
    routes_ = List({QStringLiteral("Port"), QStringLiteral("Leads to"), QStringLiteral("What is there")}, kRouteListId,
                   routesLabel->text(), this);
    routesLabel->setBuddy(routes_);
    routes_->setMinimumSize(640, 250);
    auto* adaptersLabel = new QLabel(QStringLiteral("Adapters present"), this);
    adapters_ = List({QStringLiteral("Device"), QStringLiteral("Maker"), QStringLiteral("Product"),
                      QStringLiteral("Serial"), QStringLiteral("Used as")},
                     kAdapterListId, adaptersLabel->text(), this);
    adaptersLabel->setBuddy(adapters_);
    adapters_->setMinimumHeight(110);
    useButton_ = new QPushButton(this);
    SetControlId(useButton_, kUseButtonId);
    useButton_->setAutoDefault(false);
    // Windows names its ports itself: there is nothing to link, only to see.
    useButton_->setVisible(SerialPortDiscovery::CanLink());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(routesLabel);
    layout->addWidget(routes_, 3);
    layout->addWidget(adaptersLabel);
    layout->addWidget(adapters_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(useButton_);
    layout->addLayout(buttons);

    connect(routes_, &QTreeWidget::currentItemChanged, this, [this] { UpdateUseButton(); });
    connect(adapters_, &QTreeWidget::currentItemChanged, this, [this] { UpdateUseButton(); });
    connect(useButton_, &QPushButton::clicked, this, &CSerialPortPanel::OnUse);
    connect(adapters_, &QTreeWidget::itemActivated, this, [this] {
        if (useButton_->isEnabled()) OnUse();
    });
    UpdateUseButton();
}

CSerialPortPanel::~CSerialPortPanel() { StopWatching(); }

void CSerialPortPanel::SetDiscovery(const SerialPortDiscovery& discovery)
{
    discovery_ = discovery;
    looked_ = false;
    Refresh();
}

void CSerialPortPanel::SetPortIndex(int portIndex)
{
    if (portIndex >= 0 && portIndex < routes_->topLevelItemCount()) {
        routes_->setCurrentItem(routes_->topLevelItem(portIndex));
    }
    UpdateUseButton();
}

int CSerialPortPanel::PortIndex() const { return routes_->indexOfTopLevelItem(routes_->currentItem()); }

void CSerialPortPanel::StartWatching()
{
    if (timerId_ != 0) return;
    timerId_ = hosts_.timers.StartTimer(kRefreshMs, [this] { Refresh(); });
}

void CSerialPortPanel::StopWatching()
{
    if (timerId_ == 0) return;
    hosts_.timers.StopTimer(timerId_);
    timerId_ = 0;
}

void CSerialPortPanel::Refresh()
{
    SerialPortSnapshot look = discovery_.Look();
    // An unchanged look leaves the lists alone: the operator's selection and scroll position stay.
    if (looked_ && look == shown_) return;
    shown_ = std::move(look);
    looked_ = true;
    ShowRoutes();
    ShowAdapters();
    UpdateUseButton();
}

void CSerialPortPanel::ShowRoutes()
{
    const int current = std::max(PortIndex(), 0);
    routes_->clear();
    for (const SerialPortRoute& route : shown_.routes) {
        QString leadsTo = Text(discovery_.Displayed(route.device));
        // Windows: the port's name is all there is; the driver's device says a little more.
        if (!SerialPortDiscovery::CanLink() && route.adapter >= 0) {
            leadsTo = Text(shown_.adapters[static_cast<std::size_t>(route.adapter)].node);
        }
        auto* item =
            new QTreeWidgetItem({Text(route.portName), leadsTo, Text(SerialPortDiscovery::WhatIsThere(route, shown_))});
        item->setToolTip(1, leadsTo);
        routes_->addTopLevelItem(item);
    }
    routes_->resizeColumnToContents(0);
    routes_->setColumnWidth(1, 330);
    if (current < routes_->topLevelItemCount()) routes_->setCurrentItem(routes_->topLevelItem(current));
}

void CSerialPortPanel::ShowAdapters()
{
    const int previous = SelectedAdapter();
    const std::string chosen = previous >= 0
                                   ? adapters_->topLevelItem(previous)->data(0, kDeviceRole).toString().toStdString()
                                   : std::string();
    adapters_->clear();
    for (std::size_t i = 0; i < shown_.adapters.size(); ++i) {
        const SerialAdapter& adapter = shown_.adapters[i];
        QStringList usedAs;
        for (const SerialPortRoute& route : shown_.routes) {
            if (route.adapter == static_cast<int>(i)) usedAs << Text(route.portName);
        }
        const bool usb = adapter.kind == SerialAdapterKind::Usb;
        const std::string device = discovery_.Displayed(adapter.device);
        const std::string node = discovery_.Displayed(adapter.node);
        auto* item = new QTreeWidgetItem({Text(device), Text(adapter.manufacturer),
                                          usb ? Text(adapter.product) : Text(adapter.Description()),
                                          Text(adapter.serial), usedAs.join(QStringLiteral(", "))});
        item->setData(0, kDeviceRole, Text(adapter.device));
        item->setToolTip(0, adapter.node == adapter.device ? Text(device) : Text(device + "\nnow " + node));
        adapters_->addTopLevelItem(item);
        if (adapter.device == chosen) adapters_->setCurrentItem(item);
    }
    for (int column = 1; column < 4; ++column) adapters_->resizeColumnToContents(column);
    adapters_->setColumnWidth(0, 270);
}

int CSerialPortPanel::SelectedAdapter() const
{
    QTreeWidgetItem* item = adapters_->currentItem();
    return item && item->isSelected() ? adapters_->indexOfTopLevelItem(item) : -1;
}

void CSerialPortPanel::UpdateUseButton()
{
    const int port = PortIndex();
    useButton_->setText(QStringLiteral("Use as COM%1").arg(port >= 0 ? port + 1 : 1));
    useButton_->setAccessibleName(useButton_->text());
    useButton_->setEnabled(port >= 0 && SelectedAdapter() >= 0 && SerialPortDiscovery::CanLink());
}

void CSerialPortPanel::OnUse()
{
    const int port = PortIndex();
    const int adapter = SelectedAdapter();
    if (port < 0 || adapter < 0) return;
    const std::string device = adapters_->topLevelItem(adapter)->data(0, kDeviceRole).toString().toStdString();
    if (const std::string problem = discovery_.UseAs(port + 1, device); !problem.empty()) {
        ShowMessage(hosts_.messages, problem, {}, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    Refresh();
    emit PortLinked(port);
}
