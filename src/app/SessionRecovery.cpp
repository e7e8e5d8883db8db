#include "SessionRecovery.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/Memo.h"
#include "common/UiProvider.h"
#include "editor/MDIQuill.h"
#include "RecoveryOffer.h"
#include "RecoveryWriter.h"
#include "TFMain.h"
#include "WindowRecovery.h"

#include <QEvent>
#include <QTextDocument>

SessionRecovery::SessionRecovery(TFMain &frame, const QString &folder, int delay)
    : m_frame(frame), m_store(folder) {
    if (m_store.open(m_openError)) {
        m_writer = std::make_unique<RecoveryWriter>(m_store);
        m_keeper = std::make_unique<RecoveryKeeper>(*m_writer, delay);
        ConnectCommand(m_writer.get(), &RecoveryWriter::writeFailed, this,
                       [this](const QString &message) { warnOnce(message); });
    }
    ConnectCommand(&frame, &TFMain::editorWindowCreated, this, &SessionRecovery::watch);
    ConnectCommand(&frame, &TFMain::startFilesOpened, this, &SessionRecovery::offerRecovery);
}

SessionRecovery::~SessionRecovery() {
    for (const auto &[window, key] : m_keyOfWindow)
        window->removeEventFilter(this);
    m_keeper.reset();
    m_writer.reset(); // finishes its work first
    if (m_store.isOpen())
        m_store.removeOwnCopies();
}

void SessionRecovery::waitForWriter() {
    if (m_writer)
        m_writer->waitForIdle();
}

void SessionRecovery::offerRecovery() {
    if (m_offered)
        return;
    m_offered = true;
    if (!m_store.isOpen()) {
        warnOnce(m_openError);
        return;
    }
    m_store.pruneDiscarded(QDateTime::currentDateTime());
    RecoveryClaim claim = m_store.claimOrphans();
    if (claim.isEmpty())
        return;
    const MsgButton answer =
        ui().messageBox(MsgIcon::Question, QStringLiteral("Hinweis"),
                        RecoveryQuestion(claim.copies()), {MsgButton::Yes, MsgButton::No});
    if (answer == MsgButton::Yes)
        for (const OrphanCopy &orphan : claim.copies())
            restore(orphan);
    // The restored texts are in their windows, whose own copies follow; the old copies
    // are kept a week all the same.
    claim.discardAll();
}

void SessionRecovery::restore(const OrphanCopy &orphan) {
    const RecoveryCopy &copy = orphan.copy;
    TFMDIQuill *window = nullptr;
    bool held = false;
    if (copy.hasFile()) {
        // A file the command line opened already: its unchanged window takes the text.
        for (TFMDIQuill *open : m_frame.EditorWindows()) {
            if (open->Document().holdsFile(copy.fileName)) {
                held = true;
                if (!open->Modified())
                    window = open;
            }
        }
        if (!held)
            window = m_frame.CreateEditorWindow(copy.fileName, TNewFile());
    }
    // No file, a file that cannot be read, or a second copy of one file: a window without
    // a file, so the text is not lost.
    if (!window)
        window = m_frame.CreateEditorWindow(QString(), TNewFile());
    if (window)
        RestoreRecoveredText(*window, copy);
}

void SessionRecovery::watch(TFMDIQuill *window) {
    if (!m_keeper || !window || m_keyOfWindow.count(window))
        return;
    auto document = std::make_unique<WindowRecovery>(*window);
    const int key = m_keeper->attach(document.get());
    m_documents[key] = std::move(document);
    m_keyOfWindow[window] = key;
    for (TMemo *memo : {static_cast<TMemo *>(window->MemoColor()), window->MemoSW()}) {
        ConnectCommand(memo->document(), &QTextDocument::contentsChanged, this,
                       [this, key] { m_keeper->changed(key); });
        ConnectCommand(memo->document(), &QTextDocument::modificationChanged, this,
                       [this, key](bool modified) {
                           modified ? m_keeper->changed(key) : m_keeper->checkSaved(key);
                       });
    }
    // A closed window is deleted later: its copy goes before anything of it is destroyed.
    // A window deleted at once is only noticed when it is gone.
    window->installEventFilter(this);
    ConnectCommand(window, &QObject::destroyed, this, [this, window] {
        const auto it = m_keyOfWindow.find(window);
        if (it == m_keyOfWindow.end())
            return;
        const int key = it->second;
        m_keyOfWindow.erase(it);
        forget(key);
    });
}

bool SessionRecovery::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::DeferredDelete) {
        const auto it = m_keyOfWindow.find(watched);
        if (it != m_keyOfWindow.end()) {
            const int key = it->second;
            m_keyOfWindow.erase(it);
            // Its text controls may still signal while they are taken apart.
            for (QTextDocument *document : watched->findChildren<QTextDocument *>())
                disconnect(document, nullptr, this, nullptr);
            watched->removeEventFilter(this);
            RunCommand([this, key] { forget(key); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void SessionRecovery::forget(int key) {
    if (m_keeper)
        m_keeper->detach(key);
    m_documents.erase(key);
}

void SessionRecovery::warnOnce(const QString &message) {
    if (m_warned)
        return;
    m_warned = true;
    ui().messageBox(MsgIcon::Warning, QStringLiteral("Hinweis"), message, {MsgButton::Ok});
}
