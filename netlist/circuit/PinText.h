#pragma once
// CPinText: a pin name or pin number as a circuit keeps it. A circuit holds one copy of each
// distinct text in its CPinTextPool, and each pin connection points at the copies, so that a
// hundred thousand parts' pins take two pointers each instead of two strings.
//
// A text is valid while its pool lives; records copied into another circuit take their texts
// from that circuit's pool. Two texts of one pool are equal exactly when they point at the
// same copy.

#include <cstddef>
#include <deque>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "platform/CString.h"

class CPinText {
public:
    // The empty text, shared by every pool.
    CPinText() = default;

    operator const CString&() const { return *m_text; }
    const CString& str() const { return *m_text; }
    const char* c_str() const { return m_text->c_str(); }
    BOOL IsEmpty() const { return m_text->IsEmpty(); }
    int GetLength() const { return m_text->GetLength(); }

    // Texts of one pool compare by their copies; a CString or C string compares by its bytes.
    friend bool operator==(CPinText a, CPinText b) { return a.m_text == b.m_text; }
    friend bool operator==(CPinText a, const CString& b) { return *a.m_text == b; }
    friend bool operator==(CPinText a, const char* b) { return *a.m_text == b; }
    friend std::ostream& operator<<(std::ostream& out, CPinText text);

private:
    friend class CPinTextPool;
    explicit CPinText(const CString* text) : m_text(text) {}

    static const CString kEmpty;
    const CString* m_text = &kEmpty;
};

class CPinTextPool {
public:
    CPinTextPool() = default;
    CPinTextPool(const CPinTextPool&) = delete;
    CPinTextPool& operator=(const CPinTextPool&) = delete;

    // The pool's copy of text, made on first use.
    CPinText Get(std::string_view text);
    CPinText Get(CPinText text) { return Get(std::string_view(text.str().str())); }
    // Forgets every copy; the texts handed out become invalid.
    void Clear();

private:
    // Pin names and numbers are short: a byte-wise hash is quick and spreads them well.
    static size_t Hash(std::string_view text);
    void Grow();

    std::deque<CString> m_texts;          // its elements never move
    std::vector<const CString*> m_cells;  // open addressed, a power of two, at most half full
};
