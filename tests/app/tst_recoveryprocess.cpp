// Recovery across real processes: a program is killed with SIGKILL after typing, and the
// next start finds and offers its copies.
//
// Typing and answering the question need a hand inside the process. The installed program
// has no way to take keys or answers from a test, and gets none for this test's sake, so the
// typing and answering is done by this test program itself, started as a child process
// ("--programm"): it starts up as main() does (frame, recovery on the default folder of its
// environment), types with QTest key events into the real editor windows and answers the
// question through a recording UiProvider. The real build/bin/quill is started in between to
// show that the program as shipped finds the killed program's copies at start and claims
// them while it asks; it is killed in its turn, which must leave the copies to be offered
// again.
#include "app/RecoveryStore.h"
#include "app/SessionRecovery.h"
#include "app/TFMain.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstring>

namespace {

// --- The child program ---

// Types into the window of the file on the command line and into a new window, says so,
// and runs until it is killed.
int typeAndWait(TFMain &frame) {
    QObject::connect(
        &frame, &TFMain::startFilesOpened, &frame,
        [&frame] {
            TFMDIQuill *file = frame.EditorWindows().first();
            QTest::keyClicks(file->ActiveMemo(), "// getippt");
            QTest::keyClick(file->ActiveMemo(), Qt::Key_Return);
            TFMDIQuill *fresh = frame.CreateEditorWindow(QString(), TNewFile());
            QTest::keyClicks(fresh->ActiveMemo(), "Neu getippt");
            std::fputs("getippt\n", stdout);
            std::fflush(stdout);
        },
        Qt::QueuedConnection);
    return qApp->exec();
}

// Answers the question, reports the boxes and windows as JSON on stdout, then ends
// normally, leaving every window without saving.
int answerAndEnd(TFMain &frame, RecordingUi &ui, bool yes) {
    ui.boxAnswers << (yes ? MsgButton::Yes : MsgButton::No);
    for (int i = 0; i < 10; ++i)
        ui.boxAnswers << MsgButton::No;
    QObject::connect(
        &frame, &TFMain::startFilesOpened, &frame,
        [&frame, &ui] {
            QJsonArray boxes;
            for (const RecordingUi::Box &box : std::as_const(ui.boxes))
                boxes << box.text;
            QJsonArray windows;
            for (TFMDIQuill *window : frame.EditorWindows())
                windows << QJsonObject{{"file", window->FileName()},
                                       {"text", window->ActiveMemo()->toPlainText()},
                                       {"modified", window->Modified()}};
            const QJsonObject report{{"boxes", boxes}, {"windows", windows}};
            std::fputs(QJsonDocument(report).toJson(QJsonDocument::Compact).constData(), stdout);
            std::fflush(stdout);
            frame.close();
        },
        Qt::QueuedConnection);
    return qApp->exec();
}

int runProgram(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[2]);
    TestEnv env; // program folder and settings store of its own
    RecordingUi ui;
    int result = 0;
    {
        TFMain frame(QCoreApplication::arguments().mid(3));
        SessionRecovery recovery(frame);
        frame.show();
        result = mode == QLatin1String("tippen")
                     ? typeAndWait(frame)
                     : answerAndEnd(frame, ui, mode == QLatin1String("ja"));
    }
    return result;
}

// --- The test ---

QStringList copyFiles(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.kopie")}, QDir::Files, QDir::Name);
}

QStringList copyTexts(const QString &folder) {
    QStringList texts;
    for (const QString &name : copyFiles(folder)) {
        RecoveryCopy copy;
        QString error;
        if (RecoveryStore::read(folder + u'/' + name, copy, error))
            texts << copy.fileName + u':' + copy.text;
    }
    return texts;
}

QByteArray fileBytes(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
}

qint64 lockOwner(const QString &lockFile) {
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine().trimmed().toLongLong();
}

} // namespace

class TestRecoveryProcess : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->filePath(QStringLiteral("state/quill/wiederherstellung"));
        m_file = m_dir->filePath(QStringLiteral("A.java"));
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("class A {}\n");
    }

    void cleanup() {
        for (QProcess *process : std::as_const(m_running)) {
            process->kill();
            process->waitForFinished();
            delete process;
        }
        m_running.clear();
    }

    void killedAfterTypingThenOfferedAndRestored() {
        killWhileTyping();
        const QString dead = copyFiles(m_folder).first().section(u'-', 0, 0);
        const QString deadLock =
            m_folder + QStringLiteral("/instance-") + dead + QStringLiteral(".lock");

        // The program as shipped finds the copies and holds them while it asks; killed in its
        // turn, it leaves them for the next start.
        QProcess *quill =
            start(QCoreApplication::applicationDirPath() + QStringLiteral("/quill"), {});
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(deadLock), quill->processId(), 30000);
        kill(quill);
        QCOMPARE(copyFiles(m_folder).size(), 2);

        const QJsonObject report = answer(QStringLiteral("ja"));
        QCOMPARE(report.value("boxes").toArray().size(), 1);
        QCOMPARE(report.value("boxes").toArray().first().toString(),
                 QStringLiteral("Quill wurde nicht ordnungsgemäß beendet. Sollen die ungesicherten "
                                "Änderungen an 2 Datei(en) wiederhergestellt werden?\r\n\r\n") +
                     m_file + QStringLiteral("\r\nnoname"));
        const QJsonArray windows = report.value("windows").toArray();
        QCOMPARE(windows.size(), 2);
        const QJsonObject file = windows.at(0).toObject();
        const QJsonObject fresh = windows.at(1).toObject();
        QCOMPARE(file.value("file").toString(), m_file);
        QCOMPARE(file.value("text").toString(), QStringLiteral("// getippt\nclass A {}\n"));
        QVERIFY(file.value("modified").toBool());
        QCOMPARE(fresh.value("file").toString(), QStringLiteral("noname"));
        QCOMPARE(fresh.value("text").toString(), QStringLiteral("Neu getippt"));
        QVERIFY(fresh.value("modified").toBool());
        QCOMPARE(fileBytes(m_file), QByteArray("class A {}\n"));
        // That program ended normally: no copy is left, the old ones wait in "verworfen".
        QVERIFY(copyFiles(m_folder).isEmpty());
        QCOMPARE(QDir(m_folder + QStringLiteral("/verworfen")).entryList(QDir::Files).size(), 2);
        QCOMPARE(answer(QStringLiteral("ja")).value("boxes").toArray().size(), 0);
    }

    void noLeavesNothingToOfferNextTime() {
        killWhileTyping();
        const QJsonObject first = answer(QStringLiteral("nein"));
        QCOMPARE(first.value("boxes").toArray().size(), 1);
        QVERIFY(first.value("windows").toArray().isEmpty());
        const QJsonObject next = answer(QStringLiteral("ja"));
        QVERIFY(next.value("boxes").toArray().isEmpty());
        QVERIFY(next.value("windows").toArray().isEmpty());
        QCOMPARE(fileBytes(m_file), QByteArray("class A {}\n"));
    }

    void aRunningProgramsCopiesAreNotOffered() {
        QProcess *typing = start(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--programm"), QStringLiteral("tippen"), m_file});
        QTRY_COMPARE_WITH_TIMEOUT(copyFiles(m_folder).size(), 2, 30000);
        const QJsonObject report = answer(QStringLiteral("ja"));
        QVERIFY(report.value("boxes").toArray().isEmpty());
        QVERIFY(report.value("windows").toArray().isEmpty());
        QCOMPARE(copyFiles(m_folder).size(), 2);
        kill(typing);
    }

private:
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir->path());
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir->filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QUILL_STORE_FILE"),
                   m_dir->filePath(QStringLiteral("store.json")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QProcess *start(const QString &program, const QStringList &arguments) {
        auto *process = new QProcess;
        process->setProcessEnvironment(environment());
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setProgram(program);
        process->setArguments(arguments);
        m_running << process;
        process->start();
        if (!process->waitForStarted())
            qWarning() << "cannot start" << program;
        return process;
    }

    void kill(QProcess *process) {
        process->kill(); // SIGKILL
        process->waitForFinished();
        m_running.removeAll(process);
        delete process;
    }

    // A program types into the file and a new window and is killed once both copies exist.
    void killWhileTyping() {
        QProcess *typing = start(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--programm"), QStringLiteral("tippen"), m_file});
        QTRY_COMPARE_WITH_TIMEOUT(copyTexts(m_folder),
                                  (QStringList{m_file + QStringLiteral(":// getippt\nclass A {}\n"),
                                               QStringLiteral("noname:Neu getippt")}),
                                  30000);
        kill(typing);
        QCOMPARE(fileBytes(m_file), QByteArray("class A {}\n"));
    }

    // A program starts, answers the question and ends normally; its report.
    QJsonObject answer(const QString &yesOrNo) {
        QProcess *program =
            start(QCoreApplication::applicationFilePath(), {QStringLiteral("--programm"), yesOrNo});
        const bool finished = program->waitForFinished(60000);
        const QByteArray out = program->readAllStandardOutput();
        const QByteArray err = program->readAllStandardError();
        const int code = program->exitCode();
        m_running.removeAll(program);
        delete program;
        if (!finished || code != 0)
            qWarning() << "program ended badly" << code << err;
        return QJsonDocument::fromJson(out).object();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QString m_file;
    QList<QProcess *> m_running;
};

int main(int argc, char **argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--programm") == 0)
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    TestRecoveryProcess test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recoveryprocess.moc"
