// A program written against the public header and the exports only: it opens a port through the ports folder,
// configures it and exchanges frames with a station on the other end of the line.
#include "PtyPeer.h"
#include "protocol.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

// The weighing electronics on the far end, speaking the same protocol through its own link object.
void Station(TLowProtocol& station) {
    uint8_t request[64];
    uint16_t length = 0, source = 0;
    if (station.Receive(request, sizeof request, &length, &source) != 15)
        return;
    // answer with the request reversed
    uint8_t answer[64];
    for (uint16_t i = 0; i < length; ++i)
        answer[i] = request[length - 1 - i];
    station.Send(answer, length, source);
}

} // namespace

TEST(Client, OpensConfiguresAndExchangesFramesThroughTheExports) {
    PortsFolder folder;
    PtyPeer line;
    folder.Link("COM2", line.SlaveName);

    TAbstractLowProtocol* link = GetLowProtocol(nullptr);
    ASSERT_TRUE(link->OpenPort(2));
    ASSERT_EQ(InitCommPort(9600, 2, 0), 1);
    TLowProtocol electronics;
    electronics.SetHandle(line.Master);
    electronics.SetOwnAddress(0x0010);
    electronics.SetExtended(true);
    ASSERT_TRUE(electronics.SetTimeouts(0, 0, 100, 0, 0));
    std::thread station(Station, std::ref(electronics));

    const uint8_t request[] = {0x55, 0xAA, 0xDB, 1, 2, 3}; // also exercises escaping both ways
    EXPECT_EQ(data_out(request, sizeof request, 0x0010, 1), 15);
    uint8_t answer[16] = {};
    uint16_t length = 0, source = 0;
    EXPECT_EQ(data_in(answer, sizeof answer, &length, &source), 15);
    station.join();
    ASSERT_EQ(length, sizeof request);
    for (size_t i = 0; i < sizeof request; ++i)
        EXPECT_EQ(answer[i], request[sizeof request - 1 - i]);
    EXPECT_TRUE(link->ClosePort());
}
