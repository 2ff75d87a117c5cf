#pragma once
// CString: the framework's byte string. Text is kept as the exact bytes given
// (UTF-8 for new text, whatever a file held for stored text); comparisons are
// byte-wise and case folding is ASCII only.

#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/Types.h"

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int len) : m_s(s ? std::string(s, len > 0 ? len : 0) : std::string()) {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}

    // Access
    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s[static_cast<size_t>(i)]; }
    void SetAt(int i, char ch) { m_s[static_cast<size_t>(i)] = ch; }
    char operator[](int i) const { return GetAt(i); }
    operator const char*() const { return m_s.c_str(); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    // Buffer access in the framework's style; ReleaseBuffer(-1) cuts at the first NUL.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Concatenation
    CString& operator=(const char* s) {
        m_s = s ? s : "";
        return *this;
    }
    CString& operator=(char ch) {
        m_s.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s) {
        if (s)
            m_s += s;
        return *this;
    }
    CString& operator+=(char ch) {
        m_s += ch;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) {
        return CString(a.m_s + (b ? b : ""));
    }
    friend CString operator+(const char* a, const CString& b) {
        return CString((a ? a : "") + b.m_s);
    }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) {
        return CString(std::string(1, a) + b.m_s);
    }

    // Comparison: byte-wise (unsigned), like strcmp. Comparing with another CString
    // takes every stored byte into account, so the ordering operators agree with ==.
    int Compare(const char* s) const;
    int Compare(const CString& s) const;
    int CompareNoCase(const char* s) const;
    int Collate(const char* s) const { return Compare(s); }
    int CollateNoCase(const char* s) const { return CompareNoCase(s); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

    // Extraction
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;

    // Case (ASCII letters only) and order
    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Editing
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);
    void TrimLeft();
    void TrimLeft(char target);
    void TrimLeft(const char* targets);
    void TrimRight();
    void TrimRight(char target);
    void TrimRight(const char* targets);
    void Trim() {
        TrimRight();
        TrimLeft();
    }

    // Searching; all return -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // printf-style formatting, independent of the process locale. A CString argument
    // for %s must be passed as .c_str() or (LPCTSTR) (objects cannot go through "...").
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);

private:
    std::string m_s;
};

// Locale-independent number conversions (always '.' as the decimal point).
// ParseDouble returns false when the text does not start with a number;
// consumed, if given, receives the number of bytes read.
bool ParseDouble(const char* text, double& value, int* consumed = nullptr);
// strtod/atof semantics without the locale: 0.0 when nothing parses.
double StringToDouble(const char* text);
// atoi semantics: leading white space, optional sign, digits; 0 when nothing parses.
int StringToInt(const char* text);

namespace std {
template <>
struct hash<CString> {
    size_t operator()(const CString& s) const noexcept { return hash<string>()(s.str()); }
};
}  // namespace std
