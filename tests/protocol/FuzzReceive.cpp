// Feeds arbitrary bytes to Receive: whatever arrives on the line, it must neither crash nor write past the
// caller's buffer. The first input byte chooses the frame kind and the buffer size; the rest is the line.
#include "protocol.h"

#include <cstdlib>
#include <cstring>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    int line[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, line) != 0)
        return 0;
    const size_t written = size - 1 > 60000 ? 60000 : size - 1;
    if (written > 0 && write(line[0], data + 1, written) != ssize_t(written)) {
        close(line[0]);
        close(line[1]);
        return 0;
    }
    shutdown(line[0], SHUT_WR); // the line ends after the input: reads then fail at once instead of waiting

    TLowProtocol link;
    link.SetHandle(line[1]);
    link.SetTimeouts(0, 0, 0, 0, 0);
    link.SetReceiveTimeout(1);
    link.SetExtended(data[0] & 0x80);
    const uint16_t capacity = data[0] & 0x7F;
    // canaries on both sides of the caller's buffer
    std::vector<uint8_t> guarded(capacity + 64, 0xA5);
    uint16_t length = 0xDEAD, source = 0xBEEF;
    // one call per frame on the line, until the line has nothing left (a call on an empty line just times out)
    int waiting = 1;
    for (int call = 0; call < 16 && waiting > 0; ++call) {
        const int result = link.Receive(guarded.data() + 32, capacity, &length, &source);
        if (result != 15 && (result < -6 || result > -1 || result == -5))
            std::abort(); // not a documented result
        if (ioctl(line[1], FIONREAD, &waiting) != 0)
            waiting = 0;
    }
    for (size_t i = 0; i < 32; ++i)
        if (guarded[i] != 0xA5 || guarded[32 + capacity + i] != 0xA5)
            std::abort(); // written past the buffer
    close(line[0]);
    close(line[1]);
    return 0;
}
