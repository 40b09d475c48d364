// Runs the fuzz target on random inputs for a bounded time where libFuzzer is not available.
//   fuzz_receive [seconds]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::mt19937 random(12345);
    // inputs biased towards frame starts, so that the parser gets past the hunt
    const uint8_t interesting[] = {0x55, 0xAA, 0xA5, 0xDB, 0xCC, 0x00, 0x01, 0x02, 0xFF};
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        std::vector<uint8_t> input(1 + random() % 300);
        for (auto& byte : input)
            byte = random() % 3 == 0 ? interesting[random() % sizeof interesting] : uint8_t(random());
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::printf("fuzz_receive: %ld random inputs, no fault\n", runs);
    return 0;
}
