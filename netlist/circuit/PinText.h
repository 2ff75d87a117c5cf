#pragma once
// CPinText: a pin name or pin number as a circuit keeps it. A circuit holds one copy of each
// distinct text in its CPinTextPool, and each pin connection points at the copies, so that a
// hundred thousand parts' pins take two pointers each instead of two strings.
//
// A text is valid while its pool lives; records copied into another circuit take their texts
// from that circuit's pool. Two texts of one pool are equal exactly when they point at the
// same copy.

#include <cstddef>
#include <iosfwd>
#include <string_view>
#include <unordered_set>

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
    CPinText Get(CPinText text) { return Get(View(text.str())); }
    // Forgets every copy; the texts handed out become invalid.
    void Clear() { m_texts.clear(); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
        size_t operator()(const CString& text) const { return (*this)(View(text)); }
    };
    struct Equal {
        using is_transparent = void;
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            return View(a) == View(b);
        }
    };
    static std::string_view View(std::string_view text) { return text; }
    static std::string_view View(const CString& text) { return text.str(); }

    std::unordered_set<CString, Hash, Equal> m_texts;  // its elements never move
};
