#pragma once
// The error every compound-file operation throws: bad names, corrupt input, failed file access.

#include <stdexcept>
#include <string>

class CompoundFileError : public std::runtime_error {
public:
    explicit CompoundFileError(const std::string& message) : std::runtime_error(message) {}
};
