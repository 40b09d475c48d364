// What one log record costs (format, lock, write and flush), so that logging from a hot path stays cheap.
#include "Logger.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <unistd.h>

static void BM_LogRecord(benchmark::State& state) {
    char folder[] = "/tmp/vyk-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string program = std::string(folder) + "/vyk";
    {
        TLogger logger(program.c_str());
        for (auto _ : state)
            logger.Log("weighing %d saved, gross %d kg", 12345, 41250);
    }
    std::remove((program + ".log").c_str());
    rmdir(folder);
}
BENCHMARK(BM_LogRecord);
