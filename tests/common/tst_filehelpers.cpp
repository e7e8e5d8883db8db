#include "TestEnv.h"

#include "common/FileHelpers.h"
#include "common/Helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

QByteArray contentOf(const QString &fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void makeReadOnly(const QString &fileName) {
    QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
}

} // namespace

class TestFileHelpers : public QObject {
    Q_OBJECT

private slots:
    void readOnlyFile() {
        TestEnv env;
        const QString file = env.writeFile(QStringLiteral("a.txt"), "a");
        QVERIFY(!IsReadOnlyFile(file));
        makeReadOnly(file);
        QVERIFY(IsReadOnlyFile(file));
        QVERIFY(!IsReadOnlyFile(env.path(QStringLiteral("missing.txt"))));
        QVERIFY(!IsReadOnlyFile(QString()));
    }

    void deleteForcedRemovesReadOnlyFile() {
        TestEnv env;
        const QString file = env.writeFile(QStringLiteral("a.txt"), "a");
        makeReadOnly(file);
        QVERIFY(DeleteFileForced(file));
        QVERIFY(!QFileInfo::exists(file));
        QVERIFY(!DeleteFileForced(file));
    }

    void deleteForcedRefusesFolders() {
        TestEnv env;
        QDir(env.dir()).mkdir(QStringLiteral("sub"));
        QVERIFY(!DeleteFileForced(env.path(QStringLiteral("sub"))));
        QVERIFY(QFileInfo(env.path(QStringLiteral("sub"))).isDir());
    }

    void deleteForcedRemovesOnlyTheLink() {
        TestEnv env;
        const QString target = env.writeFile(QStringLiteral("target.txt"), "keep");
        makeReadOnly(target);
        const QString link = env.path(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(target, link));
        QVERIFY(DeleteFileForced(link));
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(contentOf(target), QByteArray("keep"));
        QVERIFY(IsReadOnlyFile(target)); // the target's permissions were not touched
    }

    void backupFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("backup");
        QTest::newRow("java") << "/p/Test.java"
                              << "/p/Test.~java";
        QTest::newRow("no extension") << "/p/Makefile"
                                      << "/p/Makefile.~";
        QTest::newRow("two dots") << "/p/a.tar.gz"
                                  << "/p/a.tar.~gz";
        QTest::newRow("dot in folder") << "/p.q/readme"
                                       << "/p.q/readme.~";
    }

    void backupFileName() {
        QFETCH(QString, name);
        QFETCH(QString, backup);
        QCOMPARE(BackupFileName(name), backup);
    }

    void backupReplacesReadOnlyOldBackup() {
        TestEnv env;
        const QString file = env.writeFile(QStringLiteral("A.java"), "new");
        const QString old = env.writeFile(QStringLiteral("A.~java"), "old");
        makeReadOnly(old);
        MakeBackupFile(file);
        QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(contentOf(old), QByteArray("new"));
    }

    void backupOfReadOnlyFile() {
        TestEnv env;
        const QString file = env.writeFile(QStringLiteral("B.java"), "b");
        makeReadOnly(file);
        MakeBackupFile(file);
        QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(contentOf(env.path(QStringLiteral("B.~java"))), QByteArray("b"));
    }

    void backupOfMissingFileDoesNothing() {
        TestEnv env;
        const QString old = env.writeFile(QStringLiteral("C.~java"), "old");
        MakeBackupFile(env.path(QStringLiteral("C.java")));
        QCOMPARE(contentOf(old), QByteArray("old"));
    }

    void backupMovesTheLinkNotItsTarget() {
        TestEnv env;
        const QString target = env.writeFile(QStringLiteral("real/T.java"), "target");
        const QString link = env.path(QStringLiteral("T.java"));
        QVERIFY(QFile::link(target, link));
        MakeBackupFile(link);
        const QString backup = env.path(QStringLiteral("T.~java"));
        QVERIFY(QFileInfo(backup).isSymLink());
        QCOMPARE(QFileInfo(backup).symLinkTarget(), target);
        QCOMPARE(contentOf(target), QByteArray("target"));
        QVERIFY(!QFileInfo(link).exists() && !QFileInfo(link).isSymLink());
    }

    void backupOverAFolderLeavesTheFile() {
        TestEnv env;
        const QString file = env.writeFile(QStringLiteral("D.java"), "d");
        env.writeFile(QStringLiteral("D.~java/inside"), "x");
        MakeBackupFile(file);
        QCOMPARE(contentOf(file), QByteArray("d"));
    }

    void sizeOfFileOver4GB() {
        TestEnv env;
        const QString file = env.path(QStringLiteral("big.bin"));
        QFile big(file);
        QVERIFY(big.open(QIODevice::WriteOnly));
        const qint64 size = (qint64(5) << 30) + 7; // sparse: no disk space needed
        if (!big.resize(size))
            QSKIP("the file system cannot hold a sparse file of 5 GB");
        big.close();
        QCOMPARE(GetFileSize64(file), size);
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("*.bin"))), size);
    }

    void sizeOfFirstMatch() {
        TestEnv env;
        env.writeFile(QStringLiteral("w/.hidden.txt"), "hidden");
        QDir(env.dir()).mkpath(QStringLiteral("w/folder.txt"));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/*.txt"))), qint64(-1));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/.hidden.txt"))), qint64(-1));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/folder.txt"))), qint64(-1));
        env.writeFile(QStringLiteral("w/abc.txt"), "12345");
        env.writeFile(QStringLiteral("w/[x].dat"), "123");
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/*.txt"))), qint64(5));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/a?c.*"))), qint64(5));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/[x]*"))), qint64(3));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/A*"))), qint64(-1));
        QCOMPARE(GetFileSize64(env.path(QStringLiteral("w/missing"))), qint64(-1));
        QCOMPARE(GetFileSize64(QString()), qint64(-1));
    }

    void validFileName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "Test" << true;
        QTest::newRow("with dot and blank") << "Mein Test.java" << true;
        QTest::newRow("empty") << "" << false;
        const QString bad = QStringLiteral("<>:\"/\\|?*");
        for (const QChar c : bad)
            QTest::addRow("with %c", c.toLatin1()) << QStringLiteral("Te%1st").arg(c) << false;
    }

    void validFileName() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidFileName(text), valid);
    }

    void splitFileName_data() {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ext");
        QTest::newRow("full") << "/home/a/Test.java"
                              << "/home/a/"
                              << "Test"
                              << ".java";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "";
        QTest::newRow("name only") << "Test"
                                   << ""
                                   << "Test"
                                   << "";
        QTest::newRow("dot in folder") << "/a.b/c"
                                       << "/a.b/"
                                       << "c"
                                       << "";
        QTest::newRow("two dots") << "x.tar.gz"
                                  << ""
                                  << "x.tar"
                                  << ".gz";
        QTest::newRow("hidden") << "/h/.bashrc"
                                << "/h/"
                                << ""
                                << ".bashrc";
        QTest::newRow("trailing dot") << "/h/a."
                                      << "/h/"
                                      << "a"
                                      << ".";
        QTest::newRow("folder") << "/h/"
                                << "/h/"
                                << ""
                                << "";
#ifndef Q_OS_WIN
        QTest::newRow("colon is a character") << "/d/a:b.txt"
                                              << "/d/"
                                              << "a:b"
                                              << ".txt";
#endif
    }

    void splitFileName() {
        QFETCH(QString, full);
        QFETCH(QString, dir);
        QFETCH(QString, base);
        QFETCH(QString, ext);
        const SplitName parts = SplitFileName(full);
        QCOMPARE(parts.dir, dir);
        QCOMPARE(parts.base, base);
        QCOMPARE(parts.ext, ext);
    }

    void addBackslash() {
        const QString sep = QDir::separator();
        QCOMPARE(AddBackslash(QString()), sep);
        QCOMPARE(AddBackslash(QStringLiteral("/tmp")), QStringLiteral("/tmp") + sep);
        QCOMPARE(AddBackslash(QStringLiteral("/tmp") + sep), QStringLiteral("/tmp") + sep);
    }

    void sameFileName() {
        TestEnv env;
        const QString dir = env.dir();
        QVERIFY(
            SameFileName(dir + QStringLiteral("/a/../X.java"), dir + QStringLiteral("/X.java")));
        QVERIFY(SameFileName(QStringLiteral("X.java"), QDir::currentPath() + "/./X.java"));
#ifdef Q_OS_WIN
        QVERIFY(SameFileName(dir + QStringLiteral("/X.java"), dir + QStringLiteral("/x.JAVA")));
#else
        QVERIFY(!SameFileName(dir + QStringLiteral("/X.java"), dir + QStringLiteral("/x.java")));
#endif
    }
};

QTEST_GUILESS_MAIN(TestFileHelpers)
#include "tst_filehelpers.moc"
