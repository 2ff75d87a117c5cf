#include "netlist/circuit/PinText.h"

#include <ostream>

const CString CPinText::kEmpty;

// Written up to its first null byte, as a stream writes a CString.
std::ostream& operator<<(std::ostream& out, CPinText text) {
    return out << text.c_str();
}

CPinText CPinTextPool::Get(std::string_view text) {
    if (text.empty())
        return CPinText();
    auto found = m_texts.find(text);
    if (found == m_texts.end())
        found = m_texts.emplace(text).first;
    return CPinText(&*found);
}
