#pragma once
// Base of the exceptions the platform layer throws for failures that are reported to the
// user (file and archive errors). what() gives a readable message.

#include <stdexcept>

class CException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
