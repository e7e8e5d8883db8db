#include "RecoveryKeeper.h"

#include "common/CommandGuard.h"
#include "RecoveryWriter.h"

#include <QTimer>

RecoveryKeeper::RecoveryKeeper(RecoveryWriter &writer, int delay, QObject *parent)
    : QObject(parent), m_writer(writer), m_delay(delay) {}

RecoveryKeeper::~RecoveryKeeper() = default;

int RecoveryKeeper::attach(RecoverableDocument *document) {
    const int key = m_nextKey++;
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(m_delay);
    ConnectCommand(timer, &QTimer::timeout, this, [this, key] { timeout(key); });
    m_entries.insert(key, {document, timer, false});
    if (document->isModified())
        timer->start();
    return key;
}

void RecoveryKeeper::changed(int key) {
    const auto it = m_entries.find(key);
    if (it != m_entries.end() && !it->timer->isActive())
        it->timer->start();
}

void RecoveryKeeper::checkSaved(int key) {
    const auto it = m_entries.find(key);
    if (it == m_entries.end() || it->document->isModified())
        return;
    it->timer->stop();
    if (it->copied)
        m_writer.discard(key);
    it->copied = false;
}

void RecoveryKeeper::detach(int key) {
    const auto it = m_entries.find(key);
    if (it == m_entries.end())
        return;
    delete it->timer;
    if (it->copied)
        m_writer.discard(key);
    m_entries.erase(it);
}

bool RecoveryKeeper::isDue(int key) const {
    const auto it = m_entries.constFind(key);
    return it != m_entries.cend() && it->timer->isActive();
}

void RecoveryKeeper::timeout(int key) {
    const auto it = m_entries.find(key);
    if (it == m_entries.end())
        return;
    if (it->document->isModified()) {
        m_writer.submit(key, it->document->takeCopy());
        it->copied = true;
    } else if (it->copied) {
        m_writer.discard(key);
        it->copied = false;
    }
}
