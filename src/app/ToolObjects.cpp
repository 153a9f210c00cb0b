// The run's long-lived objects, wired together.
#include "app/ToolObjects.h"

#include "link/ClSerialKind.h"

ToolObjects::ToolObjects()
    : mode(settings),
      link(settings.ReadLinkSettings(), port, &GetClSerialKind, &settings),
      command(link),
      reader(command, table, model, mode)
{
}
