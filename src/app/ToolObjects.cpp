// The run's long-lived objects, wired together.
#include "app/ToolObjects.h"

#include <utility>

ToolObjects::ToolObjects(OperatorHosts& hosts, SerialLink::KindLookup kinds)
    : mode(settings),
      link(settings.ReadLinkSettings(), port, std::move(kinds), &settings),
      command(link, hosts),
      lookupFailures(hosts.messages),
      reader(command, table, model, mode, hosts)
{
}
