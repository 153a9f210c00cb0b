// ports: the same look at the serial ports as the communication dialog's.
#include "ctl/PortVerbs.h"

#include "ctl/CtlExit.h"

#include "platform/SerialPortDiscovery.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* StateName(SerialRouteState state)
{
    switch (state) {
        case SerialRouteState::Adapter:
            return "adapter";
        case SerialRouteState::NoPort:
            return "no-port";
        case SerialRouteState::Other:
            return "other";
        case SerialRouteState::Missing:
        default:
            return "missing";
    }
}

// 1 for "COM1" (any case), 0 for anything else.
int PortNumber(const std::string& text)
{
    if (text.size() < 4 || text.size() > 5) return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])) != "COM"[i]) return 0;
    }
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
    }
    const int number = std::atoi(text.c_str() + 3);
    return number >= 1 && number <= SerialPortDiscovery::kPortCount ? number : 0;
}

std::string CheckPorts(const CtlArgs& args)
{
    if (!args.Has("--use")) return args.words.empty() ? std::string() : "ports takes no words without --use";
    if (args.words.size() != 2) return "usage: rv8200xc-ctl ports --use COMn DEVICE";
    if (PortNumber(args.words[0]) == 0) return "--use takes COM1 to COM16, not " + args.words[0];
    return {};
}

std::string AdapterJson(const SerialAdapter& adapter)
{
    return JsonText()
        .Add("device", adapter.device)
        .Add("node", adapter.node)
        .Add("kind", adapter.kind == SerialAdapterKind::Usb ? "usb" : "on-board")
        .Add("driver", adapter.driver)
        .Add("manufacturer", adapter.manufacturer)
        .Add("product", adapter.product)
        .Add("serial", adapter.serial)
        .Add("usb_id", adapter.usbId)
        .Add("uart", adapter.uart)
        .Add("description", adapter.Description())
        .Object();
}

int ListPorts(bool json)
{
    const SerialPortDiscovery discovery;
    const SerialPortSnapshot look = discovery.Look();
    if (json) {
        std::vector<std::string> routes;
        for (const SerialPortRoute& route : look.routes) {
            routes.push_back(JsonText()
                                 .Add("port", route.portName)
                                 .Add("device", route.device)
                                 .Add("linked", route.linked)
                                 .Add("state", StateName(route.state))
                                 .Add("adapter", route.adapter)
                                 .Add("what", SerialPortDiscovery::WhatIsThere(route, look))
                                 .Object());
        }
        std::vector<std::string> adapters;
        for (const SerialAdapter& adapter : look.adapters) adapters.push_back(AdapterJson(adapter));
        std::printf("%s\n", JsonText()
                                .Add("ok", true)
                                .AddRaw("ports", JsonText::List(routes))
                                .AddRaw("adapters", JsonText::List(adapters))
                                .Object()
                                .c_str());
        return kExitOk;
    }
    for (const SerialPortRoute& route : look.routes) {
        std::printf("%-6s %-44s %s\n", route.portName.c_str(), discovery.Displayed(route.device).c_str(),
                    SerialPortDiscovery::WhatIsThere(route, look).c_str());
    }
    std::printf("\nAdapters present:%s\n", look.adapters.empty() ? " none" : "");
    for (std::size_t i = 0; i < look.adapters.size(); ++i) {
        const SerialAdapter& adapter = look.adapters[i];
        std::string usedAs;
        for (const SerialPortRoute& route : look.routes) {
            if (route.adapter == static_cast<int>(i)) usedAs += (usedAs.empty() ? " [" : ", ") + route.portName;
        }
        if (!usedAs.empty()) usedAs += "]";
        const std::string now =
            adapter.node == adapter.device ? std::string() : " (now " + discovery.Displayed(adapter.node) + ")";
        std::printf("  %s%s  %s%s\n", discovery.Displayed(adapter.device).c_str(), now.c_str(),
                    adapter.Description().c_str(), usedAs.c_str());
    }
    return kExitOk;
}

int UsePort(const std::string& port, const std::string& device, bool json)
{
    const int number = PortNumber(port);
    std::string linkedTo;
    const std::string problem = SerialPortDiscovery().UseAs(number, device, &linkedTo);
    const std::string portName = "COM" + std::to_string(number);
    if (!problem.empty()) {
        // The link could not be made: a problem with a file (the dosdevices folder), not with a camera.
        if (json) {
            std::printf(
                "%s\n",
                JsonText()
                    .Add("ok", false)
                    .AddRaw("error", JsonText().Add("kind", ExitKind(kExitFile)).Add("message", problem).Object())
                    .Object()
                    .c_str());
        }
        std::fprintf(stderr, "rv8200xc-ctl: %s\n", problem.c_str());
        return kExitFile;
    }
    if (json) {
        std::printf("%s\n", JsonText().Add("ok", true).Add("port", portName).Add("device", linkedTo).Object().c_str());
    } else {
        std::printf("%s leads to %s now.\n", portName.c_str(), linkedTo.c_str());
    }
    return kExitOk;
}

int RunPorts(const CtlArgs& args, bool json)
{
    return args.Has("--use") ? UsePort(args.words[0], args.words[1], json) : ListPorts(json);
}

}  // namespace

void PortVerbs::Add(std::vector<CtlVerb>& verbs)
{
    CtlVerb ports{"ports",
                  "ports [--use COMn DEVICE]",
                  "Lists COM1 to COM16 with the device each leads to and what is there, then the serial\n"
                  "adapters present (USB adapters by their stable /dev/serial/by-id/ name). No camera is\n"
                  "needed. --use COMn DEVICE makes COMn lead to the device (a link in the tool's dosdevices\n"
                  "folder; a device node with a stable name is linked by that name). Exit 4 when the link\n"
                  "cannot be made.",
                  0,
                  2,
                  {"--use"},
                  CheckPorts,
                  {}};
    ports.runAlone = RunPorts;
    verbs.push_back(std::move(ports));
}
