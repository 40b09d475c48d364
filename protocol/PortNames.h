#pragma once

#include <string>
#include <vector>

// Where COM port numbers come from on this system: the ports folder ($PROTOCOL_PORTS_DIR, default
// /etc/protocol/ports) whose entries COMn are symlinks to devices, as Wine's dosdevices; without that folder, the
// serial devices /dev/ttyS<k> that have hardware behind them, as COM<k+1>. Nothing here throws.
namespace PortNames {

// The device of COM port number (1…256).
std::string DevicePath(int number);

// The port names a registry would list, in name order ("COM1", "COM3", or whatever the folder holds).
std::vector<std::string> List();

// The port number in a name: at most three characters from the fourth on (the text after "COM"), blanks trimmed,
// as a decimal integer. False when that is not a number.
bool NumberOf(const char* name, int* number);

} // namespace PortNames
