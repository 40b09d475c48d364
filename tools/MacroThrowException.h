#pragma once

#include <string>

// Raises an Exception whose message says where in the source it was raised:
//   "<source file> (<line>)\r\n<function>\r\n<formatted text>"
class MacroThrowException {
public:
    MacroThrowException(const char* sourceFile, const char* functionName, int line);

    [[noreturn]] void Throw(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const std::string& Message() const { return Text; }

private:
    std::string Text;
};

// Starts a located exception at the place where it is written.
#define LOCATED_EXCEPTION() MacroThrowException(__FILE__, __func__, __LINE__)
