// The process-wide Camera Link library objects behind link modes 1 to 3.
#include "link/ClSerial2000.h"
#include "link/ClSerial2001.h"
#include "link/ClSerialV11.h"

ClSerialKind* GetClSerialKind(int linkMode)
{
    // Created on first use and never destroyed: they live to process end, and closing a maker's
    // library from a static destructor could call into a library already torn down. Each looks up the
    // system folder at every scan and open.
    static ClSerial2000* const kind2000 = new ClSerial2000();
    static ClSerial2001* const kind2001 = new ClSerial2001();
    static ClSerialV11* const kindV11 = new ClSerialV11();
    switch (linkMode) {
        case 1:
            return kind2000;
        case 2:
            return kind2001;
        case 3:
            return kindV11;
        default:
            return nullptr;
    }
}
