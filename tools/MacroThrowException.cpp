#include "MacroThrowException.h"

#include "Exception.h"
#include "FormatV.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

MacroThrowException::MacroThrowException(const char* sourceFile, const char* functionName, int line) {
    Text = std::string(sourceFile ? sourceFile : "") + " (" + std::to_string(line) + ")\r\n" +
           (functionName ? functionName : "") + "\r\n";
}

void MacroThrowException::Throw(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Text += FormatV(format ? format : "", args);
    va_end(args);
    throw Exception(Text);
}
