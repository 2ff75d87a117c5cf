#include "model/object/OwnPenBrush.h"

const OwnPenBrush::Both OwnPenBrush::kNone{};

OwnPenBrush::OwnPenBrush(const OwnPenBrush& other)
    : m_held(other.m_held ? std::make_unique<Both>(*other.m_held) : nullptr) {}

OwnPenBrush& OwnPenBrush::operator=(const OwnPenBrush& other) {
    if (this != &other)
        m_held = other.m_held ? std::make_unique<Both>(*other.m_held) : nullptr;
    return *this;
}

void OwnPenBrush::ResetPen() {
    if (m_held)
        m_held->pen.reset();
    DropWhenEmpty();
}

void OwnPenBrush::ResetBrush() {
    if (m_held)
        m_held->brush.reset();
    DropWhenEmpty();
}

OwnPenBrush::Both& OwnPenBrush::Held() {
    if (!m_held)
        m_held = std::make_unique<Both>();
    return *m_held;
}

void OwnPenBrush::DropWhenEmpty() {
    if (m_held && !m_held->pen && !m_held->brush)
        m_held.reset();
}
