// The serial ports as the system has them, for the communication dialog: where each "COMn" leads, the
// adapters plugged in, and "Use as COMn" to make a port lead to one of them.
#pragma once

#include "framework/OperatorHosts.h"

#include "platform/SerialPortDiscovery.h"

#include <QGroupBox>

class QPushButton;
class QTreeWidget;

class CSerialPortPanel : public QGroupBox {
    Q_OBJECT

public:
    // How often the lists are checked while the dialog shows: adapters come and go by hand.
    static constexpr int kRefreshMs = 1000;

    // Refreshes on the hosts' timers; tells problems through their message host.
    explicit CSerialPortPanel(OperatorHosts hosts, QWidget* parent = nullptr);
    ~CSerialPortPanel() override;

    // Where the look reads the system (tests point it at a tree they built).
    void SetDiscovery(const SerialPortDiscovery& discovery);
    // The port "Use as" makes lead to an adapter (0 for COM1); the port list's choice, until the operator
    // picks another row.
    void SetPortIndex(int portIndex);
    int PortIndex() const;
    // Looks at the system again; the lists change only where the look differs from the last one.
    void Refresh();
    // The periodic look, through the framework's timers, while the dialog shows.
    void StartWatching();
    void StopWatching();

    // Links the chosen port to the chosen adapter; on success the port is opened (PortLinked).
    void OnUse();

    const SerialPortSnapshot& Shown() const { return shown_; }
    QTreeWidget* RouteList() const { return routes_; }
    QTreeWidget* AdapterList() const { return adapters_; }
    QPushButton* UseButton() const { return useButton_; }

signals:
    // The port (index) leads to the chosen adapter now.
    void PortLinked(int portIndex);

private:
    void ShowRoutes();
    void ShowAdapters();
    void UpdateUseButton();
    int SelectedAdapter() const;

    SerialPortDiscovery discovery_;
    SerialPortSnapshot shown_;
    bool looked_ = false;
    QTreeWidget* routes_;
    QTreeWidget* adapters_;
    QPushButton* useButton_;
    int timerId_ = 0;
    OperatorHosts hosts_;
};
