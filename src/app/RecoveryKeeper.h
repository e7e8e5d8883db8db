#pragma once

#include "RecoveryCopy.h"

#include <QHash>
#include <QObject>

class QTimer;
class RecoveryWriter;

// What the keeper needs of a document.
class RecoverableDocument {
public:
    virtual ~RecoverableDocument() = default;
    // Whether the document has changes its file does not hold.
    virtual bool isModified() const = 0;
    // The document as a copy would keep it; called on the keeper's thread, so it must be
    // cheap: take the text, do not convert it.
    virtual RecoveryCopy takeCopy() const = 0;
};

// Decides when each document's recovery copy is written and when it goes: a modified
// document gets a copy at most `delay` after an edit, however long the typing goes on
// (further edits never postpone it); the copy goes as soon as the document holds no
// unsaved changes, and when it is closed.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // One second: with the writing itself, an edit is in a copy well within two seconds.
    static constexpr int DefaultDelay = 1000;

    // The writer must outlive the keeper.
    RecoveryKeeper(RecoveryWriter &writer, int delay = DefaultDelay, QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // Starts keeping a document (not owned; it must stay until detach). A document that is
    // already modified gets its copy after the delay. Returns its key.
    int attach(RecoverableDocument *document);
    // The document's text changed.
    void changed(int key);
    // The modified flag may have been cleared (a save, a reload): then the copy goes now.
    void checkSaved(int key);
    // The document is closed: it is no longer kept and its copy goes.
    void detach(int key);
    // Whether a copy of the document is due (its timer runs).
    bool isDue(int key) const;

private:
    struct Entry {
        RecoverableDocument *document = nullptr;
        QTimer *timer = nullptr;
        bool copied = false; // a copy was handed over and not removed since
    };
    void timeout(int key);

    RecoveryWriter &m_writer;
    int m_delay;
    int m_nextKey = 1;
    QHash<int, Entry> m_entries;
};
