#include "PortNames.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string PortsFolder() {
    const char* folder = std::getenv("PROTOCOL_PORTS_DIR");
    return folder && *folder ? folder : "/etc/protocol/ports";
}

bool HasHardware(const std::string& device) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info{};
    const bool present = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return present;
}

} // namespace

namespace PortNames {

std::string DevicePath(int number) {
    try {
        const std::string entry = PortsFolder() + "/COM" + std::to_string(number);
        struct stat status;
        if (lstat(entry.c_str(), &status) == 0)
            return entry;
        return "/dev/ttyS" + std::to_string(number - 1);
    } catch (...) {
        return {};
    }
}

std::vector<std::string> List() {
    std::vector<std::string> names;
    try {
        if (DIR* folder = opendir(PortsFolder().c_str())) {
            while (const dirent* entry = readdir(folder))
                if (entry->d_name[0] != '.')
                    names.emplace_back(entry->d_name);
            closedir(folder);
            std::sort(names.begin(), names.end());
            return names;
        }
        for (int k = 0; k < 256; ++k)
            if (HasHardware("/dev/ttyS" + std::to_string(k)))
                names.push_back("COM" + std::to_string(k + 1));
    } catch (...) {
        names.clear();
    }
    return names;
}

bool NumberOf(const char* name, int* number) {
    if (!name || std::strlen(name) < 4)
        return false;
    char digits[4] = {};
    std::strncpy(digits, name + 3, 3);
    const char* begin = digits;
    while (*begin == ' ')
        ++begin;
    char* end = digits + std::strlen(digits);
    while (end > begin && end[-1] == ' ')
        --end;
    *end = '\0';
    if (*begin == '\0')
        return false;
    char* parsed;
    const long value = std::strtol(begin, &parsed, 10);
    if (*parsed != '\0' || begin[0] == ' ')
        return false;
    *number = int(value);
    return true;
}

} // namespace PortNames
