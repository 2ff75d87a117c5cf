#pragma once
// Idle time for background work: once started, the work runs whenever the event loop has
// nothing else to do, with a count that grows by one per run, until it says it wants no more.
// New work (a changed document, user input) restarts it from a count of 0.

#include <QObject>
#include <QTimer>
#include <functional>

class CIdleScheduler : public QObject {
public:
    // work(count) returns true while it wants more idle time.
    explicit CIdleScheduler(std::function<bool(int count)> work, QObject* parent = nullptr);

    void Restart();
    bool IsRunning() const { return m_timer.isActive(); }

private:
    void RunOnce();

    std::function<bool(int)> m_work;
    QTimer m_timer;
    int m_count = 0;
};
