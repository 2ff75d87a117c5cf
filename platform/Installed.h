#pragma once
// The slot of one core-to-window interface: the core reaches the user and the windows through
// small interfaces, each with one implementation installed for the whole process. The window
// shell installs its windows at start-up, tests install scripted ones, and without any the
// core gets the interface's fallback, which does nothing (or takes the default answer).
//
// The fallback is the interface itself when every entry has a do-nothing body. An interface
// with entries that must be implemented declares its fallback beside it,
//     template <>
//     INetChooser& Installed<INetChooser>::Fallback();
// and defines it in its source file.

#include <atomic>
#include <type_traits>

template <class Interface>
class Installed {
public:
    // Installs instance for the whole process (null uninstalls) and returns the one it
    // replaces. The caller keeps ownership and uninstalls it before destroying it.
    static Interface* Install(Interface* instance) { return s_installed.exchange(instance); }
    // The installed instance, else the fallback.
    static Interface& Get() {
        Interface* installed = s_installed.load();
        return installed ? *installed : Fallback();
    }

private:
    static Interface& Fallback();

    static inline std::atomic<Interface*> s_installed{nullptr};
};

template <class Interface>
Interface& Installed<Interface>::Fallback() {
    static Interface nothing;
    return nothing;
}

// Installs instance for its own lifetime, then puts back the one it replaced. The interface is
// always named, ScopedInstall<IUserPrompt>: the slot is the interface's, not the class's.
template <class Interface>
class ScopedInstall {
public:
    explicit ScopedInstall(std::type_identity_t<Interface>& instance)
        : m_previous(Installed<Interface>::Install(&instance)) {}
    ~ScopedInstall() { Installed<Interface>::Install(m_previous); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    Interface* m_previous;
};
