#include "RecoveryWriter.h"

#include "RecoveryStore.h"

RecoveryWriter::RecoveryWriter(const RecoveryStore &store, QObject *parent)
    : QObject(parent), m_store(store) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard guard(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RecoveryWriter::submit(int key, RecoveryCopy copy) {
    {
        std::lock_guard guard(m_mutex);
        if (!m_pending.contains(key))
            m_order << key;
        m_pending.insert(key, std::move(copy));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void RecoveryWriter::discard(int key) {
    {
        std::lock_guard guard(m_mutex);
        if (!m_pending.contains(key))
            m_order << key;
        m_pending.insert(key, std::nullopt);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void RecoveryWriter::waitForIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_order.isEmpty() && !m_busy; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_order.isEmpty(); });
        if (m_order.isEmpty())
            return; // stopping, and nothing is left to do
        const int key = m_order.takeFirst();
        const std::optional<RecoveryCopy> job = m_pending.take(key);
        m_busy = true;
        lock.unlock();
        QString error;
        bool failed = false;
        if (job)
            failed = !m_store.write(key, *job, error);
        else
            m_store.remove(key);
        if (failed)
            emit writeFailed(error);
        lock.lock();
        m_busy = false;
        if (m_order.isEmpty())
            m_idle.notify_all();
    }
}
