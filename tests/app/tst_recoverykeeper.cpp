#include "app/RecoveryKeeper.h"
#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// A document as plain values; counts how often its copy was taken.
class FakeDocument : public RecoverableDocument {
public:
    bool modified = false;
    QString text;
    mutable int copiesTaken = 0;

    bool isModified() const override { return modified; }
    RecoveryCopy takeCopy() const override {
        ++copiesTaken;
        RecoveryCopy copy;
        copy.fileName = QStringLiteral("/p/A.java");
        copy.text = text;
        return copy;
    }
};

QString textOf(const QString &path) {
    RecoveryCopy copy;
    QString error;
    return RecoveryStore::read(path, copy, error) ? copy.text : QStringLiteral("<keine Kopie>");
}

} // namespace

class TestRecoveryKeeper : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<RecoveryStore>(m_dir->filePath(QStringLiteral("wh")));
        QString error;
        QVERIFY(m_store->open(error));
        m_writer = std::make_unique<RecoveryWriter>(*m_store);
        m_keeper = std::make_unique<RecoveryKeeper>(*m_writer, 20);
    }

    void cleanup() {
        m_keeper.reset();
        m_writer.reset();
        m_store.reset();
    }

    void anEditedModifiedDocumentGetsACopyOfItsLatestText() {
        FakeDocument document;
        const int key = m_keeper->attach(&document);
        QVERIFY(!m_keeper->isDue(key));
        document.modified = true;
        document.text = QStringLiteral("a");
        m_keeper->changed(key);
        document.text = QStringLiteral("ab");
        m_keeper->changed(key);
        QVERIFY(m_keeper->isDue(key));
        // The text is taken when the copy is due, not at each edit.
        QTRY_COMPARE(textOf(m_store->copyPath(key)), QStringLiteral("ab"));
        QCOMPARE(document.copiesTaken, 1);
    }

    void typingWithoutPauseDoesNotPostponeTheCopy() {
        FakeDocument document;
        document.modified = true;
        const int key = m_keeper->attach(&document);
        // An edit at every turn of the event loop, for as long as the test waits: a copy that
        // waited for a pause in the typing would never come.
        int edits = 0;
        QTimer typing;
        typing.setInterval(0);
        connect(&typing, &QTimer::timeout, this, [&] {
            document.text = QString::number(++edits);
            m_keeper->changed(key);
        });
        typing.start();
        QTRY_VERIFY(QFileInfo::exists(m_store->copyPath(key)));
        typing.stop();
    }

    void anUnmodifiedDocumentGetsNoCopy() {
        FakeDocument document;
        const int key = m_keeper->attach(&document);
        m_keeper->changed(key);
        QTRY_VERIFY(!m_keeper->isDue(key));
        m_writer->waitForIdle();
        QCOMPARE(document.copiesTaken, 0);
        QVERIFY(!QFileInfo::exists(m_store->copyPath(key)));
    }

    void aDocumentModifiedWhenAttachedGetsACopyWithoutAnEdit() {
        FakeDocument document;
        document.modified = true;
        document.text = QStringLiteral("Vorlage");
        const int key = m_keeper->attach(&document);
        QTRY_COMPARE(textOf(m_store->copyPath(key)), QStringLiteral("Vorlage"));
    }

    void theCopyGoesWhenTheDocumentIsSaved() {
        FakeDocument document;
        document.modified = true;
        const int key = m_keeper->attach(&document);
        QTRY_VERIFY(QFileInfo::exists(m_store->copyPath(key)));
        // Still modified: a check does nothing.
        m_keeper->checkSaved(key);
        m_writer->waitForIdle();
        QVERIFY(QFileInfo::exists(m_store->copyPath(key)));
        document.modified = false;
        m_keeper->checkSaved(key);
        m_writer->waitForIdle();
        QVERIFY(!QFileInfo::exists(m_store->copyPath(key)));
    }

    void aSaveBeforeTheCopyIsDueCancelsIt() {
        FakeDocument document;
        const int key = m_keeper->attach(&document);
        document.modified = true;
        m_keeper->changed(key);
        document.modified = false;
        m_keeper->checkSaved(key);
        QVERIFY(!m_keeper->isDue(key));
        m_writer->waitForIdle();
        QCOMPARE(document.copiesTaken, 0);
    }

    void theCopyGoesWhenTheDocumentIsClosed() {
        FakeDocument document;
        document.modified = true;
        const int key = m_keeper->attach(&document);
        QTRY_VERIFY(QFileInfo::exists(m_store->copyPath(key)));
        m_keeper->detach(key);
        m_writer->waitForIdle();
        QVERIFY(!QFileInfo::exists(m_store->copyPath(key)));
        // A closed document is not asked again.
        m_keeper->changed(key);
        QVERIFY(!m_keeper->isDue(key));
    }

    void eachDocumentHasItsOwnCopy() {
        FakeDocument first;
        FakeDocument second;
        first.modified = second.modified = true;
        first.text = QStringLiteral("eins");
        second.text = QStringLiteral("zwei");
        const int a = m_keeper->attach(&first);
        const int b = m_keeper->attach(&second);
        QVERIFY(a != b);
        QTRY_COMPARE(textOf(m_store->copyPath(a)), QStringLiteral("eins"));
        QTRY_COMPARE(textOf(m_store->copyPath(b)), QStringLiteral("zwei"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecoveryStore> m_store;
    std::unique_ptr<RecoveryWriter> m_writer;
    std::unique_ptr<RecoveryKeeper> m_keeper;
};

QTEST_GUILESS_MAIN(TestRecoveryKeeper)
#include "tst_recoverykeeper.moc"
