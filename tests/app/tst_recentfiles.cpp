#include "app/RecentFiles.h"

#include "common/Helpers.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QtTest>

class TestRecentFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnv>(); }
    void cleanup() { m_env.reset(); }

    void tenClosedFilesLeaveTheNineLatest() {
        RecentFiles list;
        for (int i = 1; i <= 10; ++i)
            list.Add(QStringLiteral("/w/F%1.java").arg(i));
        QCOMPARE(list.Count(), 9);
        QCOMPARE(list.Entry(1), QStringLiteral("/w/F10.java"));
        QCOMPARE(list.Entry(9), QStringLiteral("/w/F2.java"));
        QCOMPARE(list.Entry(10), QString());
    }

    void aListedFileKeepsItsPlace() {
        RecentFiles list;
        list.Add(QStringLiteral("/w/A.java"));
        list.Add(QStringLiteral("/w/B.java"));
        // The same file written differently is still the same file.
        list.Add(QStringLiteral("/w/sub/../A.java"));
        QCOMPARE(list.Entries(), (QStringList{"/w/B.java", "/w/A.java"}));
    }

    void caseFollowsTheFileSystem() {
        RecentFiles list;
        list.Add(QStringLiteral("/w/A.java"));
        list.Add(QStringLiteral("/w/a.java"));
#ifdef Q_OS_WIN
        QCOMPARE(list.Count(), 1);
#else
        // Two different files on a case-sensitive file system.
        QCOMPARE(list.Count(), 2);
#endif
    }

    void removeTakesTheEntryOutAndMovesTheRestUp() {
        RecentFiles list;
        for (const char *name : {"/w/C.java", "/w/B.java", "/w/A.java"})
            list.Add(QString::fromLatin1(name));
        list.Remove(QStringLiteral("/w/B.java"));
        QCOMPARE(list.Entries(), (QStringList{"/w/A.java", "/w/C.java"}));
        list.Remove(QStringLiteral("/w/missing.java"));
        QCOMPARE(list.Count(), 2);
    }

    void saveAndLoadRoundTrip() {
        const QString a = m_env->writeFile(QStringLiteral("A.java"), "a");
        const QString b = m_env->writeFile(QStringLiteral("B.java"), "b");
        RecentFiles list;
        list.Add(a);
        list.Add(b);
        QVERIFY(list.Save(Settings::RootKey).isEmpty());
        QCOMPARE(ReadRegInteger(Settings::RootKey, QStringLiteral("AnzFiles"), -1), 2);
        QCOMPARE(ReadRegString(Settings::RootKey, QStringLiteral("File1"), QString()), b);

        RecentFiles loaded;
        loaded.Load(Settings::RootKey);
        QCOMPARE(loaded.Entries(), (QStringList{b, a}));
    }

    void loadTrimsSkipsMissingAndStopsAtNine() {
        WriteRegInteger(Settings::RootKey, QStringLiteral("AnzFiles"), 12);
        for (int i = 1; i <= 12; ++i) {
            const QString file = m_env->writeFile(QStringLiteral("F%1.java").arg(i), "x");
            WriteRegString(Settings::RootKey, QStringLiteral("File%1").arg(i),
                           i == 1 ? QStringLiteral("  ") + file + QStringLiteral(" \t") : file);
        }
        WriteRegString(Settings::RootKey, QStringLiteral("File2"), m_env->path("gone.java"));
        RecentFiles list;
        list.Load(Settings::RootKey);
        QCOMPARE(list.Count(), 9);
        QCOMPARE(list.Entry(1), m_env->path("F1.java"));
        QCOMPARE(list.Entry(2), m_env->path("F3.java"));
        QCOMPARE(list.Entry(9), m_env->path("F10.java"));
    }

    void anEmptyStoreGivesAnEmptyList() {
        RecentFiles list;
        list.Add(QStringLiteral("/w/A.java"));
        list.Load(Settings::RootKey);
        QCOMPARE(list.Count(), 0);
    }

private:
    std::unique_ptr<TestEnv> m_env;
};

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
