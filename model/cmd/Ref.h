#pragma once
// Ref<T>: one counted reference to a shared definition (a net or a device) held by a command.
// The reference is added when taken and released (the last release deletes) when dropped.

#include <utility>

template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* object) : m_object(object) {
        if (m_object)
            m_object->AddRef();
    }
    Ref(const Ref& other) : Ref(other.m_object) {}
    Ref(Ref&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~Ref() {
        if (m_object)
            m_object->Release();
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};
