#pragma once

#include "RecoveryKeeper.h"
#include "RecoveryStore.h"

#include <QObject>

#include <map>
#include <memory>

class RecoveryWriter;
class TFMain;
class TFMDIQuill;
class WindowRecovery;

// Recovery copies for one running program: every editor window of the frame gets a copy
// of its unsaved changes soon after an edit; at start the copies of a program that ended
// without cleaning up are offered back once; a folder that cannot be written is reported
// once per run and never stops the editing.
class SessionRecovery : public QObject {
    Q_OBJECT
public:
    // Takes this program's lock in `folder` and follows the frame's editor windows and its
    // start sequence. Create it right after the frame, before the event loop runs.
    explicit SessionRecovery(TFMain &frame, const QString &folder = RecoveryStore::defaultFolder(),
                             int delay = RecoveryKeeper::DefaultDelay);
    // The program's normal end: the copies of this program go and its lock is released.
    ~SessionRecovery() override;

    const RecoveryStore &store() const { return m_store; }
    // The writer of the copies; nullptr when the folder could not be opened.
    RecoveryWriter *writer() const { return m_writer.get(); }
    // Returns once every copy handed to the writer is written or removed.
    void waitForWriter();

    // The start: asks whether to restore the copies no running program holds ("Ja": each
    // in a window of its own, marked as changed; either way they go to "verworfen"), or
    // warns that the folder cannot be written. Once per run.
    void offerRecovery();
    // Keeps copies of the window's unsaved changes from now on.
    void watch(TFMDIQuill *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forget(int key);
    void warnOnce(const QString &message);
    void restore(const OrphanCopy &orphan);

    TFMain &m_frame;
    RecoveryStore m_store;
    QString m_openError;
    std::unique_ptr<RecoveryWriter> m_writer;
    std::unique_ptr<RecoveryKeeper> m_keeper;
    std::map<int, std::unique_ptr<WindowRecovery>> m_documents;
    std::map<QObject *, int> m_keyOfWindow;
    bool m_offered = false;
    bool m_warned = false;
};
