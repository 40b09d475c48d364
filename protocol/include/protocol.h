/*
 * protocol — the serial link to the weighing electronics.
 *
 * One link object per process, created when the library is loaded and destroyed when it is unloaded (an owned
 * port is closed then, a borrowed one is left open). Plain C entry points drive it; GetLowProtocol hands out the
 * object itself for everything else. Nothing here throws, and every result is a code:
 *
 *   Send / data_out        15 ACK, -4 NAK, -1 no reply byte, 0..255 any other reply byte (243 = frame too long
 *                          for the peer), -5 invalid arguments (nothing sent)
 *   Receive / data_in      15 frame taken (ACK sent), -1 a byte of the frame did not come or an escape was invalid,
 *                          -2 addressed to another station, -3 no frame start within the receive time-out,
 *                          -4 checksum mismatch (NAK sent), -6 longer than the buffer (0xF3 sent)
 *
 * Frames: short  55 AA A5 dst len data… sum8                        (at most 255 data bytes)
 *         extended 55 AA DB dst(2) src(2) len(2) data… crc16(2)      little-endian, body escaped after 55 AA
 *
 * Ports: OpenPort(n) opens the entry "COMn" of the ports folder ($PROTOCOL_PORTS_DIR, default /etc/protocol/ports;
 * entries are symlinks to devices), else /dev/ttyS{n-1}; port 0 stands for 256. A port handle is a POSIX file
 * descriptor; -1 is "no port".
 *
 * Not thread-safe: call the library from one thread at a time.
 */
#ifndef PROTOCOL_H
#define PROTOCOL_H

#include <stdint.h>

#ifdef __cplusplus

/* Ten counters, 40 bytes, in this order. */
struct TLinkStatistics {
    uint32_t FramesReceived;     /* received frames with a good checksum (ACK sent) */
    uint32_t ChecksumErrors;     /* received frames with a bad checksum (NAK sent) */
    uint32_t FramesAcknowledged; /* sent frames answered with ACK */
    uint32_t FramesRejected;     /* sent frames answered with NAK */
    uint32_t ByteTimeouts;       /* sent frames without reply; received frames missing a byte after the address */
    uint32_t FrameTimeouts;      /* Receive calls that found no frame start in time */
    uint32_t AddressMismatches;  /* received frames addressed to another station */
    uint32_t IoErrors;           /* failed port reads and writes; received frames longer than the buffer */
    uint32_t BytesRead;
    uint32_t BytesWritten;
};

/* The operations of the link object, in this (binary) order. */
class TAbstractLowProtocol {
public:
    /* Moves port n to the front of the port list when it is listed. */
    virtual void MovePortToFront(uint8_t port) = 0;
    virtual void ResetStatistics() = 0;
    /* Frame kind of both directions: false short, true extended. */
    virtual void SetExtended(bool extended) = 0;
    /* Takes a caller's open port (a file descriptor) without owning it; -1 changes nothing. */
    virtual void SetHandle(int32_t handle) = 0;
    /* Opens port n (0 = 256) for reading and writing, exclusively. */
    virtual bool OpenPort(uint8_t port) = 0;
    /* 8 data bits; parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stop bits 0 one, 1 one and a half (= two),
       2 two; RTS dropped; queues cleared; reads wait 100 ms. */
    virtual bool InitPort(uint32_t baudRate, uint8_t parity, uint8_t stopBits) = 0;
    virtual bool SetBaudRate(uint32_t baudRate) = 0;
    /* A single-byte read waits readTotalMultiplier + readTotalConstant ms. */
    virtual bool SetTimeouts(uint32_t readInterval, uint32_t readTotalMultiplier, uint32_t readTotalConstant,
                             uint32_t writeTotalMultiplier, uint32_t writeTotalConstant) = 0;
    /* Lists up to 16 ports: the COMn entries of the ports folder in name order, else the serial devices present. */
    virtual void EnumPorts() = 0;
    virtual void SetReceiveTimeout(int32_t milliseconds) = 0;
    virtual bool SendBreak(uint32_t milliseconds) = 0;
    /* Clears the transmit and receive queues. */
    virtual bool PurgePort() = 0;
    /* Closes an owned port; a borrowed one stays open (and set). True also when there is nothing to close. */
    virtual bool ClosePort() = 0;
    /* CRC-16/MODBUS; 0xFFFF for no bytes. */
    virtual uint16_t Crc16(const void* data, uint16_t count) = 0;
    /* Sum of the bytes modulo 256. */
    virtual uint8_t Sum8(const void* data, uint16_t count) = 0;
    /* 1 written, 0 failed. */
    virtual int WriteByte(uint8_t byte) = 0;
    /* 0..255, or -1 when no byte came within the read time-out or the read failed. */
    virtual int ReadByte() = 0;
    virtual int WriteStuffed(uint8_t byte) = 0;
    virtual int ReadStuffed() = 0;
    /* Takes one frame for this station into buffer (at most size bytes); length and source may be null. */
    virtual int Receive(void* buffer, uint16_t size, uint16_t* length, uint16_t* source) = 0;
    /* Sends one frame and reads the one reply byte. */
    virtual int Send(const void* data, uint16_t length, uint16_t destination) = 0;
    /* Copies the ten counters; null is ignored. */
    virtual void GetStatistics(TLinkStatistics* statistics) = 0;

protected:
    ~TAbstractLowProtocol() = default;
};

/* The link object. Its state is readable through the accessors after the 22 operations; the port list, the
   receive ring and the own address are reachable no other way. */
class __attribute__((visibility("default"))) TLowProtocol final : public TAbstractLowProtocol {
public:
    static const int kMaxPorts = 16;
    static const int kRingSize = 1025;

    TLowProtocol();
    ~TLowProtocol();
    TLowProtocol(const TLowProtocol&) = delete;
    TLowProtocol& operator=(const TLowProtocol&) = delete;

    void MovePortToFront(uint8_t port) override;
    void ResetStatistics() override;
    void SetExtended(bool extended) override;
    void SetHandle(int32_t handle) override;
    bool OpenPort(uint8_t port) override;
    bool InitPort(uint32_t baudRate, uint8_t parity, uint8_t stopBits) override;
    bool SetBaudRate(uint32_t baudRate) override;
    bool SetTimeouts(uint32_t readInterval, uint32_t readTotalMultiplier, uint32_t readTotalConstant,
                     uint32_t writeTotalMultiplier, uint32_t writeTotalConstant) override;
    void EnumPorts() override;
    void SetReceiveTimeout(int32_t milliseconds) override;
    bool SendBreak(uint32_t milliseconds) override;
    bool PurgePort() override;
    bool ClosePort() override;
    uint16_t Crc16(const void* data, uint16_t count) override;
    uint8_t Sum8(const void* data, uint16_t count) override;
    int WriteByte(uint8_t byte) override;
    int ReadByte() override;
    int WriteStuffed(uint8_t byte) override;
    int ReadStuffed() override;
    int Receive(void* buffer, uint16_t size, uint16_t* length, uint16_t* source) override;
    int Send(const void* data, uint16_t length, uint16_t destination) override;
    void GetStatistics(TLinkStatistics* statistics) override;

    int PortCount() const { return PortsListed; }
    uint8_t Port(int index) const { return index >= 0 && index < PortsListed ? Ports[index] : 0; }
    int RingPosition() const { return RingPos; }
    uint8_t RingByte(int index) const { return index >= 0 && index < kRingSize ? Ring[index] : 0; }
    int32_t Handle() const { return PortHandle; }
    bool Borrowed() const { return IsBorrowed; }
    bool Extended() const { return IsExtended; }
    uint32_t OwnAddress() const { return Address; }
    /* Frames carry the low 16 bits as their source; received frames must be addressed to it. */
    void SetOwnAddress(uint32_t address) { Address = address; }
    int32_t ReceiveTimeout() const { return ReceiveTimeoutMs; }

private:
    bool PortOpen() const;
    bool ReadStuffedPair(uint16_t* value);
    /* A length or checksum: one byte in short frames, two in extended ones; a missing byte is a byte time-out. */
    bool ReadField(uint16_t* value);

    uint8_t Ports[kMaxPorts];
    uint8_t PortsListed = 0;
    uint8_t Ring[kRingSize];
    int32_t RingPos = 0;
    bool IsBorrowed = false;
    int32_t PortHandle = -1;
    uint32_t Address = 0;
    bool IsExtended = false;
    uint32_t BeforeLast = 0; /* escaping history: the last two body bytes, unescaped */
    uint32_t Last = 0;
    int32_t ReceiveTimeoutMs = 500;
    TLinkStatistics Statistics;
    uint32_t ReadWaitMs = 100; /* read total multiplier + constant */
};

extern "C" {
#endif

void SetCommPort(int32_t handle);
int InitCommPort(int32_t baudRate, uint8_t parity, uint8_t stopBits);
int data_out(const void* data, uint16_t length, uint16_t destination, int extended);
int data_in(void* buffer, uint16_t size, uint16_t* length, uint16_t* source);
#ifdef __cplusplus
TAbstractLowProtocol* GetLowProtocol(TAbstractLowProtocol** place);
}
#else
void* GetLowProtocol(void** place);
#endif

#endif
