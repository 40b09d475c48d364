#include "FormatV.h"

#include <cstdio>
#include <vector>

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    std::vector<char> text(size_t(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    return std::string(text.data(), size_t(length));
}
