#include "PtyPeer.h"
#include "protocol.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/ioctl.h>


namespace {

std::vector<int> Listed(const TLowProtocol& link) {
    std::vector<int> ports;
    for (int i = 0; i < link.PortCount(); ++i)
        ports.push_back(link.Port(i));
    return ports;
}

bool IsOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

} // namespace

TEST(Statistics, AreTenZeroCountersAtFirst) {
    static_assert(sizeof(TLinkStatistics) == 40);
    TLowProtocol link;
    TLinkStatistics s;
    std::memset(&s, 0xFF, sizeof s);
    link.GetStatistics(&s);
    const TLinkStatistics zero{};
    EXPECT_EQ(std::memcmp(&s, &zero, sizeof s), 0);
    EXPECT_EQ(link.Handle(), -1);
    EXPECT_EQ(link.ReceiveTimeout(), 500);
    EXPECT_FALSE(link.Extended());
    EXPECT_EQ(link.OwnAddress(), 0u);
}

TEST(OpenPort, FindsComPortsInThePortsFolder) {
    PortsFolder folder;
    PtyPeer com3, com10, com256;
    folder.Link("COM3", com3.SlaveName);
    folder.Link("COM10", com10.SlaveName);
    folder.Link("COM256", com256.SlaveName);
    for (const auto& [number, peer] : {std::pair{3, &com3}, std::pair{10, &com10}, std::pair{0, &com256}}) {
        TLowProtocol link;
        ASSERT_TRUE(link.OpenPort(uint8_t(number))) << number;
        EXPECT_FALSE(link.Borrowed());
        ASSERT_TRUE(link.InitPort(9600, 0, 0));
        EXPECT_EQ(link.WriteByte(0x5A), 1);
        EXPECT_EQ(peer->Read(), std::vector<uint8_t>{0x5A}) << number; // it reached the right device
        const int fd = link.Handle();
        EXPECT_TRUE(link.ClosePort());
        EXPECT_EQ(link.Handle(), -1);
        EXPECT_FALSE(IsOpen(fd));
    }
    TLowProtocol link;
    EXPECT_FALSE(link.OpenPort(200)); // no entry, and no /dev/ttyS199
    EXPECT_EQ(link.Handle(), -1);
}

TEST(InitPort, ConfiguresRawEightBitsWithParityAndStopBits) {
    PtyPeer peer;
    TLowProtocol link;
    EXPECT_FALSE(link.InitPort(9600, 0, 0)); // no port
    EXPECT_FALSE(link.SetBaudRate(9600));
    link.SetHandle(peer.Slave);
    struct Case {
        uint8_t Parity, StopBits;
        tcflag_t Expected;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 0, PARENB | PARODD}, Case{2, 2, PARENB | CSTOPB},
                          Case{3, 1, PARENB | PARODD | CMSPAR | CSTOPB}, Case{4, 0, PARENB | CMSPAR}}) {
        ASSERT_TRUE(link.InitPort(19200, c.Parity, c.StopBits));
        termios t{};
        tcgetattr(peer.Slave, &t);
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        // a pseudo-terminal always reports no parity (PARENB): the bits that say which parity still show
        EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR | CSTOPB), c.Expected & ~tcflag_t(PARENB)) << int(c.Parity);
        EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));
        EXPECT_EQ(t.c_lflag & ICANON, 0u);
    }
    EXPECT_FALSE(link.InitPort(12345, 0, 0)); // no such baud rate
    EXPECT_FALSE(link.InitPort(9600, 5, 0));
    EXPECT_TRUE(link.SetBaudRate(115200));
    termios t{};
    tcgetattr(peer.Slave, &t);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
}

TEST(ReadByte, SilentLineGivesMinusOneAfterTheReadTimeOut) {
    PtyPeer peer;
    TLowProtocol link;
    link.SetHandle(peer.Slave);
    ASSERT_TRUE(link.InitPort(9600, 0, 0));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.ReadByte(), -1);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(100));
    EXPECT_LT(elapsed, std::chrono::milliseconds(250));
    TLinkStatistics s;
    link.GetStatistics(&s);
    EXPECT_EQ(s.IoErrors, 0u); // a time-out is no error
}

TEST(ReadByte, CountsAndKeepsEveryByteInA1025ByteRing) {
    PtyPeer peer;
    TLowProtocol link;
    link.SetHandle(peer.Slave);
    ASSERT_TRUE(link.InitPort(9600, 0, 0));
    std::vector<uint8_t> bytes(1026);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7);
    peer.Write(bytes);
    for (size_t i = 0; i < 1025; ++i)
        ASSERT_EQ(link.ReadByte(), bytes[i]);
    EXPECT_EQ(link.RingPosition(), 0); // 1025 positions, not 1024
    EXPECT_EQ(link.RingByte(1024), bytes[1024]);
    EXPECT_EQ(link.ReadByte(), bytes[1025]);
    EXPECT_EQ(link.RingPosition(), 1);
    EXPECT_EQ(link.RingByte(0), bytes[1025]);
    TLinkStatistics s;
    link.GetStatistics(&s);
    EXPECT_EQ(s.BytesRead, 1026u);
}

TEST(ReadWrite, HungUpLineCountsAsIoError) {
    auto peer = std::make_unique<PtyPeer>();
    TLowProtocol link;
    const int slave = peer->HandOverSlave();
    link.SetHandle(slave);
    ASSERT_TRUE(link.InitPort(9600, 0, 0));
    close(peer->Master);
    peer->Master = -1;
    EXPECT_EQ(link.ReadByte(), -1);
    EXPECT_EQ(link.WriteByte(1), 0);
    TLinkStatistics s;
    link.GetStatistics(&s);
    EXPECT_EQ(s.IoErrors, 2u);
    close(slave);
}

TEST(ClosePort, LeavesBorrowedHandlesAndNoPortAlone) {
    TLowProtocol link;
    EXPECT_TRUE(link.ClosePort()); // no port
    PtyPeer peer;
    link.SetHandle(-1);
    EXPECT_EQ(link.Handle(), -1);
    link.SetHandle(peer.Slave);
    EXPECT_TRUE(link.Borrowed());
    EXPECT_TRUE(link.ClosePort());
    EXPECT_EQ(link.Handle(), peer.Slave);
    EXPECT_TRUE(IsOpen(peer.Slave));
    {
        TLowProtocol other;
        other.SetHandle(peer.Slave);
    } // destroying the link object leaves a borrowed port open
    EXPECT_TRUE(IsOpen(peer.Slave));
}

TEST(EnumPorts, ListsTheNumbersOfThePortsFolderEntries) {
    {
        PortsFolder folder;
        for (const char* name : {"COM1", "XYZ", "COM3"})
            folder.Link(name, "/dev/null");
        TLowProtocol link;
        link.EnumPorts();
        EXPECT_EQ(Listed(link), (std::vector<int>{1, 3}));
    }
    {
        PortsFolder folder;
        for (int i = 1; i <= 20; ++i)
            folder.Link("COM" + std::to_string(i), "/dev/null");
        TLowProtocol link;
        link.EnumPorts();
        // name order, the first sixteen
        EXPECT_EQ(Listed(link), (std::vector<int>{1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2, 20, 3, 4, 5}));
    }
    {
        PortsFolder folder;
        for (const char* name : {"COM300", "COM 7", "COM12a", "COM"})
            folder.Link(name, "/dev/null");
        TLowProtocol link;
        link.EnumPorts();
        EXPECT_EQ(Listed(link), (std::vector<int>{7, 44})); // " 7" trimmed; 300 reduced to 8 bits
    }
}

TEST(MovePortToFront, ReordersListedPortsOnly) {
    PortsFolder folder;
    for (const char* name : {"AAA5", "BBB1", "CCC3"}) // name order gives the list 5, 1, 3
        folder.Link(name, "/dev/null");
    TLowProtocol link;
    link.EnumPorts();
    ASSERT_EQ(Listed(link), (std::vector<int>{5, 1, 3}));
    link.MovePortToFront(3);
    EXPECT_EQ(Listed(link), (std::vector<int>{3, 5, 1}));
    link.MovePortToFront(7);
    EXPECT_EQ(Listed(link), (std::vector<int>{3, 5, 1}));
    link.MovePortToFront(3);
    EXPECT_EQ(Listed(link), (std::vector<int>{3, 5, 1}));
}

TEST(SendBreak, OnAPortWithoutBreakSupportFailsQuietly) {
    TLowProtocol link;
    EXPECT_FALSE(link.SendBreak(1)); // no port
    EXPECT_FALSE(link.PurgePort());
    PtyPeer peer;
    link.SetHandle(peer.Slave);
    EXPECT_TRUE(link.PurgePort());
}
