#include "platform/Paths.h"

#include <unistd.h>
#include <string>
#include <vector>

namespace {

constexpr char kSeparators[] = "/\\";

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool HasDrive(const std::string& path) {
    if (path.size() < 2 || path[1] != ':')
        return false;
    char letter = path[0];
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

// Index where the last component (file name) of path starts.
std::size_t NameStart(const std::string& path) {
    std::size_t last = path.find_last_of(kSeparators);
    if (last != std::string::npos)
        return last + 1;
    return HasDrive(path) ? 2 : 0;
}

std::string FileName(const CString& path) {
    return path.str().substr(NameStart(path.str()));
}

// Index of the extension's dot in name, or npos.
std::size_t ExtensionStart(const std::string& name) {
    if (name == "." || name == "..")
        return std::string::npos;
    return name.rfind('.');
}

char JoinSeparator(const std::string& dir, const std::string& name) {
    if (std::size_t last = dir.find_last_of(kSeparators); last != std::string::npos)
        return dir[last];
    if (HasDrive(dir) && dir.size() == 2)
        return '\\';
    if (std::size_t first = name.find_first_of(kSeparators); first != std::string::npos)
        return name[first];
    return '/';
}

}  // namespace

CString FromStoredPath(const CString& stored) {
    const std::string& in = stored.str();
    const bool drive = HasDrive(in);
    std::string out(drive ? 1 : 0, '/');
    for (std::size_t i = drive ? 2 : 0; i < in.size(); ++i) {
        char c = IsSeparator(in[i]) ? '/' : in[i];
        if (c != '/' || out.empty() || out.back() != '/')
            out += c;
    }
    return CString(out);
}

CString FromSettingsPath(const CString& stored) {
    const std::string& in = stored.str();
    const bool windows = HasDrive(in) || in.starts_with("\\\\");
    return windows ? FromStoredPath(stored) : stored;
}

CString ToStoredPath(const CString& path) {
    std::string out = path.str();
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    return CString(out);
}

CString JoinPath(const CString& dir, const CString& name) {
    const std::string& d = dir.str();
    const std::string& n = name.str();
    if (d.empty())
        return name;
    if (n.empty())
        return dir;
    std::size_t dirEnd = d.find_last_not_of(kSeparators);
    std::size_t nameStart = n.find_first_not_of(kSeparators);
    std::string head = dirEnd == std::string::npos ? std::string() : d.substr(0, dirEnd + 1);
    std::string tail = nameStart == std::string::npos ? std::string() : n.substr(nameStart);
    return CString(head + JoinSeparator(d, n) + tail);
}

CString FileDirectory(const CString& path) {
    return CString(path.str().substr(0, NameStart(path.str())));
}

CString FileTitle(const CString& path) {
    std::string name = FileName(path);
    return CString(name.substr(0, ExtensionStart(name)));
}

CString FileExtension(const CString& path) {
    std::string name = FileName(path);
    std::size_t dot = ExtensionStart(name);
    return dot == std::string::npos ? CString() : CString(name.substr(dot));
}

CString ProgramPath() {
    std::vector<char> buffer(256);
    constexpr std::size_t kLongest = 1 << 16;
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return CString();
        if (static_cast<std::size_t>(length) < buffer.size())
            return CString(std::string(buffer.data(), static_cast<std::size_t>(length)));
        if (buffer.size() >= kLongest)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
}

CString ProgramDirectory() {
    std::string path = ProgramPath().str();
    std::size_t last = path.rfind('/');
    if (last == std::string::npos)
        return CString();
    return CString(last == 0 ? std::string("/") : path.substr(0, last));
}
