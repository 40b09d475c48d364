#pragma once

#include <stdexcept>
#include <string>

// The program's general exception: what a statement run directly, a located exception or the start-up
// connection raise to their caller. The application object shows any that escapes an event handler.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
