// The link object's port layer: opening, configuring and closing a terminal device, single-byte reads and writes
// with their counters and the receive ring, and the port list.
#include "protocol.h"

#include "PortNames.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

bool BaudConstant(uint32_t baud, speed_t* speed) {
    static const struct {
        uint32_t Baud;
        speed_t Speed;
    } table[] = {{50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
                 {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
                 {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
                 {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
                 {576000, B576000}, {921600, B921600}, {1000000, B1000000}};
    for (const auto& entry : table)
        if (entry.Baud == baud) {
            *speed = entry.Speed;
            return true;
        }
    return false;
}

} // namespace

TLowProtocol::TLowProtocol() { ResetStatistics(); }

TLowProtocol::~TLowProtocol() { ClosePort(); }

bool TLowProtocol::PortOpen() const { return PortHandle >= 0 && fcntl(PortHandle, F_GETFD) != -1; }

void TLowProtocol::MovePortToFront(uint8_t port) {
    for (int i = 0; i < PortsListed; ++i)
        if (Ports[i] == port) {
            std::memmove(Ports + 1, Ports, size_t(i));
            Ports[0] = port;
            return;
        }
}

void TLowProtocol::ResetStatistics() { std::memset(&Statistics, 0, sizeof Statistics); }

void TLowProtocol::SetExtended(bool extended) { IsExtended = extended; }

void TLowProtocol::SetHandle(int32_t handle) {
    if (handle == -1)
        return;
    PortHandle = handle;
    IsBorrowed = true;
}

bool TLowProtocol::OpenPort(uint8_t port) {
    const std::string device = PortNames::DevicePath(port == 0 ? 256 : port);
    // A port this object opened earlier would stay locked for good (exclusive) if its descriptor were dropped.
    if (PortHandle >= 0 && !IsBorrowed)
        ClosePort();
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 || ioctl(fd, TIOCEXCL) != 0) {
        if (fd >= 0)
            close(fd);
        PortHandle = -1;
        return false;
    }
    PortHandle = fd;
    IsBorrowed = false; // the library opened it, so the library closes it
    return true;
}

bool TLowProtocol::InitPort(uint32_t baudRate, uint8_t parity, uint8_t stopBits) {
    if (!PortOpen())
        return false;
    termios settings{};
    speed_t speed;
    if (tcgetattr(PortHandle, &settings) != 0 || !BaudConstant(baudRate, &speed) || parity > 4 || stopBits > 2)
        return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    settings.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    static const tcflag_t parityFlags[] = {0, PARENB | PARODD, PARENB, PARENB | CMSPAR | PARODD, PARENB | CMSPAR};
    settings.c_cflag |= parityFlags[parity];
    if (stopBits != 0)
        settings.c_cflag |= CSTOPB; // one and a half stop bits do not exist here: two
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (tcsetattr(PortHandle, TCSANOW, &settings) != 0)
        return false;
    int rts = TIOCM_RTS;
    ioctl(PortHandle, TIOCMBIC, &rts); // a device without modem lines is fine
    PurgePort();
    return SetTimeouts(0, 0, 100, 0, 0);
}

bool TLowProtocol::SetBaudRate(uint32_t baudRate) {
    if (!PortOpen())
        return false;
    termios settings{};
    speed_t speed;
    if (tcgetattr(PortHandle, &settings) == 0 && BaudConstant(baudRate, &speed)) {
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(PortHandle, TCSANOW, &settings); // a refusal is not reported
    }
    return true;
}

bool TLowProtocol::SetTimeouts(uint32_t, uint32_t readTotalMultiplier, uint32_t readTotalConstant, uint32_t,
                               uint32_t) {
    if (!PortOpen())
        return false;
    const uint64_t wait = uint64_t(readTotalMultiplier) + readTotalConstant;
    ReadWaitMs = wait > 0x7fffffff ? 0x7fffffff : uint32_t(wait);
    return true;
}

void TLowProtocol::EnumPorts() {
    PortsListed = 0;
    for (const std::string& name : PortNames::List()) {
        if (PortsListed >= kMaxPorts)
            break;
        int number;
        if (PortNames::NumberOf(name.c_str(), &number))
            Ports[PortsListed++] = uint8_t(number);
    }
}

void TLowProtocol::SetReceiveTimeout(int32_t milliseconds) { ReceiveTimeoutMs = milliseconds; }

bool TLowProtocol::SendBreak(uint32_t milliseconds) {
    ioctl(PortHandle, TIOCSBRK);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return ioctl(PortHandle, TIOCCBRK) == 0;
}

bool TLowProtocol::PurgePort() { return PortHandle >= 0 && tcflush(PortHandle, TCIOFLUSH) == 0; }

bool TLowProtocol::ClosePort() {
    if (PortHandle < 0 || IsBorrowed)
        return true;
    if (close(PortHandle) != 0 && errno != EINTR)
        return false;
    PortHandle = -1;
    return true;
}

int TLowProtocol::WriteByte(uint8_t byte) {
    ssize_t written;
    do
        written = PortHandle >= 0 ? write(PortHandle, &byte, 1) : -1;
    while (written < 0 && errno == EINTR);
    if (written != 1) {
        ++Statistics.IoErrors;
        return 0;
    }
    Statistics.BytesWritten += uint32_t(written);
    return 1;
}

int TLowProtocol::ReadByte() {
    if (PortHandle < 0) {
        ++Statistics.IoErrors;
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReadWaitMs);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wait{PortHandle, POLLIN, 0};
        const int ready = poll(&wait, 1, int(left.count() > 0 ? left.count() : 0));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            if (std::chrono::steady_clock::now() < deadline)
                continue; // poll woke a little early
            return -1; // the line stayed silent
        }
        uint8_t byte;
        const ssize_t got = ready > 0 ? read(PortHandle, &byte, 1) : -1;
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 1) {
            ++Statistics.BytesRead;
            Ring[RingPos] = byte;
            if (++RingPos >= kRingSize)
                RingPos = 0;
            return byte;
        }
        ++Statistics.IoErrors; // a failed read, or end of file: the other side hung up
        return -1;
    }
}

void TLowProtocol::GetStatistics(TLinkStatistics* statistics) {
    if (statistics)
        *statistics = Statistics;
}
