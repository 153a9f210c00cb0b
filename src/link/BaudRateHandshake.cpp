// The two-step speed change: the camera switches after acknowledging, the PC follows, and a second
// "CBDRT" at the new speed proves both ends agree.
#include "link/BaudRateHandshake.h"

#include "link/Command.h"
#include "link/SerialLink.h"
#include "tables/CommandTable.h"

#include <string>

int ChangeCameraBaudRate(Command& command, SerialLink& link, int newBaudRate, int timeoutMs)
{
    const int code = SerialLink::RateCodeOfBaudRate(newBaudRate);
    if (code == 0) return 0;
    // The camera switches as soon as it acknowledges: a PC side that cannot follow (a library of the
    // 2000 kind runs at 9600 only) would leave the camera at a speed nobody reaches.
    if (!link.SupportsBaudRate(newBaudRate)) return 0;
    const int oldBaudRate = link.GetBaudRate();
    if (!command.Set(cmd::CBDRT, code, timeoutMs)) return 0;
    // The acknowledgement has arrived, so the whole line has left the port: reopening cannot cut it off.
    if (link.ReopenWithBaud(newBaudRate) && command.Set(cmd::CBDRT, code, timeoutMs)) return 1;
    // The reason of the failure outlives the reopen that puts the old speed back.
    const std::string why = link.LastError();
    link.ReopenWithBaud(oldBaudRate);
    link.KeepError(why);
    return 0;
}
