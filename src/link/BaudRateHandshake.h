// Moves the camera and the PC together to another serial speed with the "CBDRT" command.
#pragma once

class Command;
class SerialLink;

inline constexpr int kBaudHandshakeTimeoutMs = 5000;

// Sends "CBDRT" with the new rate's code at the old speed; once the camera acknowledges, reopens the
// link at the new speed and sends it again there. Gives 1 when the camera acknowledged at the new speed.
// A refusal at the old speed changes nothing; a missing acknowledgement at the new speed puts the link
// back at the old speed. A rate outside the baud-rate list, or one the PC side cannot switch to, gives 0
// without sending.
int ChangeCameraBaudRate(Command& command, SerialLink& link, int newBaudRate, int timeoutMs = kBaudHandshakeTimeoutMs);
