#include "TestEnv.h"

#include "common/IniFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QByteArray contentOf(const QString &fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void setsOneEntry_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << QByteArray("[Pfade]\nEditorPfad=/neu/\n");
        QTest::newRow("replace value, keep everything else")
            << QByteArray("; Kommentar\r\n[Andere]\r\nEditorPfad=bleibt\r\n\r\n"
                          "[Pfade]\r\n  Zuerst = 1\r\neditorpfad = /alt/\r\nDanach=2\r\n")
            << QByteArray("; Kommentar\r\n[Andere]\r\nEditorPfad=bleibt\r\n\r\n"
                          "[Pfade]\r\n  Zuerst = 1\r\neditorpfad =/neu/\r\nDanach=2\r\n");
        QTest::newRow("key added to its section")
            << QByteArray("[pfade]\r\nA=1\r\n\r\n[Weiter]\r\nB=2")
            << QByteArray("[pfade]\r\nA=1\r\nEditorPfad=/neu/\r\n\r\n[Weiter]\r\nB=2");
        QTest::newRow("section added, missing final break")
            << QByteArray("[Weiter]\nB=2")
            << QByteArray("[Weiter]\nB=2\n[Pfade]\nEditorPfad=/neu/\n");
        QTest::newRow("empty section at the end")
            << QByteArray("[X]\nY=1\n[Pfade]")
            << QByteArray("[X]\nY=1\n[Pfade]\nEditorPfad=/neu/\n");
        QTest::newRow("same key in another section untouched")
            << QByteArray("[A]\nEditorPfad=a\n[Pfade]\nEditorPfad=b\n")
            << QByteArray("[A]\nEditorPfad=a\n[Pfade]\nEditorPfad=/neu/\n");
        QTest::newRow("commented key is no key")
            << QByteArray("[Pfade]\n;EditorPfad=x\n")
            << QByteArray("[Pfade]\n;EditorPfad=x\nEditorPfad=/neu/\n");
        QTest::newRow("bytes that are not UTF-8 stay")
            << QByteArray("[Alt]\nName=M\xfcller\n[Pfade]\nEditorPfad=x\n")
            << QByteArray("[Alt]\nName=M\xfcller\n[Pfade]\nEditorPfad=/neu/\n");
    }

    void setsOneEntry() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TestEnv env;
        const QString file = before.isNull() ? env.path(QStringLiteral("Tintra.INI"))
                                             : env.writeFile(QStringLiteral("Tintra.INI"), before);
        QVERIFY(WriteIniString(file, QStringLiteral("Pfade"), QStringLiteral("EditorPfad"),
                               QStringLiteral("/neu/"))
                    .isEmpty());
        QCOMPARE(contentOf(file), after);
    }

    void valueWithUmlautsIsUtf8() {
        TestEnv env;
        const QString file = env.path(QStringLiteral("Tintra.INI"));
        WriteIniString(file, QStringLiteral("Pfade"), QStringLiteral("EditorPfad"),
                       QStringLiteral("/home/jörg/"));
        QCOMPARE(contentOf(file), QByteArray("[Pfade]\nEditorPfad=/home/j\xc3\xb6rg/\n"));
    }

    // Each way the entry cannot be written: the problem names the file and says why,
    // and an existing file stays as it was.
    void unwritableFileReturnsTheProblem_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("file instead of folder") << "blocker"
                                                << "ist eine Datei, kein Ordner.";
        QTest::newRow("read-only file") << "readonly"
                                        << "ist schreibgeschützt.";
        QTest::newRow("folder instead of file") << "folder"
                                                << "ist keine Datei.";
        QTest::newRow("line break in value") << "linebreak"
                                             << "zerstören.";
    }

    void unwritableFileReturnsTheProblem() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestEnv env;
        const QByteArray before("[Pfade]\nEditorPfad=a\n");
        QString file = env.writeFile(QStringLiteral("Tintra.INI"), before);
        QString value = QStringLiteral("/x/");
        if (kind == QLatin1String("blocker")) {
            file = env.writeFile(QStringLiteral("blocker"), "x") + QStringLiteral("/Tintra.INI");
        } else if (kind == QLatin1String("readonly")) {
            QFile::setPermissions(file, QFileDevice::ReadOwner);
        } else if (kind == QLatin1String("folder")) {
            file = env.path(QStringLiteral("Ordner.INI"));
            QVERIFY(QDir().mkpath(file));
        } else {
            value = QStringLiteral("b\n[X]");
        }
        const StoreProblem problem =
            WriteIniString(file, QStringLiteral("Pfade"), QStringLiteral("EditorPfad"), value);
        QCOMPARE(problem.message, QStringLiteral("In %1 kann nicht geschrieben werden").arg(file));
        QVERIFY2(problem.reason.endsWith(reason), qPrintable(problem.reason));
        if (kind == QLatin1String("readonly") || kind == QLatin1String("linebreak"))
            QCOMPARE(contentOf(file), before);
    }

    // A key whose line would read as a comment or a section header would be written again
    // and again, never found.
    void keyReadAsCommentOrSectionIsRefused_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("comment") << ";/home/lern/"
                                 << "2";
        QTest::newRow("comment after blanks") << "  ;EditorPfad"
                                              << "x";
        QTest::newRow("section") << "[Pfade]"
                                 << "x";
        QTest::newRow("section closed by the value") << "[Pfade"
                                                     << "]";
    }

    void keyReadAsCommentOrSectionIsRefused() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        TestEnv env;
        QFile data(QStringLiteral(QUILL_TEST_DATA "/comment-key.ini"));
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QByteArray before = data.readAll();
        const QString file = env.writeFile(QStringLiteral("Tintra.INI"), before);
        const StoreProblem problem = WriteIniString(file, QStringLiteral("Pfade"), key, value);
        QVERIFY2(problem.reason.endsWith(QStringLiteral("zerstören.")), qPrintable(problem.reason));
        QCOMPARE(contentOf(file), before);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
