// The serial link over a pseudo-terminal pair: whole frame exchanges (each frame begins with a 20 ms pause; the
// goal is an exchange within 1.2 times that), and the library's cost per byte against bare reads and writes on
// the same pair (goal: within 2 times).
//
//   build/bench/bench_protocol
#include "protocol.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Pair {
    Pair() {
        termios raw{};
        cfmakeraw(&raw);
        openpty(&Master, &Slave, nullptr, &raw, nullptr);
    }
    ~Pair() {
        close(Master);
        close(Slave);
    }
    int Master = -1, Slave = -1;
};

// A line whose slave end is the library's port, configured as a caller would.
struct Line : Pair {
    Line() {
        Link.SetHandle(Slave);
        Link.InitPort(115200, 0, 0);
    }
    TLowProtocol Link;
};

std::vector<uint8_t> Data(size_t size) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = uint8_t(i % 80); // no 55 AA inside: the frame is not escaped
    return data;
}

// The peer: reads frames of frameSize bytes from the line and acknowledges each one.
class Acknowledger {
public:
    Acknowledger(int fd, size_t frameSize) : Thread([this, fd, frameSize] {
        size_t got = 0;
        uint8_t buffer[512];
        while (!Stop) {
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 20) <= 0)
                continue;
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                return;
            got += size_t(n);
            if (got >= frameSize) {
                got -= frameSize;
                const uint8_t ack = 0x0F;
                if (write(fd, &ack, 1) != 1)
                    return;
            }
        }
    }) {}
    ~Acknowledger() {
        Stop = true;
        Thread.join();
    }

private:
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

void SendAcknowledged(benchmark::State& state) {
    const bool extended = state.range(0) != 0;
    const auto data = Data(200);
    Line line;
    line.Link.SetExtended(extended);
    Acknowledger peer(line.Master, (extended ? 11 : 6) + data.size());
    for (auto _ : state)
        if (line.Link.Send(data.data(), uint16_t(data.size()), 1) != 15)
            state.SkipWithError("not acknowledged");
    state.SetLabel(extended ? "extended, 200 bytes" : "short, 200 bytes");
}

void ReceiveAndAcknowledge(benchmark::State& state) {
    const bool extended = state.range(0) != 0;
    const auto data = Data(200);
    Pair line;
    TLowProtocol sender, receiver;
    sender.SetHandle(line.Master); // only used to build the frame bytes
    receiver.SetHandle(line.Slave);
    receiver.InitPort(115200, 0, 0);
    receiver.SetExtended(extended);
    std::vector<uint8_t> frame = {0x55, 0xAA, uint8_t(extended ? 0xDB : 0xA5), 0x00};
    if (extended)
        frame.insert(frame.end(), {0x00, 0x07, 0x00, uint8_t(data.size()), 0x00});
    else
        frame.push_back(uint8_t(data.size()));
    frame.insert(frame.end(), data.begin(), data.end());
    if (extended) {
        const uint16_t crc = sender.Crc16(data.data(), uint16_t(data.size()));
        frame.insert(frame.end(), {uint8_t(crc), uint8_t(crc >> 8)});
    } else {
        frame.push_back(sender.Sum8(data.data(), uint16_t(data.size())));
    }
    uint8_t buffer[256];
    uint16_t length, source;
    for (auto _ : state) {
        if (write(line.Master, frame.data(), frame.size()) != ssize_t(frame.size()))
            state.SkipWithError("write failed");
        if (receiver.Receive(buffer, sizeof buffer, &length, &source) != 15)
            state.SkipWithError("not received");
        uint8_t ack;
        if (read(line.Master, &ack, 1) != 1)
            state.SkipWithError("no acknowledgement");
    }
    state.SetLabel(extended ? "extended, 200 bytes" : "short, 200 bytes");
}

// One byte written by the library (or by a bare write) and taken off the other end.
void BytesWritten(benchmark::State& state) {
    const bool library = state.range(0) != 0;
    Line line;
    uint8_t byte = 0x42, in;
    for (auto _ : state) {
        if (library)
            line.Link.WriteByte(byte);
        else if (write(line.Slave, &byte, 1) != 1)
            state.SkipWithError("write failed");
        if (read(line.Master, &in, 1) != 1)
            state.SkipWithError("read failed");
    }
    state.SetLabel(library ? "WriteByte" : "bare write");
}

// One byte put on the line and read by the library (or by a bare read).
void BytesRead(benchmark::State& state) {
    const bool library = state.range(0) != 0;
    Line line;
    uint8_t byte = 0x42, in;
    for (auto _ : state) {
        if (write(line.Master, &byte, 1) != 1)
            state.SkipWithError("write failed");
        if (library)
            benchmark::DoNotOptimize(line.Link.ReadByte());
        else if (read(line.Slave, &in, 1) != 1)
            state.SkipWithError("read failed");
    }
    state.SetLabel(library ? "ReadByte" : "bare read");
}

} // namespace

BENCHMARK(SendAcknowledged)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);
BENCHMARK(ReceiveAndAcknowledge)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BytesWritten)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BytesRead)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_MAIN();
