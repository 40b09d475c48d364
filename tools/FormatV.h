#pragma once

#include <cstdarg>
#include <string>

// vsnprintf into a string of the right length; args is consumed.
std::string FormatV(const char* format, va_list args);
