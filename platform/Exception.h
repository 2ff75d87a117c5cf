#pragma once
// Base of the exceptions the platform layer throws for failures that are reported to the
// user (file and archive errors). what() gives a readable message.

#include <stdexcept>
#include <string>

class CException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure's description followed by the name of the file it concerns, when there is one.
inline std::string MessageForFile(std::string description, const std::string& fileName) {
    if (!fileName.empty())
        description += ": " + fileName;
    return description;
}
