#include "PtyPeer.h"
#include "protocol.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(Peer.Slave, 0);
        Link = std::make_unique<TLowProtocol>();
        Link->SetHandle(Peer.Slave);
        ASSERT_TRUE(Link->SetTimeouts(0, 0, 100, 0, 0));
    }

    TLinkStatistics Statistics() {
        TLinkStatistics s;
        Link->GetStatistics(&s);
        return s;
    }

    int Send(const Bytes& data, uint16_t destination, bool extended) {
        Link->SetExtended(extended);
        return Link->Send(data.data(), uint16_t(data.size()), destination);
    }

    PtyPeer Peer;
    std::unique_ptr<TLowProtocol> Link;
};

} // namespace

TEST(Checksums, KnownValues) {
    TLowProtocol link;
    EXPECT_EQ(link.Crc16("abc", 3), 0x5749);
    EXPECT_EQ(link.Crc16("", 0), 0xFFFF);
    EXPECT_EQ(link.Crc16("123456789", 9), 0x4B37); // the CRC-16/MODBUS check value
    EXPECT_EQ(link.Sum8("abc", 3), 0x26);
    EXPECT_EQ(link.Sum8("", 0), 0);
    EXPECT_EQ(link.Crc16(nullptr, 5), 0xFFFF);
    EXPECT_EQ(link.Sum8(nullptr, 5), 0);
}

TEST_F(LinkTest, WorkedFramesGoOutByteForByte) {
    struct Case {
        Bytes Data;
        uint16_t Destination;
        bool Extended;
        Bytes Wire;
    };
    const Case cases[] = {
        {{'a', 'b', 'c'}, 5, false, {0x55, 0xAA, 0xA5, 0x05, 0x03, 0x61, 0x62, 0x63, 0x26}},
        {{'a', 'b', 'c'}, 0x0102, true, {0x55, 0xAA, 0xDB, 0x02, 0x01, 0x00, 0x00, 0x03, 0x00, 0x61, 0x62, 0x63, 0x49, 0x57}},
        {{0x55, 0xAA, 0xA5}, 1, true,
         {0x55, 0xAA, 0xDB, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x55, 0xAA, 0xCC, 0x00, 0xDF, 0x0B}},
        {{0x55, 0xAA, 0xA5}, 1, false, {0x55, 0xAA, 0xA5, 0x01, 0x03, 0x55, 0xAA, 0xA5, 0xA4}}, // short: no escaping
        {{}, 7, false, {0x55, 0xAA, 0xA5, 0x07, 0x00, 0x00}},
        {{}, 7, true, {0x55, 0xAA, 0xDB, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        Peer.Write({0x0F});
        EXPECT_EQ(Send(c.Data, c.Destination, c.Extended), 15);
        EXPECT_EQ(Peer.Read(), c.Wire) << "frame " << (&c - cases);
    }
}

namespace {

// CRC-16/MODBUS written out independently of the library, low byte first.
Bytes ReferenceCrc(const Bytes& data) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return {uint8_t(crc), uint8_t(crc >> 8)};
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(LinkTest, ExtendedBodiesAreEscapedOnlyAfter55AA) {
    const Bytes header = {0x55, 0xAA, 0xDB, 0x01, 0x00, 0x00, 0x00};
    const std::pair<Bytes, Bytes> cases[] = {
        {{0x55, 0xAA, 0xCC}, {0x55, 0xAA, 0xCC, 0x02}},
        {{0x55, 0xAA, 0xDB}, {0x55, 0xAA, 0xCC, 0x01}},
        {{0x55, 0xAA, 0x55, 0xAA, 0xA5}, {0x55, 0xAA, 0x55, 0xAA, 0xCC, 0x00}},
        {{0xCC, 0xA5, 0xAA, 0xDB}, {0xCC, 0xA5, 0xAA, 0xDB}},
    };
    for (const auto& [data, body] : cases) {
        Peer.Write({0x0F});
        EXPECT_EQ(Send(data, 1, true), 15);
        const Bytes length = {uint8_t(data.size()), 0x00};
        EXPECT_EQ(Peer.Read(), Concat(Concat(Concat(header, length), body), ReferenceCrc(data)));
    }

    // a destination 0xAA55 puts 55 AA into the body, so an own address with low byte 0xA5 is escaped after it
    Link->SetOwnAddress(0x00A5);
    Peer.Write({0x0F});
    EXPECT_EQ(Send({7}, 0xAA55, true), 15);
    EXPECT_EQ(Peer.Read(), Concat({0x55, 0xAA, 0xDB, 0x55, 0xAA, 0xCC, 0x00, 0x00, 0x01, 0x00, 0x07}, ReferenceCrc({7})));
}

TEST_F(LinkTest, SendResultsAndCounters) {
    struct Case {
        int Reply; // -1: the peer stays silent
        int Result;
        uint32_t TLinkStatistics::*Counter;
    };
    const Case cases[] = {
        {0x0F, 15, &TLinkStatistics::FramesAcknowledged},
        {0xF0, -4, &TLinkStatistics::FramesRejected},
        {0xF3, 243, nullptr},
        {0x42, 0x42, nullptr},
        {-1, -1, &TLinkStatistics::ByteTimeouts},
    };
    for (const Case& c : cases) {
        Link->ResetStatistics();
        if (c.Reply >= 0)
            Peer.Write({uint8_t(c.Reply)});
        EXPECT_EQ(Send({1, 2, 3}, 5, false), c.Result) << c.Reply;
        const TLinkStatistics s = Statistics();
        const uint32_t counters = s.FramesAcknowledged + s.FramesRejected + s.ByteTimeouts;
        EXPECT_EQ(counters, c.Counter ? 1u : 0u) << c.Reply;
        if (c.Counter) {
            EXPECT_EQ(s.*(c.Counter), 1u) << c.Reply;
        }
        EXPECT_EQ(s.BytesWritten, 9u);
        EXPECT_EQ(s.BytesRead, c.Reply >= 0 ? 1u : 0u);
        Peer.Read(0);
    }
}

TEST_F(LinkTest, SendRefusesWhatCannotBeAFrame) {
    EXPECT_EQ(Send(Bytes(256, 1), 5, false), -5); // a short frame's length byte holds 255 at most
    Link->SetExtended(true);
    EXPECT_EQ(Link->Send(nullptr, 3, 5), -5);
    EXPECT_TRUE(Peer.Read(50).empty());
    Peer.Write({0x0F});
    EXPECT_EQ(Send(Bytes(255, 1), 5, false), 15);
    EXPECT_EQ(Peer.Read().size(), 6u + 255u);
}

namespace {

struct Received {
    int Result;
    uint16_t Length, Source;
    Bytes Data;
};

} // namespace

class ReceiveTest : public LinkTest {
protected:
    Received Receive(const Bytes& wire, bool extended, uint16_t size = 64) {
        Link->SetExtended(extended);
        Peer.Write(wire);
        Bytes buffer(size, 0xEE);
        Received r{};
        r.Result = Link->Receive(buffer.data(), size, &r.Length, &r.Source);
        r.Data.assign(buffer.begin(), buffer.begin() + std::min<size_t>(r.Length, size));
        return r;
    }
};

TEST_F(ReceiveTest, GoodFramesAreTakenAndAcknowledged) {
    Received r = Receive({0x00, 0x13, 0x55, 0xAA, 0xA5, 0x00, 0x03, 'a', 'b', 'c', 0x26}, false);
    EXPECT_EQ(r.Result, 15);
    EXPECT_EQ(r.Length, 3);
    EXPECT_EQ(r.Data, (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(Peer.Read(), Bytes{0x0F});

    // extended, with a source address and an escaped data byte; 55 55 AA DB also starts a frame
    r = Receive({0x55, 0x55, 0xAA, 0xDB, 0x00, 0x00, 0x34, 0x12, 0x03, 0x00, 0x55, 0xAA, 0xCC, 0x00, 0xDF, 0x0B}, true);
    EXPECT_EQ(r.Result, 15);
    EXPECT_EQ(r.Source, 0x1234);
    EXPECT_EQ(r.Data, (Bytes{0x55, 0xAA, 0xA5}));
    EXPECT_EQ(Peer.Read(), Bytes{0x0F});
    EXPECT_EQ(Statistics().FramesReceived, 2u);
}

TEST_F(ReceiveTest, FailuresAndTheirCounters) {
    struct Case {
        const char* What;
        Bytes Wire;
        bool Extended;
        uint16_t Size;
        int Result;
        Bytes Reply;
        uint32_t TLinkStatistics::*Counter;
        uint16_t Length;
    };
    const Case cases[] = {
        {"checksum", {0x55, 0xAA, 0xA5, 0x00, 0x03, 'a', 'b', 'c', 0x27}, false, 64, -4, {0xF0},
         &TLinkStatistics::ChecksumErrors, 3},
        {"other station", {0x55, 0xAA, 0xA5, 0x03, 0x03, 'a', 'b', 'c', 0x26}, false, 64, -2, {},
         &TLinkStatistics::AddressMismatches, 0},
        {"other station, extended", {0x55, 0xAA, 0xDB, 0x03, 0x00, 0, 0, 0, 0, 0xFF, 0xFF}, true, 64, -2, {},
         &TLinkStatistics::AddressMismatches, 0},
        {"too long", {0x55, 0xAA, 0xA5, 0x00, 0x0A, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 55}, false, 9, -6, {0xF3},
         &TLinkStatistics::IoErrors, 10},
        {"missing data byte", {0x55, 0xAA, 0xA5, 0x00, 0x03, 'a', 'b'}, false, 64, -1, {},
         &TLinkStatistics::ByteTimeouts, 3},
        {"missing length", {0x55, 0xAA, 0xDB, 0x00, 0x00, 0x00, 0x00, 0x03}, true, 64, -1, {},
         &TLinkStatistics::ByteTimeouts, 0},
        {"missing source", {0x55, 0xAA, 0xDB, 0x00, 0x00, 0x00}, true, 64, -1, {}, &TLinkStatistics::ByteTimeouts, 0},
        {"missing checksum", {0x55, 0xAA, 0xDB, 0, 0, 0, 0, 1, 0, 9, 0x12}, true, 64, -1, {},
         &TLinkStatistics::ByteTimeouts, 1},
        {"invalid escape", {0x55, 0xAA, 0xDB, 0, 0, 0, 0, 3, 0, 0x55, 0xAA, 0xCC, 0x07}, true, 64, -1, {},
         &TLinkStatistics::ByteTimeouts, 3},
        {"missing destination", {0x55, 0xAA, 0xA5}, false, 64, -1, {}, nullptr, 0},
    };
    for (const Case& c : cases) {
        Link->ResetStatistics();
        const Received r = Receive(c.Wire, c.Extended, c.Size);
        EXPECT_EQ(r.Result, c.Result) << c.What;
        EXPECT_EQ(r.Length, c.Length) << c.What;
        EXPECT_EQ(Peer.Read(50), c.Reply) << c.What;
        const TLinkStatistics s = Statistics();
        const uint32_t outcomes = s.ChecksumErrors + s.AddressMismatches + s.IoErrors + s.ByteTimeouts +
                                  s.FramesReceived + s.FrameTimeouts;
        EXPECT_EQ(outcomes, c.Counter ? 1u : 0u) << c.What;
        if (c.Counter) {
            EXPECT_EQ(s.*(c.Counter), 1u) << c.What;
        }
    }
}

TEST_F(ReceiveTest, SilentLineTimesOutAfterTheReceiveTimeOut) {
    const auto start = std::chrono::steady_clock::now();
    const Received r = Receive({}, false);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.Result, -3);
    EXPECT_EQ(Statistics().FrameTimeouts, 1u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(500));
    EXPECT_LT(elapsed, std::chrono::milliseconds(500 + 100 + 150)); // the hunt, at most one read, and slack
}

TEST_F(ReceiveTest, AFrameStartOfTheOtherKindIsNoStart) {
    Link->SetReceiveTimeout(150);
    EXPECT_EQ(Receive({0x55, 0xAA, 0xA5, 0x00, 0x00, 0x00}, true).Result, -3);
    Peer.Read(0);
    EXPECT_EQ(Receive({0x55, 0xAA, 0xDB, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, false).Result, -3);
    EXPECT_TRUE(Peer.Read(50).empty());
}

TEST_F(ReceiveTest, NullBufferAndOutPointersAreTolerated) {
    Link->SetExtended(false);
    Peer.Write({0x55, 0xAA, 0xA5, 0x00, 0x02, 1, 2, 3});
    EXPECT_EQ(Link->Receive(nullptr, 64, nullptr, nullptr), -6);
    Peer.Read(50);
    Peer.Write({0x55, 0xAA, 0xA5, 0x00, 0x00, 0x00});
    EXPECT_EQ(Link->Receive(nullptr, 0, nullptr, nullptr), 15);
    Link->GetStatistics(nullptr);
}
