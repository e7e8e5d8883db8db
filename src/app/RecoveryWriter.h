#pragma once

#include "RecoveryCopy.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class RecoveryStore;

// Writes and removes recovery copies on a thread of its own, so typing never waits for the
// disk. Handing a copy over costs the caller next to nothing (the text is shared, not
// copied); a newer copy of a document replaces one still waiting, and the work for one
// document is done in the order it was asked for.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    // The store must outlive the writer.
    explicit RecoveryWriter(const RecoveryStore &store, QObject *parent = nullptr);
    // Finishes what was handed over, then ends the thread.
    ~RecoveryWriter() override;

    // Writes `copy` as document `key`'s copy.
    void submit(int key, RecoveryCopy copy);
    // Document `key`'s copy goes; a copy still waiting is dropped.
    void discard(int key);
    // Returns once everything handed over so far is done.
    void waitForIdle();

signals:
    // A copy could not be written; delivered in the thread the writer lives in. The
    // message is German and names the folder.
    void writeFailed(const QString &message);

private:
    void run();

    const RecoveryStore &m_store;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    // The newest request per document (no copy: remove it) and the order they came in.
    QHash<int, std::optional<RecoveryCopy>> m_pending;
    QList<int> m_order;
    bool m_busy = false;
    bool m_stopping = false;
    // Started with the first request: a start without unsaved changes pays nothing.
    std::thread m_thread;
};
