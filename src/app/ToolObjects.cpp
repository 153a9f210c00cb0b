// The run's long-lived objects, wired together.
#include "app/ToolObjects.h"

#include "link/ClSerialKind.h"

ToolObjects::ToolObjects(OperatorHosts& hosts)
    : mode(settings),
      link(settings.ReadLinkSettings(), port, &GetClSerialKind, &settings),
      command(link, hosts),
      lookupFailures(hosts.messages),
      reader(command, table, model, mode, hosts)
{
}
