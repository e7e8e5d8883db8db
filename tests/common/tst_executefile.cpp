#include "RecordingUi.h"
#include "TestEnv.h"

#include "RecordingDesktop.h"

#include "common/Helpers.h"
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

const QString Head = QStringLiteral("Fehler beim Aufruf der Datei/des Programms\r\n");

QByteArray contentOf(const QString &fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestExecuteFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RecordingDesktop> m_desktop;

private slots:
    void init() { m_desktop = std::make_unique<RecordingDesktop>(); }

    void cleanup() { m_desktop.reset(); }

    void errorTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        const QString f = QStringLiteral("/p/Prog.exe");
        QTest::newRow("0") << 0 << f << Head + f + "\r\nZu wenig Speicher";
        QTest::newRow("2 exe") << 2 << f << Head + f + "\r\nDas Programm existiert nicht";
        QTest::newRow("2 com upper")
            << 2 << "/p/X.COM" << Head + "/p/X.COM\r\nDas Programm existiert nicht";
        QTest::newRow("2 txt") << 2 << "/p/Foo.txt" << QString();
        QTest::newRow("2 no ext") << 2 << "/p/java" << QString();
        QTest::newRow("3") << 3 << f << Head + f + "\r\nDer Pfad wurde nicht gefunden";
        QTest::newRow("5") << 5 << f
                           << Head + f +
                                  "\r\nAuf das Programm konnte nicht zugegriffen werden. "
                                  "Zugriffsverweigerung";
        QTest::newRow("8") << 8 << f << Head + f + "\r\nZu wenig Speicher";
        QTest::newRow("11") << 11 << f << Head + f + "\r\nDas Programm ist fehlerhaft";
        QTest::newRow("26") << 26 << f
                            << Head + f + "\r\nZugriff verweigert. A sharing violation occurred.";
        QTest::newRow("27") << 27 << f
                            << Head + f +
                                   "\r\nDie Dateizuordnung ist fehlerhaft oder nicht vorhanden";
        for (int code : {28, 29, 30})
            QTest::addRow("%d", code) << code << f << Head + f + "\r\nDDE Fehler";
        QTest::newRow("31") << 31 << f
                            << Head + f + "\r\nFür diese Datei existiert keine Verknüpfung";
        QTest::newRow("32") << 32 << f << Head + f + "\r\nDie DLL konnte nicht gefunden werden";
        for (int code : {1, 4, 6, 7, 9, 10, 12, 25})
            QTest::addRow("%d only the file", code) << code << f << Head + f;
        QTest::newRow("33 success") << 33 << f << QString();
    }

    void errorTexts() {
        QFETCH(int, code);
        QFETCH(QString, file);
        QFETCH(QString, text);
        QCOMPARE(ExecuteFileErrorText(code, file), text);
    }

    void missingDocumentShowsNothing() {
        TestEnv env;
        RecordingUi ui;
        QCOMPARE(ExecuteFile(env.path(QStringLiteral("Foo.txt")), QString(), QString()), 2);
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(m_desktop->opened.isEmpty());
    }

    void missingProgramShowsBox() {
        TestEnv env;
        RecordingUi ui;
        const QString file = env.path(QStringLiteral("Foo.exe"));
        QCOMPARE(ExecuteFile(file, QString(), QString()), 2);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes[0].icon, MsgIcon::Error);
        QCOMPARE(ui.boxes[0].caption, QStringLiteral("Fehler"));
        QCOMPARE(ui.boxes[0].text, Head + file + "\r\nDas Programm existiert nicht");
    }

    void missingFolder() {
        TestEnv env;
        RecordingUi ui;
        const QString file = env.path(QStringLiteral("nowhere/Foo.txt"));
        QCOMPARE(ExecuteFile(file, QString(), QString()), 3);
        QCOMPARE(ui.texts(), QStringList{Head + file + "\r\nDer Pfad wurde nicht gefunden"});
        ui.clear();
        const QString doc = env.writeFile(QStringLiteral("doc.txt"), "x");
        QCOMPARE(ExecuteFile(doc, QString(), env.path(QStringLiteral("nowhere"))), 3);
        QCOMPARE(ui.boxes.size(), 1);
    }

    void documentGoesToTheDesktop() {
        TestEnv env;
        RecordingUi ui;
        const QString doc = env.writeFile(QStringLiteral("Notiz.txt"), "x");
        QVERIFY(ExecuteFile(doc, QString(), QString()) > 32);
        QCOMPARE(m_desktop->opened, QList<QUrl>{QUrl::fromLocalFile(doc)});
        QVERIFY(ui.boxes.isEmpty());

        // A relative name is found in the working directory.
        m_desktop->opened.clear();
        QVERIFY(ExecuteFile(QStringLiteral("Notiz.txt"), QString(), env.dir()) > 32);
        QCOMPARE(m_desktop->opened, QList<QUrl>{QUrl::fromLocalFile(doc)});
    }

    void folderGoesToTheDesktop() {
        TestEnv env;
        RecordingUi ui;
        QVERIFY(ExecuteFile(env.dir(), QString(), QString()) > 32);
        QCOMPARE(m_desktop->opened, QList<QUrl>{QUrl::fromLocalFile(env.dir())});
    }

    void documentWithoutAssociation() {
        TestEnv env;
        RecordingUi ui;
        m_desktop->accepts = false;
        const QString doc = env.writeFile(QStringLiteral("Daten.xyz"), "x");
        QCOMPARE(ExecuteFile(doc, QString(), QString()), 31);
        QCOMPARE(ui.texts(),
                 QStringList{Head + doc + "\r\nFür diese Datei existiert keine Verknüpfung"});
        m_desktop.reset();
        QCOMPARE(ExecuteFile(doc, QString(), QString()), 31);
    }

    void programGetsShellLikeArguments() {
        TestEnv env;
        RecordingUi ui;
        const QString script =
            env.writeFile(QStringLiteral("bin/args.sh"),
                          "#!/bin/sh\nfor a in \"$@\"; do printf '%s|' \"$a\"; done > args.tmp\n"
                          "mv args.tmp args.out\n");
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        const QString work = env.path(QStringLiteral("work"));
        QDir().mkpath(work);
        QVERIFY(ExecuteFile(script, QStringLiteral("eins \"zwei drei\" $(touch pwned) 'vier'"),
                            work) > 32);
        const QString out = work + QStringLiteral("/args.out");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out), 20000);
        // No shell ran the text: the command substitution stays two plain words.
        QCOMPARE(contentOf(out), QByteArray("eins|zwei drei|$(touch|pwned)|'vier'|"));
        QVERIFY(!QFileInfo::exists(work + QStringLiteral("/pwned")));
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(m_desktop->opened.isEmpty());
    }

    void programFoundOnPath() {
        TestEnv env;
        RecordingUi ui;
        QVERIFY(ExecuteFile(QStringLiteral("touch"), QStringLiteral("erzeugt.txt"), env.dir()) >
                32);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(env.path(QStringLiteral("erzeugt.txt"))), 20000);
        QCOMPARE(ExecuteFile(QStringLiteral("kein-solches-programm-xyz"), QString(), env.dir()), 2);
        QVERIFY(ui.boxes.isEmpty());
    }

    void brokenProgram() {
        TestEnv env;
        RecordingUi ui;
        // Executable, but neither a binary nor a script with an interpreter line.
        const QString bad = env.writeFile(QStringLiteral("kaputt.exe"), "\x7f"
                                                                        "ELF garbage");
        QFile::setPermissions(bad, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QCOMPARE(ExecuteFile(bad, QString(), QString()), 11);
        QCOMPARE(ui.texts(), QStringList{Head + bad + "\r\nDas Programm ist fehlerhaft"});
    }

    void emptyName() {
        RecordingUi ui;
        QCOMPARE(ExecuteFile(QString(), QString(), QString()), 2);
        QVERIFY(ui.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExecuteFile)
#include "tst_executefile.moc"
