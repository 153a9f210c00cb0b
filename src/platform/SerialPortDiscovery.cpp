// What the serial-port look gives, in words; the same on every system.
#include "platform/SerialPortDiscovery.h"

#include <cstdlib>

std::string SerialAdapter::Description() const
{
    if (kind == SerialAdapterKind::OnBoard) return uart.empty() ? "on-board port" : "on-board port (" + uart + ")";
    std::string text = manufacturer;
    // Many adapters repeat the maker in the product name ("Prolific" / "Prolific USB-Serial Controller").
    if (!product.empty() && product.rfind(manufacturer, 0) != 0) {
        text += text.empty() ? product : " " + product;
    } else if (!product.empty()) {
        text = product;
    }
    if (text.empty()) text = usbId.empty() ? "USB serial adapter" : "USB serial adapter " + usbId;
    if (!serial.empty()) text += ", serial " + serial;
    return text;
}

std::string SerialPortDiscovery::Displayed(const std::string& path) const
{
    if (root_.empty() || path.size() <= root_.size() || path.compare(0, root_.size(), root_) != 0 ||
        path[root_.size()] != '/') {
        return path;
    }
    return path.substr(root_.size());
}

std::string SerialPortDiscovery::SystemRoot()
{
    const char* root = std::getenv("RV_DEVICE_ROOT");
    return root && *root ? root : std::string();
}

std::string SerialPortDiscovery::WhatIsThere(const SerialPortRoute& route, const SerialPortSnapshot& look)
{
    switch (route.state) {
        case SerialRouteState::Adapter:
            if (route.adapter >= 0 && route.adapter < static_cast<int>(look.adapters.size())) {
                return look.adapters[static_cast<std::size_t>(route.adapter)].Description();
            }
            return "there";
        case SerialRouteState::NoPort:
            return "no port behind this name";
        case SerialRouteState::Other:
            return "there (not one of the adapters listed)";
        case SerialRouteState::Missing:
        default:
            return "not there";
    }
}
