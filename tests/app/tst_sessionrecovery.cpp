#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"
#include "app/SessionRecovery.h"
#include "app/TFMain.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

namespace {

QString windowText(const TFMDIQuill *window) {
    return window->ActiveMemo()->toPlainText();
}

QByteArray fileBytes(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
}

// The copies in the folder, read back, by their file names in order.
QList<RecoveryCopy> copiesIn(const QString &folder) {
    QList<RecoveryCopy> copies;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({QStringLiteral("*.kopie")}, QDir::Files, QDir::Name)) {
        RecoveryCopy copy;
        QString error;
        if (RecoveryStore::read(dir.filePath(name), copy, error))
            copies << copy;
    }
    return copies;
}

QStringList textsOf(const QList<RecoveryCopy> &copies) {
    QStringList texts;
    for (const RecoveryCopy &copy : copies)
        texts << copy.text;
    return texts;
}

} // namespace

class TestSessionRecovery : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        m_folder = m_env->path(QStringLiteral("zustand/quill/wiederherstellung"));
    }

    void cleanup() {
        stop();
        m_ui.reset();
        m_env.reset();
    }

    void typedChangesAreCopiedAndTheCopyGoesOnSave() {
        const QString a = m_env->writeFile("A.java", "class A {}\n");
        start();
        m_frame->OpenFileByName(a);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QTest::keyClicks(window->ActiveMemo(), "xy");
        QTRY_COMPARE(textsOf(copiesIn(m_folder)), QStringList{"xyclass A {}\n"});
        const RecoveryCopy copy = copiesIn(m_folder).first();
        QCOMPARE(copy.fileName, a);
        QCOMPARE(copy.caret, qsizetype(2));
        QCOMPARE(copy.encoding, QStringLiteral("UTF-8"));
        QCOMPARE(fileBytes(a), QByteArray("class A {}\n"));

        window->MnSpeichernClick();
        m_recovery->waitForWriter();
        QVERIFY(copiesIn(m_folder).isEmpty());
        QCOMPARE(fileBytes(a), QByteArray("xyclass A {}\n"));
        // The next edit brings a copy again.
        QTest::keyClicks(window->ActiveMemo(), "z");
        QTRY_COMPARE(textsOf(copiesIn(m_folder)), QStringList{"xyzclass A {}\n"});
    }

    void aNewWindowsCopyHasNoFileName() {
        start();
        TFMDIQuill *window = m_frame->CreateEditorWindow(QString(), TNewFile());
        QVERIFY(window);
        QTest::keyClicks(window->ActiveMemo(), "neu");
        QTRY_COMPARE(textsOf(copiesIn(m_folder)), QStringList{"neu"});
        QCOMPARE(copiesIn(m_folder).first().fileName, QStringLiteral("noname"));
    }

    void closingWithoutSavingTakesTheCopyAlong() {
        const QString a = m_env->writeFile("A.java", "a\n");
        start();
        m_frame->OpenFileByName(a);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QTest::keyClicks(window->ActiveMemo(), "b");
        QTRY_COMPARE(copiesIn(m_folder).size(), 1);
        m_ui->boxAnswers << MsgButton::No;
        const QPointer<TFMDIQuill> closed(window);
        QVERIFY(window->close());
        QTRY_VERIFY(!closed);
        m_recovery->waitForWriter();
        QVERIFY(copiesIn(m_folder).isEmpty());
        QCOMPARE(fileBytes(a), QByteArray("a\n"));
    }

    void aCloseThatIsCancelledKeepsTheCopy() {
        start();
        TFMDIQuill *window = m_frame->CreateEditorWindow(QString(), TNewFile());
        QTest::keyClicks(window->ActiveMemo(), "bleibt");
        QTRY_COMPARE(copiesIn(m_folder).size(), 1);
        m_ui->boxAnswers << MsgButton::Cancel;
        QVERIFY(!window->close());
        QCoreApplication::processEvents();
        m_recovery->waitForWriter();
        QCOMPARE(textsOf(copiesIn(m_folder)), QStringList{"bleibt"});
    }

    void aNormalEndLeavesNoCopy() {
        const QString a = m_env->writeFile("A.java", "a\n");
        start();
        m_frame->OpenFileByName(a);
        TFMDIQuill *unnamed = m_frame->CreateEditorWindow(QString(), TNewFile());
        QTest::keyClicks(m_frame->EditorWindows().first()->ActiveMemo(), "1");
        QTest::keyClicks(unnamed->ActiveMemo(), "2");
        QTRY_COMPARE(copiesIn(m_folder).size(), 2);
        m_ui->boxAnswers << MsgButton::No << MsgButton::No;
        QVERIFY(m_frame->close());
        stop();
        QVERIFY(QDir(m_folder).entryList(QDir::Files).isEmpty());
    }

    void theCopiesOfACrashAreOfferedAndRestoredMarkedAsChanged() {
        const QString a = m_env->writeFile("A.java", "class A {}\n");
        leaveCrashCopies({{a, "class A { int x; }\n", 10}, {"noname", "neu\n", 0}});
        m_ui->boxAnswers << MsgButton::Yes;
        start();
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        const RecordingUi::Box box = m_ui->boxes.first();
        QCOMPARE(box.icon, MsgIcon::Question);
        QCOMPARE(box.caption, QStringLiteral("Hinweis"));
        QCOMPARE(box.text, QStringLiteral("Quill wurde nicht ordnungsgemäß beendet. Sollen die "
                                          "ungesicherten Änderungen an 2 Datei(en) "
                                          "wiederhergestellt werden?\r\n\r\n") +
                               a + QStringLiteral("\r\nnoname"));
        QCOMPARE(box.buttons, (QList<MsgButton>{MsgButton::Yes, MsgButton::No}));

        const QList<TFMDIQuill *> windows = m_frame->EditorWindows();
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.at(0)->FileName(), a);
        QCOMPARE(windowText(windows.at(0)), QStringLiteral("class A { int x; }\n"));
        QCOMPARE(windows.at(0)->ActiveMemo()->textCursor().position(), 10);
        QCOMPARE(windows.at(1)->FileName(), QStringLiteral("noname"));
        QCOMPARE(windowText(windows.at(1)), QStringLiteral("neu\n"));
        for (TFMDIQuill *window : windows) {
            QVERIFY(window->Modified());
            QCOMPARE(window->StatusPanel(1), QStringLiteral("geändert"));
        }
        QCOMPARE(fileBytes(a), QByteArray("class A {}\n"));
        // The old copies wait in "verworfen"; the windows have copies of their own.
        QCOMPARE(QDir(m_recovery->store().discardFolder()).entryList(QDir::Files).size(), 2);
        QTRY_COMPARE(textsOf(copiesIn(m_folder)).size(), 2);
        QStringList texts = textsOf(copiesIn(m_folder));
        texts.sort();
        QCOMPARE(texts, (QStringList{"class A { int x; }\n", "neu\n"}));

        // A second program started now leaves this one's copies alone.
        {
            RecordingUi secondUi;
            TFMain secondFrame;
            SessionRecovery second(secondFrame, m_folder, 20);
            second.offerRecovery();
            QVERIFY(secondUi.boxes.isEmpty());
            QVERIFY(secondFrame.EditorWindows().isEmpty());
        }
        setUi(m_ui.get());
        // Saved now: the file takes the recovered text.
        windows.at(0)->MnSpeichernClick();
        QCOMPARE(fileBytes(a), QByteArray("class A { int x; }\n"));
    }

    void theFileOnTheCommandLineTakesItsRecoveredText() {
        const QString a = m_env->writeFile("A.java", "alt\n");
        leaveCrashCopies({{a, "neu\n", 0}});
        m_ui->boxAnswers << MsgButton::Yes;
        start({a});
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(windowText(m_frame->EditorWindows().first()), QStringLiteral("neu\n"));
        QVERIFY(m_frame->EditorWindows().first()->Modified());
    }

    void aFileThatCannotBeReadAnyMoreIsRestoredWithoutIt() {
        const QString gone = m_env->path("Weg.java");
        QVERIFY(QDir().mkpath(gone)); // a folder now stands where the file was
        leaveCrashCopies({{gone, "text\n", 0}});
        m_ui->boxAnswers << MsgButton::Yes;
        start();
        QTRY_COMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(windowText(m_frame->EditorWindows().first()), QStringLiteral("text\n"));
        QVERIFY(m_frame->EditorWindows().first()->Modified());
    }

    void aFileChangedSinceIsOfferedWithANote() {
        const QString a = m_env->writeFile("A.java", "alt\n");
        leaveCrashCopies({{a, "kopie\n", 0}});
        QFile file(a);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(3600),
                                 QFileDevice::FileModificationTime));
        file.close();
        m_ui->boxAnswers << MsgButton::Yes;
        start();
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        QVERIFY2(m_ui->boxes.first().text.endsWith(
                     a + QStringLiteral(" (Datei wurde inzwischen geändert)")),
                 qPrintable(m_ui->boxes.first().text));
        QCOMPARE(windowText(m_frame->EditorWindows().first()), QStringLiteral("kopie\n"));
    }

    void noSetsTheCopiesAsideAndTheyAreNotOfferedAgain() {
        leaveCrashCopies({{"noname", "weg\n", 0}});
        m_ui->boxAnswers << MsgButton::No;
        start();
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QVERIFY(copiesIn(m_folder).isEmpty());
        QCOMPARE(QDir(m_recovery->store().discardFolder()).entryList(QDir::Files).size(), 1);
        stop();
        m_ui->clear();
        start();
        m_frame->Timer1Timer();
        QVERIFY(m_ui->boxes.isEmpty());
    }

    void anUnwritableFolderWarnsOnceAndEditingGoesOn() {
        m_env->writeFile("zustand", "eine Datei, kein Ordner");
        start();
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().icon, MsgIcon::Warning);
        QVERIFY(m_ui->boxes.first().text.startsWith(QStringLiteral(
            "Der Ordner für Wiederherstellungskopien kann nicht beschrieben werden:")));
        TFMDIQuill *window = m_frame->CreateEditorWindow(QString(), TNewFile());
        QTest::keyClicks(window->ActiveMemo(), "weiter");
        QCOMPARE(windowText(window), QStringLiteral("weiter"));
        QCOMPARE(m_ui->boxes.size(), 1);
    }

    void aFolderLostWhileRunningWarnsOnceAndEditingGoesOn() {
        start();
        m_frame->Timer1Timer();
        TFMDIQuill *first = m_frame->CreateEditorWindow(QString(), TNewFile());
        TFMDIQuill *second = m_frame->CreateEditorWindow(QString(), TNewFile());
        QVERIFY(QDir(m_folder).removeRecursively());
        m_env->writeFile("zustand/quill/wiederherstellung", "kein Ordner mehr");
        QSignalSpy failed(m_recovery->writer(), &RecoveryWriter::writeFailed);
        // The lock went with the folder; releasing it says so.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Could not remove our own lock file"));
        QTest::keyClicks(first->ActiveMemo(), "eins");
        QTest::keyClicks(second->ActiveMemo(), "zwei");
        QTRY_COMPARE(failed.size(), 2);
        QTRY_COMPARE(m_ui->boxes.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(m_ui->boxes.size(), 1);
        QVERIFY(m_ui->boxes.first().text.contains(m_folder));
        QCOMPARE(windowText(first), QStringLiteral("eins"));
        QCOMPARE(windowText(second), QStringLiteral("zwei"));
        stop();
    }

private:
    struct Left {
        QString fileName;
        QString text;
        qsizetype caret;
    };

    // Copies as a program leaves them when it is killed: written, never removed, its
    // lock no longer held.
    void leaveCrashCopies(const QList<Left> &copies) {
        RecoveryStore crashed(m_folder);
        QString error;
        QVERIFY(crashed.open(error));
        int key = 0;
        for (const Left &left : copies) {
            RecoveryCopy copy;
            copy.fileName = left.fileName;
            copy.text = left.text;
            copy.caret = left.caret;
            QVERIFY(crashed.write(++key, copy, error));
        }
    }

    // A program start as main() makes it; the start sequence runs with the start timer.
    void start(const QStringList &commandLine = {}) {
        m_frame = std::make_unique<TFMain>(commandLine);
        m_recovery = std::make_unique<SessionRecovery>(*m_frame, m_folder, 20);
        m_frame->resize(1000, 700);
        m_frame->show();
    }

    // The program's end: the recovery first, then the frame, as in main().
    void stop() {
        m_recovery.reset();
        m_frame.reset();
    }

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    QString m_folder;
    std::unique_ptr<TFMain> m_frame;
    std::unique_ptr<SessionRecovery> m_recovery;
};

QTEST_MAIN(TestSessionRecovery)
#include "tst_sessionrecovery.moc"
