#include "netlist/circuit/PinText.h"

#include <cstdint>
#include <ostream>

const CString CPinText::kEmpty;

// Written up to its first null byte, as a stream writes a CString.
std::ostream& operator<<(std::ostream& out, CPinText text) {
    return out << text.c_str();
}

CPinText CPinTextPool::Get(std::string_view text) {
    if (text.empty())
        return CPinText();
    if (2 * (m_texts.size() + 1) > m_cells.size())
        Grow();
    const size_t mask = m_cells.size() - 1;
    size_t i = Hash(text) & mask;
    for (; m_cells[i]; i = (i + 1) & mask) {
        if (std::string_view(m_cells[i]->str()) == text)
            return CPinText(m_cells[i]);
    }
    m_cells[i] = &m_texts.emplace_back(text);
    return CPinText(m_cells[i]);
}

void CPinTextPool::Clear() {
    m_cells.clear();
    m_texts.clear();
}

size_t CPinTextPool::Hash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char ch : text)
        hash = (hash ^ static_cast<unsigned char>(ch)) * 1099511628211ULL;
    return static_cast<size_t>(hash ^ (hash >> 29));
}

void CPinTextPool::Grow() {
    m_cells.assign(m_cells.empty() ? 64 : 2 * m_cells.size(), nullptr);
    const size_t mask = m_cells.size() - 1;
    for (const CString& text : m_texts) {
        size_t i = Hash(text.str()) & mask;
        while (m_cells[i])
            i = (i + 1) & mask;
        m_cells[i] = &text;
    }
}
