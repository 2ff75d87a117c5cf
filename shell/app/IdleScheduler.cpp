#include "shell/app/IdleScheduler.h"

#include <utility>

CIdleScheduler::CIdleScheduler(std::function<bool(int)> work, QObject* parent)
    : QObject(parent), m_work(std::move(work)) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CIdleScheduler::RunOnce);
}

void CIdleScheduler::Restart() {
    m_count = 0;
    m_timer.start();
}

void CIdleScheduler::RunOnce() {
    if (!m_work || !m_work(m_count++))
        m_timer.stop();
}
