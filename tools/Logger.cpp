#include "Logger.h"

#include "FormatV.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

std::string ErrorText(int error) {
    char buffer[256];
    std::string text = strerror_r(error, buffer, sizeof buffer); // GNU variant: may return a static text
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string ReadProgramPath() {
    char buffer[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", buffer, PATH_MAX);
    return length > 0 ? std::string(buffer, size_t(length)) : std::string();
}

} // namespace

bool FormatLogFileName(char* buffer, size_t capacity, const char* base, int counter) {
    if (capacity == 0)
        return false;
    const int written = counter < 0 ? std::snprintf(buffer, capacity, "%s.log", base)
                                    : std::snprintf(buffer, capacity, "%s%03d.log", base, counter);
    if (written < 0 || size_t(written) >= capacity) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

TLogger::TLogger(const char* programPath) {
    // The base is the program path with the extension of its file name cut off; a dot in a folder name stays.
    std::string_view path = programPath ? programPath : "";
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
        path = path.substr(0, dot);
    BaseFits = !path.empty() && path.size() < kBaseCapacity;
    if (BaseFits)
        std::memcpy(Base, path.data(), path.size());
}

TLogger::~TLogger() {
    if (File)
        std::fclose(File);
}

void TLogger::Log(const char* format, ...) {
    if (Level > 0)
        return;
    va_list args;
    va_start(args, format);
    Write(format, args);
    va_end(args);
}

void TLogger::LogError(const char* format, ...) {
    if (Level > 4)
        return;
    va_list args;
    va_start(args, format);
    Write(format, args);
    va_end(args);
}

std::string TLogger::FileName() const {
    std::lock_guard guard(Lock);
    return Path;
}

bool TLogger::OpenFile() {
    if (!BaseFits)
        return false;
    for (int counter = -1; counter <= 999; ++counter) {
        if (!FormatLogFileName(Path, kPathCapacity, Base, counter))
            continue; // a name that does not fit is never tried
        File = std::fopen(Path, "ae"); // close-on-exec: started helper programs must not inherit the log
        if (File)
            return true;
    }
    return false;
}

void TLogger::Write(const char* format, va_list args) {
    const int lastError = errno; // before anything below can change it
    if (!format)
        return;
    std::lock_guard guard(Lock);

    std::string errorPart;
    if (std::strstr(format, "+LE")) {
        const std::string text = ErrorText(lastError);
        if (!text.empty())
            errorPart = " { " + text + " }";
    }

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);

    if (!File) {
        if (!OpenFile())
            return; // dropped; the next message starts the name sequence again
        std::fprintf(File, "\n-===( %04d.%02d.%02d )=======================-\n\n", local.tm_year + 1900,
                     local.tm_mon + 1, local.tm_mday);
    }
    const std::string message = FormatV(format, args);
    std::fprintf(File, "%02d:%02d:%02d.%03d %03x\\%03x  ", local.tm_hour, local.tm_min, local.tm_sec,
                 int(now.tv_nsec / 1000000), unsigned(getpid()), unsigned(gettid()));
    std::fwrite(message.data(), 1, message.size(), File);
    std::fwrite(errorPart.data(), 1, errorPart.size(), File);
    std::fputc('\n', File);
    std::fflush(File);
}

TLogger& Logger() {
    static TLogger logger(ReadProgramPath().c_str());
    return logger;
}
