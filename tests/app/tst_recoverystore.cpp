#include "app/RecoveryOffer.h"
#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The permission bits of a file or folder as the system holds them.
int modeOf(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

RecoveryCopy makeCopy(const QString &fileName, const QString &text, qsizetype caret = 0) {
    RecoveryCopy copy;
    copy.fileName = fileName;
    copy.encoding = QStringLiteral("UTF-8");
    copy.caret = caret;
    copy.text = text;
    return copy;
}

QStringList copyNames(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.kopie")}, QDir::Files, QDir::Name);
}

// The id of a process that has ended: a lock naming it is stale.
qint64 endedProcessId() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() ? process.processId() : 999999;
}

} // namespace

class TestRecoveryStore : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->filePath(QStringLiteral("state/quill/wiederherstellung"));
    }

    void defaultFolderFollowsXdgStateHome() {
        const QByteArray savedState = qgetenv("XDG_STATE_HOME");
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", "/home/lerner");
        qputenv("XDG_STATE_HOME", "/var/zustand");
        QCOMPARE(RecoveryStore::defaultFolder(),
                 QStringLiteral("/var/zustand/quill/wiederherstellung"));
        // A relative path is not a base directory and is ignored, as an empty one.
        qputenv("XDG_STATE_HOME", "relativ/zustand");
        QCOMPARE(RecoveryStore::defaultFolder(),
                 QStringLiteral("/home/lerner/.local/state/quill/wiederherstellung"));
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(RecoveryStore::defaultFolder(),
                 QStringLiteral("/home/lerner/.local/state/quill/wiederherstellung"));
        qputenv("HOME", savedHome);
        if (savedState.isNull())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", savedState);
    }

    void aCopyReadsBackAsWrittenAndOnlyTheUserCanReadIt() {
        RecoveryStore store(m_folder);
        QString error;
        QVERIFY2(store.open(error), qPrintable(error));
        // Umlauts, a character outside the BMP, a name with a line break in it, and the
        // paragraph separator a text control holds between lines.
        const QString name = m_dir->filePath(QStringLiteral("Grüße\nzwei.java"));
        RecoveryCopy copy =
            makeCopy(name, QStringLiteral("class Ä {\u2029  // \U0001F600\n}\n"), 7);
        copy.encoding = QStringLiteral("Windows-1252");
        QVERIFY2(store.write(3, copy, error), qPrintable(error));

        RecoveryCopy read;
        QVERIFY2(RecoveryStore::read(store.copyPath(3), read, error), qPrintable(error));
        QCOMPARE(read.fileName, name);
        QCOMPARE(read.encoding, QStringLiteral("Windows-1252"));
        QCOMPARE(read.caret, qsizetype(7));
        QCOMPARE(read.text, QStringLiteral("class Ä {\n  // \U0001F600\n}\n"));

        QCOMPARE(modeOf(m_folder), 0700);
        QCOMPARE(modeOf(store.copyPath(3)), 0600);
        for (const QString &entry : QDir(m_folder).entryList(QDir::Files))
            QCOMPARE(modeOf(m_folder + u'/' + entry), 0600);
    }

    void anExistingFolderIsMadePrivate() {
        QVERIFY(QDir().mkpath(m_folder));
        QVERIFY(QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther));
        RecoveryStore store(m_folder);
        QString error;
        QVERIFY(store.open(error));
        QCOMPARE(modeOf(m_folder), 0700);
    }

    void aNewerCopyReplacesTheOldAndRemoveTakesIt() {
        RecoveryStore store(m_folder);
        QString error;
        QVERIFY(store.open(error));
        QVERIFY(store.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("alt")), error));
        QVERIFY(store.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("neu")), error));
        RecoveryCopy read;
        QVERIFY(RecoveryStore::read(store.copyPath(1), read, error));
        QCOMPARE(read.text, QStringLiteral("neu"));
        QVERIFY(!read.hasFile());
        QCOMPARE(copyNames(m_folder).size(), 1);
        store.remove(1);
        QVERIFY(copyNames(m_folder).isEmpty());
    }

    void aFolderThatCannotBeMadeGivesAGermanMessage() {
        // A file where a folder should be: no permission trick that root could ignore.
        const QString blocker = m_dir->filePath(QStringLiteral("state"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        RecoveryStore store(m_folder);
        QString error;
        QVERIFY(!store.open(error));
        QVERIFY(!store.isOpen());
        QVERIFY(error.startsWith(QStringLiteral(
            "Der Ordner für Wiederherstellungskopien kann nicht beschrieben werden")));
        QVERIFY(error.contains(m_folder));
        QVERIFY(!store.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("x")), error));
        QVERIFY(store.claimOrphans().isEmpty());
    }

    void twoRunningInstancesNeverSeeEachOthersCopies() {
        RecoveryStore first(m_folder);
        RecoveryStore second(m_folder);
        QString error;
        QVERIFY(first.open(error));
        QVERIFY(second.open(error));
        QVERIFY(first.instanceId() != second.instanceId());
        QVERIFY(first.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("eins")), error));
        QVERIFY(second.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("zwei")), error));
        QVERIFY(first.copyPath(1) != second.copyPath(1));
        QVERIFY(first.claimOrphans().isEmpty());
        QVERIFY(second.claimOrphans().isEmpty());
        // A normal end takes only its own copies.
        second.removeOwnCopies();
        QCOMPARE(copyNames(m_folder), QStringList{QFileInfo(first.copyPath(1)).fileName()});
    }

    void theCopiesOfAnEndedInstanceAreClaimedOnceInTheirOrder() {
        QString error;
        QString crashedPath;
        {
            RecoveryStore crashed(m_folder);
            QVERIFY(crashed.open(error));
            QVERIFY(crashed.write(2, makeCopy(QStringLiteral("/b/B.java"), QStringLiteral("b")),
                                  error));
            QVERIFY(crashed.write(10, makeCopy(RecoveryCopy::noName(), QStringLiteral("neu"), 2),
                                  error));
            QVERIFY(crashed.write(1, makeCopy(QStringLiteral("/a/A.java"), QStringLiteral("a")),
                                  error));
            crashedPath = crashed.copyPath(1);
        } // ended without removing its copies: its lock is gone
        RecoveryStore next(m_folder);
        RecoveryStore third(m_folder);
        QVERIFY(next.open(error));
        QVERIFY(third.open(error));
        {
            RecoveryClaim claim = next.claimOrphans();
            QCOMPARE(claim.copies().size(), 3);
            QCOMPARE(claim.copies().at(0).path, crashedPath);
            QCOMPARE(claim.copies().at(0).copy.fileName, QStringLiteral("/a/A.java"));
            QCOMPARE(claim.copies().at(1).copy.text, QStringLiteral("b"));
            QCOMPARE(claim.copies().at(2).copy.caret, qsizetype(2));
            QVERIFY(claim.copies().at(0).written.isValid());
            // A program starting meanwhile does not offer them too.
            QVERIFY(third.claimOrphans().isEmpty());
        }
        // Undecided (the claiming program ended while asking): offered again.
        RecoveryClaim again = third.claimOrphans();
        QCOMPARE(again.copies().size(), 3);
        again.discardAll();
        QVERIFY(again.isEmpty());
        QVERIFY(copyNames(m_folder).isEmpty());
        QCOMPARE(QDir(third.discardFolder()).entryList(QDir::Files).size(), 3);
        QCOMPARE(modeOf(third.discardFolder()), 0700);
        QVERIFY(next.claimOrphans().isEmpty());
    }

    void aLockOfAProcessThatDiedLeavesItsCopiesOrphaned() {
        QString error;
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        // What a killed program leaves: its lock file naming it, a copy, a half-written copy.
        const QString id = QStringLiteral("4242_dead");
        QFile lock(m_folder + QStringLiteral("/instance-") + id + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(endedProcessId()) + "\nquill\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile copy(m_folder + u'/' + id + QStringLiteral("-1.kopie"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write("{\"version\":1,\"file\":\"noname\",\"encoding\":\"UTF-8\",\"caret\":0}\nhallo");
        copy.close();
        QFile partial(m_folder + u'/' + id + QStringLiteral("-1.kopie.Ab12Cd"));
        QVERIFY(partial.open(QIODevice::WriteOnly));
        partial.close();
        {
            RecoveryClaim claim = store.claimOrphans();
            QCOMPARE(claim.copies().size(), 1);
            QCOMPARE(claim.copies().first().copy.text, QStringLiteral("hallo"));
            claim.discardAll();
        }
        // The ended program's lock and leftovers are gone with the claim; the store's own
        // lock is all that stays.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files),
                 QStringList{QStringLiteral("instance-") + store.instanceId() +
                             QStringLiteral(".lock")});
    }

    void anEmptyLockCountsAsStaleOnlyOnceItIsOld() {
        QString error;
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        // Killed between making its lock file and writing its id into it.
        const QString id = QStringLiteral("77_leer");
        QFile lock(m_folder + QStringLiteral("/instance-") + id + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        QFile copy(m_folder + u'/' + id + QStringLiteral("-1.kopie"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write("{\"version\":1,\"file\":\"noname\",\"encoding\":\"UTF-8\",\"caret\":0}\nx");
        copy.close();
        // Just made: its program may be writing it this moment.
        QVERIFY(store.claimOrphans().isEmpty());
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QCOMPARE(store.claimOrphans().copies().size(), 1);
    }

    void aDamagedCopyIsKeptAsideAndNeverOffered() {
        QString error;
        {
            RecoveryStore crashed(m_folder);
            QVERIFY(crashed.open(error));
            QVERIFY(crashed.write(1, makeCopy(QStringLiteral("/a/A.java"), QStringLiteral("a")),
                                  error));
            QFile damaged(crashed.copyPath(2));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("kein Kopf\nText");
        }
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        RecoveryClaim claim = store.claimOrphans();
        QCOMPARE(claim.copies().size(), 1);
        QCOMPARE(claim.copies().first().copy.fileName, QStringLiteral("/a/A.java"));
        QCOMPARE(QDir(store.discardFolder()).entryList(QDir::Files).size(), 1);
    }

    void discardedCopiesAreKeptForAWeek() {
        QString error;
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        QVERIFY(store.write(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("1")), error));
        QVERIFY(store.write(2, makeCopy(RecoveryCopy::noName(), QStringLiteral("2")), error));
        // Written long ago: the week counts from the discarding.
        QFile old(store.copyPath(1));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-30),
                                QFileDevice::FileModificationTime));
        old.close();
        QVERIFY(store.discard(store.copyPath(1)));
        QVERIFY(store.discard(store.copyPath(2)));
        const QDir discarded(store.discardFolder());
        QCOMPARE(discarded.entryList(QDir::Files).size(), 2);
        const QDateTime now = QDateTime::currentDateTime();
        store.pruneDiscarded(now.addDays(6));
        QCOMPARE(discarded.entryList(QDir::Files).size(), 2);
        store.pruneDiscarded(now.addDays(8));
        QVERIFY(discarded.entryList(QDir::Files).isEmpty());
    }

    void theWriterKeepsOnlyTheNewestCopyAndRemovesInOrder() {
        QString error;
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        RecoveryWriter writer(store);
        for (int i = 0; i < 200; ++i)
            writer.submit(1, makeCopy(RecoveryCopy::noName(), QString::number(i)));
        writer.submit(2, makeCopy(RecoveryCopy::noName(), QStringLiteral("zwei")));
        writer.discard(2);
        writer.waitForIdle();
        RecoveryCopy read;
        QVERIFY(RecoveryStore::read(store.copyPath(1), read, error));
        QCOMPARE(read.text, QStringLiteral("199"));
        QVERIFY(!QFileInfo::exists(store.copyPath(2)));
        // A removal asked for after a write is not overtaken by it, and a write after a
        // removal brings the copy back.
        writer.discard(1);
        writer.waitForIdle();
        QVERIFY(!QFileInfo::exists(store.copyPath(1)));
        writer.submit(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("wieder")));
        writer.waitForIdle();
        QVERIFY(QFileInfo::exists(store.copyPath(1)));
    }

    void theWriterReportsAFailedWrite() {
        QString error;
        RecoveryStore store(m_folder);
        QVERIFY(store.open(error));
        RecoveryWriter writer(store);
        QSignalSpy failed(&writer, &RecoveryWriter::writeFailed);
        // The lock went with the folder; releasing it says so.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Could not remove our own lock file"));
        // The folder disappears and a file takes its place.
        QVERIFY(QDir(m_folder).removeRecursively());
        QFile blocker(m_folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        writer.submit(1, makeCopy(RecoveryCopy::noName(), QStringLiteral("x")));
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains(m_folder));
    }

    void theQuestionListsEachFileAndNotesChangedOnes() {
        const QString changed = m_dir->filePath(QStringLiteral("Geaendert.java"));
        const QString same = m_dir->filePath(QStringLiteral("Gleich.java"));
        for (const QString &name : {changed, same}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QDateTime now = QDateTime::currentDateTime();
        QFile touched(changed);
        QVERIFY(touched.open(QIODevice::ReadOnly));
        QVERIFY(touched.setFileTime(now.addSecs(60), QFileDevice::FileModificationTime));
        touched.close();
        QList<OrphanCopy> copies(3);
        copies[0].copy = makeCopy(changed, QString());
        copies[0].written = now;
        copies[1].copy = makeCopy(RecoveryCopy::noName(), QString());
        copies[1].written = now;
        copies[2].copy = makeCopy(same, QString());
        copies[2].written = now.addSecs(120);
        QCOMPARE(RecoveryQuestion(copies),
                 QStringLiteral("Quill wurde nicht ordnungsgemäß beendet. Sollen die ungesicherten "
                                "Änderungen an 3 Datei(en) wiederhergestellt werden?\r\n\r\n") +
                     changed + QStringLiteral(" (Datei wurde inzwischen geändert)\r\nnoname\r\n") +
                     same);
        QVERIFY(!FileChangedSince(m_dir->filePath(QStringLiteral("fehlt.java")), now));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recoverystore.moc"
