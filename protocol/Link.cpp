// The link layer: frames with checksums, escaping of extended frame bodies, and the one-frame-one-reply-byte
// send and receive transactions. Everything goes through WriteByte and ReadByte.
#include "protocol.h"

#include <chrono>
#include <thread>

namespace {

constexpr uint8_t kSync1 = 0x55, kSync2 = 0xAA, kShortStart = 0xA5, kExtendedStart = 0xDB, kEscape = 0xCC;
constexpr uint8_t kAck = 0x0F, kNak = 0xF0, kTooLong = 0xF3;
constexpr uint8_t kEscapeTable[3] = {0xA5, 0xDB, 0xCC};
constexpr auto kFramePause = std::chrono::milliseconds(20);

enum Result : int {
    Acknowledged = 15,
    MissingByte = -1,
    OtherStation = -2,
    NoFrame = -3,
    ChecksumMismatch = -4,
    InvalidArguments = -5,
    TooLong = -6,
};

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int EscapeIndex(uint32_t byte) {
    for (int i = 0; i < 3; ++i)
        if (kEscapeTable[i] == byte)
            return i;
    return -1;
}

} // namespace

uint16_t TLowProtocol::Crc16(const void* data, uint16_t count) {
    uint16_t crc = 0xFFFF;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (uint16_t i = 0; bytes && i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

uint8_t TLowProtocol::Sum8(const void* data, uint16_t count) {
    uint8_t sum = 0;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (uint16_t i = 0; bytes && i < count; ++i)
        sum = uint8_t(sum + bytes[i]);
    return sum;
}

int TLowProtocol::WriteStuffed(uint8_t byte) {
    const int index = EscapeIndex(byte);
    if (IsExtended && BeforeLast == kSync1 && Last == kSync2 && index >= 0) {
        WriteByte(kEscape);
        WriteByte(uint8_t(index));
    } else {
        WriteByte(byte);
    }
    BeforeLast = Last;
    Last = byte;
    return byte;
}

int TLowProtocol::ReadStuffed() {
    const int byte = ReadByte();
    if (byte < 0)
        return -1;
    if (byte == kEscape && IsExtended && BeforeLast == kSync1 && Last == kSync2) {
        BeforeLast = Last = 0;
        const int index = ReadByte();
        return index >= 0 && index <= 2 ? kEscapeTable[index] : -1;
    }
    BeforeLast = Last;
    Last = uint32_t(byte);
    return byte;
}

int TLowProtocol::Send(const void* data, uint16_t length, uint16_t destination) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    // A short frame's length byte holds 255 at most: a longer block would go out as a garbled frame.
    if ((!bytes && length > 0) || (!IsExtended && length > 255))
        return InvalidArguments;
    const uint16_t checksum = IsExtended ? Crc16(bytes, length) : Sum8(bytes, length);
    std::this_thread::sleep_for(kFramePause);
    WriteByte(kSync1);
    WriteByte(kSync2);
    if (IsExtended) {
        WriteByte(kExtendedStart);
        BeforeLast = Last = 0;
        WriteStuffed(uint8_t(destination));
        WriteStuffed(uint8_t(destination >> 8));
        WriteStuffed(uint8_t(Address));
        WriteStuffed(uint8_t(Address >> 8));
        WriteStuffed(uint8_t(length));
        WriteStuffed(uint8_t(length >> 8));
    } else {
        WriteByte(kShortStart);
        WriteByte(uint8_t(destination));
        WriteStuffed(uint8_t(length));
    }
    for (uint16_t i = 0; i < length; ++i)
        WriteStuffed(bytes[i]);
    WriteStuffed(uint8_t(checksum));
    if (IsExtended)
        WriteStuffed(uint8_t(checksum >> 8));

    const int reply = ReadByte();
    switch (reply) {
    case kNak:
        ++Statistics.FramesRejected;
        return ChecksumMismatch;
    case kAck:
        ++Statistics.FramesAcknowledged;
        return Acknowledged;
    case -1:
        ++Statistics.ByteTimeouts;
        return MissingByte;
    default:
        return reply;
    }
}

bool TLowProtocol::ReadStuffedPair(uint16_t* value) {
    const int low = ReadStuffed();
    const int high = ReadStuffed();
    if (low < 0 || high < 0)
        return false;
    *value = uint16_t(low + 256 * high);
    return true;
}

bool TLowProtocol::ReadField(uint16_t* value) {
    if (IsExtended) {
        if (ReadStuffedPair(value))
            return true;
    } else if (const int byte = ReadStuffed(); byte >= 0) {
        *value = uint16_t(byte);
        return true;
    }
    ++Statistics.ByteTimeouts;
    return false;
}

int TLowProtocol::Receive(void* buffer, uint16_t size, uint16_t* length, uint16_t* source) {
    if (length)
        *length = 0;
    if (source)
        *source = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (!bytes)
        size = 0; // nothing can be stored: any data is too long

    const int64_t deadline = NowMs() + ReceiveTimeoutMs;
    for (int state = 0;;) {
        if (NowMs() >= deadline) {
            ++Statistics.FrameTimeouts;
            return NoFrame;
        }
        const int byte = ReadByte();
        if (byte == kSync1)
            state = 1;
        else if (byte == kSync2)
            state = state == 1 ? 2 : 0;
        else if (state == 2 && ((byte == kShortStart && !IsExtended) || (byte == kExtendedStart && IsExtended)))
            break;
        else
            state = 0;
    }
    BeforeLast = Last = 0;

    if (IsExtended) {
        uint16_t destination, from;
        if (!ReadStuffedPair(&destination))
            return MissingByte;
        if (destination != (Address & 0xFFFF)) {
            ++Statistics.AddressMismatches;
            return OtherStation;
        }
        if (!ReadStuffedPair(&from)) {
            ++Statistics.ByteTimeouts;
            return MissingByte;
        }
        if (source)
            *source = from;
    } else {
        const int destination = ReadStuffed();
        if (destination < 0)
            return MissingByte;
        if (uint32_t(destination) != Address) {
            ++Statistics.AddressMismatches;
            return OtherStation;
        }
    }

    uint16_t announced;
    if (!ReadField(&announced))
        return MissingByte;
    if (length)
        *length = announced;
    if (announced > size) {
        WriteByte(kTooLong);
        ++Statistics.IoErrors;
        return TooLong;
    }

    for (uint16_t i = 0; i < announced; ++i) {
        const int value = ReadStuffed();
        if (value < 0) {
            ++Statistics.ByteTimeouts;
            return MissingByte;
        }
        bytes[i] = uint8_t(value);
    }

    uint16_t received;
    if (!ReadField(&received))
        return MissingByte;
    const uint16_t expected = IsExtended ? Crc16(bytes, announced) : Sum8(bytes, announced);
    if (received != expected) {
        WriteByte(kNak);
        ++Statistics.ChecksumErrors;
        return ChecksumMismatch;
    }
    WriteByte(kAck);
    ++Statistics.FramesReceived;
    return Acknowledged;
}
