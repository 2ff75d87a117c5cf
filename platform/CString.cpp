#include "platform/CString.h"

#include <locale.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The "C" locale, created once; formatting and parsing always run under it.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return classic;
}

// Switches the calling thread to the "C" locale for its lifetime.
class ScopedClassicLocale {
public:
    ScopedClassicLocale() : m_previous(uselocale(ClassicLocale())) {}
    ~ScopedClassicLocale() { uselocale(m_previous); }
    ScopedClassicLocale(const ScopedClassicLocale&) = delete;
    ScopedClassicLocale& operator=(const ScopedClassicLocale&) = delete;

private:
    locale_t m_previous;
};

bool IsSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

char ToLowerAscii(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

char ToUpperAscii(char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

std::string_view View(const char* s) {
    return s ? std::string_view(s) : std::string_view();
}

// Byte-wise comparison of unsigned bytes after folding each byte; -1, 0 or 1.
template <typename Fold>
int CompareBytes(std::string_view a, std::string_view b, Fold fold) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(fold(a[i]));
        const auto cb = static_cast<unsigned char>(fold(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

char Unchanged(char ch) {
    return ch;
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

}  // namespace

// ---- Buffer access ----

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_s.resize(static_cast<size_t>(minLength));
    return m_s.data();
}

char* CString::GetBufferSetLength(int length) {
    m_s.resize(static_cast<size_t>(std::max(length, 0)));
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

// ---- Comparison ----

int CString::Compare(const char* s) const {
    return CompareBytes(m_s, View(s), Unchanged);
}

int CString::Compare(const CString& s) const {
    return CompareBytes(m_s, s.m_s, Unchanged);
}

int CString::CompareNoCase(const char* s) const {
    return CompareBytes(m_s, View(s), ToLowerAscii);
}

// ---- Extraction ----

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* charSet) const {
    const size_t end = m_s.find_first_not_of(View(charSet));
    return CString(m_s.substr(0, end));
}

CString CString::SpanExcluding(const char* charSet) const {
    const size_t end = m_s.find_first_of(View(charSet));
    return CString(m_s.substr(0, end));
}

// ---- Case and order ----

void CString::MakeUpper() {
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), ToUpperAscii);
}

void CString::MakeLower() {
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), ToLowerAscii);
}

void CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
}

// ---- Editing ----

int CString::Replace(char oldCh, char newCh) {
    if (oldCh == newCh)
        return 0;
    int count = 0;
    for (char& ch : m_s) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    const std::string_view from = View(oldText);
    if (from.empty())
        return 0;
    std::string result;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        result.append(m_s, pos, hit - pos).append(View(newText));
        ++count;
    }
    if (count > 0)
        m_s = result.append(m_s, pos);
    return count;
}

int CString::Remove(char ch) {
    const auto removed = std::remove(m_s.begin(), m_s.end(), ch);
    const int count = static_cast<int>(m_s.end() - removed);
    m_s.erase(removed, m_s.end());
    return count;
}

int CString::Insert(int index, char ch) {
    m_s.insert(static_cast<size_t>(Clamp(index, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s) {
    m_s.insert(static_cast<size_t>(Clamp(index, 0, GetLength())), View(s));
    return GetLength();
}

int CString::Delete(int index, int count) {
    index = Clamp(index, 0, GetLength());
    count = Clamp(count, 0, GetLength() - index);
    m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::TrimLeft() {
    m_s.erase(0, std::find_if_not(m_s.begin(), m_s.end(), IsSpace) - m_s.begin());
}

void CString::TrimLeft(char target) {
    m_s.erase(0, m_s.find_first_not_of(target));
}

void CString::TrimLeft(const char* targets) {
    m_s.erase(0, m_s.find_first_not_of(View(targets)));
}

void CString::TrimRight() {
    m_s.erase(std::find_if_not(m_s.rbegin(), m_s.rend(), IsSpace).base(), m_s.end());
}

void CString::TrimRight(char target) {
    const size_t last = m_s.find_last_not_of(target);
    m_s.erase(last == std::string::npos ? 0 : last + 1);
}

void CString::TrimRight(const char* targets) {
    const size_t last = m_s.find_last_not_of(View(targets));
    m_s.erase(last == std::string::npos ? 0 : last + 1);
}

// ---- Searching ----

int CString::Find(char ch, int start) const {
    const size_t hit = m_s.find(ch, static_cast<size_t>(std::max(start, 0)));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::Find(const char* sub, int start) const {
    if (!sub)
        return -1;
    const size_t hit = m_s.find(sub, static_cast<size_t>(std::max(start, 0)));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(char ch) const {
    const size_t hit = m_s.rfind(ch);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::FindOneOf(const char* charSet) const {
    const size_t hit = m_s.find_first_of(View(charSet));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

// ---- Formatting ----

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

// Measures first, then prints into a string of exactly that size. A format that the
// C library rejects leaves the string empty.
void CString::FormatV(const char* fmt, va_list args) {
    std::string text;
    if (fmt) {
        ScopedClassicLocale classic;
        va_list sizing;
        va_copy(sizing, args);
        const int length = std::vsnprintf(nullptr, 0, fmt, sizing);
        va_end(sizing);
        if (length > 0) {
            text.resize(static_cast<size_t>(length));
            std::vsnprintf(text.data(), text.size() + 1, fmt, args);
        }
    }
    m_s = std::move(text);
}

// ---- Numbers ----

bool ParseDouble(const char* text, double& value, int* consumed) {
    value = 0.0;
    if (consumed)
        *consumed = 0;
    if (!text)
        return false;
    char* end = nullptr;
    const double parsed = strtod_l(text, &end, ClassicLocale());
    if (end == text)
        return false;
    value = parsed;
    if (consumed)
        *consumed = static_cast<int>(end - text);
    return true;
}

double StringToDouble(const char* text) {
    double value = 0.0;
    ParseDouble(text, value);
    return value;
}

// Values beyond the int range saturate at INT_MIN / INT_MAX.
int StringToInt(const char* text) {
    if (!text)
        return 0;
    while (IsSpace(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; IsDigit(*text); ++text)
        magnitude = std::min(magnitude * 10 + (*text - '0'), kLimit);
    if (negative)
        return static_cast<int>(-magnitude);
    return static_cast<int>(std::min<std::int64_t>(magnitude, INT_MAX));
}
