#pragma once

#include <cstdarg>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

// Writes the program's log: one file beside the program, named after it with the extension .log, appended to
// by every run. Each run that logs gets a date header; each message a "hh:mm:ss.zzz pid\tid  " prefix.
// When the file cannot be opened, "<name>000.log" … "<name>999.log" are tried in turn. Thread-safe.
class TLogger {
public:
    static constexpr size_t kBaseCapacity = PATH_MAX;     // program path without its extension
    static constexpr size_t kPathCapacity = PATH_MAX + 1; // the log file name tried last

    // programPath: the program file the log is named after and placed beside.
    explicit TLogger(const char* programPath);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // printf-style. A format containing "+LE" gets " { <text of errno> }" appended to the message.
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void LogError(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The log file name that was (last) tried; empty before the first message.
    std::string FileName() const;

    int8_t Level = 0; // messages below this severity are not written

private:
    void Write(const char* format, va_list args);
    bool OpenFile();

    mutable std::mutex Lock;
    FILE* File = nullptr;
    char Path[kPathCapacity] = {};
    char Base[kBaseCapacity] = {};
    bool BaseFits = false;
};

// Formats "<base>.log" (counter < 0) or "<base><counter as 000–999>.log" into buffer. Refuses (returns false,
// leaving an empty text) when the name does not fit into capacity characters including the terminator.
bool FormatLogFileName(char* buffer, size_t capacity, const char* base, int counter);

// The one logger of the process, named after the running program.
TLogger& Logger();
