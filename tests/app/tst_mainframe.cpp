#include "app/TFAbout.h"
#include "app/TFMain.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/DialogResult.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "common/QuillError.h"
#include "common/Registry.h"
#include "common/StoreWarning.h"
#include "editor/MDIQuill.h"
#include "javaconsole/TFKonsole.h"
#include "RecordingDesktop.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "settings/SettingsCommands.h"
#include "settings/ShortkeyModel.h"
#include "TestEnv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QSplitter>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList fileNames(const TFMain &frame) {
    QStringList names;
    for (TFMDIQuill *window : frame.EditorWindows())
        names << window->FileName();
    return names;
}

QStringList menuTitles(QMenuBar *bar) {
    QStringList titles;
    for (QAction *action : bar->actions())
        if (action->isVisible())
            titles << action->text();
    return titles;
}

// The commands built elsewhere, as each test sets them.
class FakeFrameCommands : public FrameCommands {
public:
    TNewFile NewFileWizard() override { return wizard ? wizard() : TNewFile(); }
    void SettingsDialog() override {
        if (settings)
            settings();
    }
    void JavaHelp() override {
        if (javaHelp)
            javaHelp();
    }
    void FindJavaTools() override {
        if (findTools)
            findTools();
    }
    std::function<TNewFile()> wizard;
    std::function<void()> settings;
    std::function<void()> javaHelp;
    std::function<void()> findTools;
};

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        m_commands = FakeFrameCommands();
        m_frame = std::make_unique<TFMain>();
        m_frame->SetCommands(&m_commands);
        m_frame->resize(1100, 800);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup() {
        m_frame.reset();
        m_ui.reset();
        m_env.reset();
    }

    void startOpensExistingCommandLineFilesWithoutAMessage() {
        const QString a = m_env->writeFile("A.java", "class A {}\n");
        TFMain frame({a, m_env->path("missing.java")});
        QTRY_COMPARE(fileNames(frame), QStringList{a});
        QVERIFY(!frame.Timer1()->isActive());
        QVERIFY(m_ui->boxes.isEmpty());
    }

    void threeChosenFilesOpenInReverseOrder() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        const QString c = m_env->writeFile("C.java", "c");
        m_ui->openAnswers << QStringList{a, b, c};
        m_frame->MnOeffnenClick();
        QCOMPARE(fileNames(*m_frame), (QStringList{c, b, a}));
        QCOMPARE(m_ui->openRequests.size(), 1);
        QVERIFY(m_ui->openRequests.first().multiple);
        QCOMPARE(m_ui->openRequests.first().title, QStringLiteral("Datei Öffnen"));
    }

    void theSameFileTwiceIsRefused() {
        const QString a = m_env->writeFile("A.java", "a");
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(a);
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Hinweis"));
        QCOMPARE(m_ui->boxes.first().text, QStringLiteral("Datei ist schon geladen\r\n") + a);
    }

    void theSameFileThroughAnotherNameIsRefused() {
        const QString a = m_env->writeFile("A.java", "a");
        QVERIFY(QDir().mkpath(m_env->path("ordner")));
        QVERIFY(QFile::link(a, m_env->path("Verweis.java")));
        QVERIFY(QFile::link(m_env->dir(), m_env->path("ordner/zurueck")));
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(m_env->path("Verweis.java"));
        m_frame->OpenFileByName(m_env->path("ordner/zurueck/A.java"));
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(m_ui->boxes.size(), 2);
        for (const auto &box : std::as_const(m_ui->boxes))
            QVERIFY(box.text.startsWith(QStringLiteral("Datei ist schon geladen")));
    }

    void saveAsTakesTheMainFileEntryAlong() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(b);
        m_frame->cbMainFile()->setCurrentIndex(0);
        const QString c = m_env->path("C.java");
        m_ui->saveAnswers << c;
        m_frame->EditorWindows().at(0)->MnSpeichernUnterClick();
        QCOMPARE(m_frame->cbMainFile()->itemText(0), QStringLiteral("C.java"));
        QCOMPARE(m_frame->ChosenMainFile(), c);
    }

    void anUnnamedWindowDoesNotHoldAFileCalledNoname() {
        QVERIFY(m_frame->CreateEditorWindow(m_env->path("Neu.java"), TNewFile()));
        const QString file = m_env->writeFile("noname", "n");
        const QString previousDir = QDir::currentPath();
        QDir::setCurrent(m_env->dir());
        m_frame->OpenFileByName(file);
        QDir::setCurrent(previousDir);
        QVERIFY(m_ui->boxes.isEmpty());
        QCOMPARE(fileNames(*m_frame), QStringList({"noname", file}));
    }

    void aMissingFileIsReportedAndStaysRecent() {
        const QString gone = m_env->path("gone.java");
        m_frame->Recent().Add(gone);
        m_frame->OpenFileByName(gone);
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Datei Öffnen"));
        QCOMPARE(m_ui->boxes.first().text,
                 QStringLiteral("Die Datei\r\n") + gone + QStringLiteral("\r\nexistiert nicht"));
        QCOMPARE(m_frame->Recent().Count(), 1);
    }

    void aFileThatCannotBeReadOpensNoWindow() {
        const QString dir = m_env->path("folder.java");
        QVERIFY(QDir().mkpath(dir));
        m_frame->OpenFileByName(dir);
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QCOMPARE(m_frame->cbMainFile()->count(), 0);
        QVERIFY(m_frame->MdiArea()->subWindowList().isEmpty());
        QVERIFY(!m_ui->boxes.isEmpty());
    }

    // Neither the settings store nor the INI file can be written: files still open, and the
    // learner is told once in this run.
    void anUnwritableStoreNeverBlocksOpeningFiles() {
        resetStoreWarningForTesting();
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        const QString blocker = m_env->writeFile("blocker", "x");
        qputenv("QUILL_STORE_FILE", QFile::encodeName(blocker + QStringLiteral("/quill.json")));
        Settings::IniFileName = blocker + QStringLiteral("/Tintra.INI");
        const QString userIni = UserDataDir() + QStringLiteral("Tintra.INI");
        QFile::remove(userIni);
        QVERIFY(QDir().mkpath(userIni)); // the per-user folder cannot take it either
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(b);
        QVERIFY(QDir(userIni).removeRecursively());
        QCOMPARE(fileNames(*m_frame), (QStringList{a, b}));
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().icon, MsgIcon::Warning);
        QVERIFY2(m_ui->boxes.first().text.startsWith(
                     QStringLiteral("Die Einstellungen können nicht gespeichert werden: ")),
                 qPrintable(m_ui->boxes.first().text));
        QVERIFY(m_frame->close()); // the recent-file list cannot be stored either: no new box
        QCOMPARE(m_ui->boxes.size(), 1);
    }

    void aFailingMenuCommandEndsWithTheErrorReport() {
        // A command connected as the frame connects its items: its error must not pass
        // through the signal but end in the general error report.
        QAction item(QStringLiteral("Kaputt"), m_frame.get());
        int after = 0;
        QObject::connect(&item, &QAction::triggered, m_frame.get(), Guarded([] {
            throw QuillError(QStringLiteral("In X kann nicht geschrieben werden"));
        }));
        QObject::connect(&item, &QAction::triggered, m_frame.get(), [&after] { ++after; });
        item.trigger();
        QCOMPARE(after, 1); // the signal went on to the next receiver
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Fehler"));
        QCOMPARE(m_ui->boxes.first().text, QStringLiteral("In X kann nicht geschrieben werden"));
    }

    void openDialogFollowsTheLastOpenedFile() {
        const QString a = m_env->writeFile("d/a/X.java", "x");
        m_frame->OpenFileByName(a);
        m_frame->MnOeffnenClick();
        const FileDialogRequest afterJava = m_ui->openRequests.last();
        QCOMPARE(afterJava.directory, m_env->path("d/a/"));
        QCOMPARE(afterJava.filters.first().first, QStringLiteral("Alte Dateimaske *.java"));
        QCOMPARE(afterJava.fileName, QStringLiteral("*.java"));
        QCOMPARE(ReadIni(), QStringLiteral("EditorPfad=") + m_env->path("d/a/"));

        m_frame->OpenFileByName(m_env->writeFile("Daten.DAT", "1 2 3"));
        m_frame->MnOeffnenClick();
        const FileDialogRequest afterDat = m_ui->openRequests.last();
        QCOMPARE(afterDat.filters.size(), 2);
        QCOMPARE(afterDat.filters.first().first, QStringLiteral("Java-Dateien (*.Java)"));
        QCOMPARE(afterDat.fileName, QStringLiteral("*.Java"));
    }

    void mainFileChooserFollowsTheWindows() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        const QString z = m_env->writeFile("Z.java", "z");
        QComboBox *chooser = m_frame->cbMainFile();
        QVERIFY(chooser->isHidden());
        m_frame->OpenFileByName(a);
        QVERIFY(chooser->isHidden());
        QVERIFY(m_frame->LMainJava()->isHidden());
        // Nothing is chosen until the user chooses, even while the list is hidden.
        QCOMPARE(chooser->currentIndex(), -1);
        QCOMPARE(m_frame->ChosenMainFile(), QString());
        m_frame->OpenFileByName(b);
        QVERIFY(!chooser->isHidden());
        QVERIFY(!m_frame->LMainJava()->isHidden());
        QCOMPARE(chooser->currentIndex(), -1);
        QCOMPARE(chooser->currentText(), QString());
        m_frame->OpenFileByName(z);
        QCOMPARE(chooser->count(), 3);
        QCOMPARE(chooser->itemData(2).toString(), z);

        chooser->setCurrentIndex(1);
        QCOMPARE(chooser->currentText(), QStringLiteral("B.java"));
        QCOMPARE(m_frame->ChosenMainFile(), b);

        QVERIFY(m_frame->EditorWindows().at(2)->close()); // Z.java
        QCOMPARE(chooser->currentText(), QStringLiteral("B.java"));
        QCOMPARE(m_frame->ChosenMainFile(), b);

        QVERIFY(m_frame->EditorWindows().at(1)->close()); // B.java
        QCOMPARE(chooser->currentIndex(), -1);
        QCOMPARE(m_frame->ChosenMainFile(), QString());
        QVERIFY(!chooser->isHidden()); // one window left: still shown

        QVERIFY(m_frame->EditorWindows().at(0)->close());
        QVERIFY(chooser->isHidden());
        QVERIFY(m_frame->LMainJava()->isHidden());
        QCOMPARE(chooser->count(), 0);
    }

    void closingASelectedWindowBeforeOthersKeepsTheRightChoice() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        const QString c = m_env->writeFile("C.java", "c");
        for (const QString &name : {a, b, c})
            m_frame->OpenFileByName(name);
        m_frame->cbMainFile()->setCurrentIndex(2); // C.java
        QVERIFY(m_frame->EditorWindows().at(0)->close());
        QCOMPARE(m_frame->cbMainFile()->currentText(), QStringLiteral("C.java"));
        QCOMPARE(m_frame->ChosenMainFile(), c);
    }

    void verticalTilingOfThreeWindows() {
        for (const char *name : {"A.java", "B.java", "C.java"})
            m_frame->OpenFileByName(m_env->writeFile(QString::fromLatin1(name), "x"));
        QWidget *viewport = m_frame->MdiArea()->viewport();
        m_frame->resize(m_frame->width() + 1000 - viewport->width(), m_frame->height());
        QTRY_COMPARE(viewport->width(), 1000);
        m_frame->MnFensterVertikalteilenClick();
        const QList<TFMDIQuill *> windows = m_frame->EditorWindows();
        QCOMPARE(windows.at(0)->geometry().left(), 0);
        QCOMPARE(windows.at(0)->width(), 332);
        QCOMPARE(windows.at(1)->geometry().left(), 332);
        QCOMPARE(windows.at(1)->width(), 331);
        QCOMPARE(windows.at(2)->geometry().left(), 663);
        QCOMPARE(windows.at(2)->width(), 331);
        for (TFMDIQuill *window : windows)
            QCOMPARE(window->geometry().top(), 0);
    }

    void everyRecentMenuShowsTheOneList() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        m_frame->OpenFileByName(b);
        m_frame->OpenFileByName(a);
        QVERIFY(m_frame->EditorWindows().at(0)->close()); // B.java: the list is [B]
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QVERIFY(window->MenuItem("MnAlteDatei1")->isVisible());
        // Opening B takes it off the list while A's window stays active meanwhile.
        m_frame->OpenFileByName(b);
        QVERIFY(!window->MenuItem("MnAlteDatei1")->isVisible());
        QVERIFY(!m_frame->MnAlteDateien().at(0)->isVisible());
    }

    void aDoubleClickOnACompilerMessageShowsItsLine() {
        const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
        QVERIFY2(!javac.isEmpty(), "the test needs the JDK");
        Settings::Compiler = javac;
        Settings::CompilerParameter = QStringLiteral("-sourcepath lib");
        // Only the panel sets marks here: no check while typing, no marks from F8 itself.
        Settings::FehlerBeimSchreibenMarkieren = false;
        const QString a = m_env->writeFile("p/A.java", "class A {\n  B b;\n  int x = \"s\";\n}\n");
        const QString b = m_env->writeFile("p/lib/B.java", "class B {\n  int y = \"t\";\n}\n");
        m_frame->OpenFileByName(a);
        TFMDIQuill *windowA = m_frame->EditorWindows().first();
        windowA->MnCompilerClick();
        const QStringList panel = m_frame->Memo1()->toPlainText().split(u'\n');
        const auto lineOf = [&panel](const QString &start) {
            for (int i = 0; i < panel.size(); ++i)
                if (panel.at(i).startsWith(start))
                    return i;
            return -1;
        };
        const auto doubleClick = [this](int line) {
            QTextCursor cursor(m_frame->Memo1()->document()->findBlockByNumber(line));
            const QPoint at = m_frame->Memo1()->cursorRect(cursor).center() + QPoint(2, 0);
            QTest::mouseDClick(m_frame->Memo1()->viewport(), Qt::LeftButton, {}, at);
        };
        const int messageB = lineOf(QStringLiteral("lib/B.java:2: error"));
        QVERIFY2(messageB > 0, qPrintable(panel.join(u'\n')));
        // B.java has no window yet: it opens at its line.
        doubleClick(messageB);
        QCOMPARE(m_frame->EditorWindows().size(), 2);
        TFMDIQuill *windowB = m_frame->ActiveEditorWindow();
        QVERIFY(windowB->Document().holdsFile(b));
        QCOMPARE(windowB->ActiveMemo()->textCursor().selectedText(),
                 QStringLiteral("  int y = \"t\";"));
        // The line jumped to carries the compiler's message as an error mark.
        const QString messageTextB =
            panel.at(messageB).mid(panel.at(messageB).indexOf("error: ") + 7);
        QCOMPARE(windowB->Marks().All(),
                 QList<LineMarkAt>({{1, {LineMarkKind::Error, messageTextB}}}));
        // The marker under A's message puts the caret at its column.
        QVERIFY(windowA->Marks().IsEmpty());
        const int messageA = lineOf(QStringLiteral("A.java:3: error"));
        doubleClick(messageA + 2);
        QCOMPARE(m_frame->ActiveEditorWindow(), windowA);
        const QTextCursor caret = windowA->ActiveMemo()->textCursor();
        QCOMPARE(caret.blockNumber(), 2);
        QCOMPARE(caret.positionInBlock(), 10);
        QVERIFY(!caret.hasSelection());
        QCOMPARE(windowA->Marks().All(),
                 QList<LineMarkAt>(
                     {{2,
                       {LineMarkKind::Error,
                        panel.at(messageA).mid(panel.at(messageA).indexOf("error: ") + 7)}}}));
        // A line that names no place changes nothing.
        windowB->ActiveMemo()->setFocus();
        m_frame->MdiArea()->setActiveSubWindow(windowB);
        doubleClick(lineOf(QStringLiteral("2 errors")));
        QCOMPARE(m_frame->ActiveEditorWindow(), windowB);
        // A message about a file that is gone gets the open command's notice.
        QVERIFY(windowB->close());
        QVERIFY(QFile::remove(b));
        doubleClick(messageB);
        QCOMPARE(m_ui->boxes.size(), 1);
        QVERIFY(m_ui->boxes.first().text.contains(QStringLiteral("existiert nicht")));
        Settings::CompilerParameter.clear();
        Settings::FehlerBeimSchreibenMarkieren = true;
    }

    // The jump reads a compile's messages once; when the panel shows something else, its
    // lines lead only where they themselves say.
    void aChangedPanelNoLongerLeadsToTheCompilesMessages() {
        const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
        QVERIFY2(!javac.isEmpty(), "the test needs the JDK");
        Settings::Compiler = javac;
        Settings::CompilerParameter.clear();
        const QString a = m_env->writeFile("q/A.java", "class A {\n  int x = \"s\";\n}\n");
        const QString b = m_env->writeFile("q/B.java", "class B {}\n");
        m_frame->OpenFileByName(a);
        TFMDIQuill *windowA = m_frame->EditorWindows().first();
        windowA->MnCompilerClick();
        QVERIFY(m_frame->Space().ShownCompile());
        const QStringList panel = m_frame->Memo1()->toPlainText().split(u'\n');
        const int message = int(panel.indexOf(QRegularExpression("A\\.java:2: error.*")));
        QVERIFY2(message > 0, qPrintable(panel.join(u'\n')));
        m_frame->OpenFileByName(b);
        TFMDIQuill *windowB = m_frame->ActiveEditorWindow();
        QVERIFY(windowB != windowA);
        QVERIFY(m_frame->JumpFromPanelLine(message));
        QCOMPARE(m_frame->ActiveEditorWindow(), windowA);
        QCOMPARE(windowA->ActiveMemo()->textCursor().selectedText(),
                 QStringLiteral("  int x = \"s\";"));

        m_frame->MdiArea()->setActiveSubWindow(windowB);
        QStringList other(panel.size(), QStringLiteral("Ausgabe"));
        m_frame->Output().SetText(other.join(u'\n'));
        QVERIFY(!m_frame->Space().ShownCompile());
        QVERIFY(!m_frame->JumpFromPanelLine(message));
        QCOMPARE(m_frame->ActiveEditorWindow(), windowB);
        // A message the learner writes there leads where it says.
        other[message] = QStringLiteral("B.java:1: error: selbst geschrieben");
        other[0] = QStringLiteral("Datei \"%1\"").arg(a);
        m_frame->Memo1()->setPlainText(other.join(u'\n'));
        m_frame->MdiArea()->setActiveSubWindow(windowA);
        QVERIFY(m_frame->JumpFromPanelLine(message));
        QCOMPARE(m_frame->ActiveEditorWindow(), windowB);
    }

    void horizontalTilingStacksTheWindows() {
        for (const char *name : {"A.java", "B.java"})
            m_frame->OpenFileByName(m_env->writeFile(QString::fromLatin1(name), "x"));
        const QSize area = m_frame->MdiArea()->viewport()->size();
        m_frame->MnFensterTeilenClick();
        const QList<TFMDIQuill *> windows = m_frame->EditorWindows();
        QCOMPARE(windows.at(0)->geometry(), QRect(0, 0, area.width(), area.height() / 2));
        QCOMPARE(windows.at(1)->geometry(),
                 QRect(0, area.height() / 2, area.width(), area.height() - area.height() / 2));
    }

    void ctrlF4ClosesTheActiveWindowAfterAsking() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        TFMDIQuill *window = m_frame->EditorWindows().first();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->MdiArea()->setActiveSubWindow(window);
        window->ActiveMemo()->setFocus();
        window->ActiveMemo()->insertPlainText("neu");
        m_ui->boxAnswers << MsgButton::Cancel << MsgButton::No;
        QTest::keyClick(window->ActiveMemo(), Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(m_frame->EditorWindows().size(), 1); // cancelled
        QCOMPARE(m_ui->boxes.size(), 1);
        QTest::keyClick(window->ActiveMemo(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(m_frame->EditorWindows().isEmpty());
        QCOMPARE(m_ui->boxes.size(), 2);
    }

    void verticalTilingLeavesMinimisedWindowsAlone() {
        const QString a = m_env->writeFile("A.java", "a");
        m_frame->OpenFileByName(a);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        window->showMinimized();
        const QRect before = window->geometry();
        m_frame->MnFensterVertikalteilenClick();
        QVERIFY(window->isMinimized());
        QCOMPARE(window->geometry(), before);
    }

    void arrangeIconsLinesMinimisedWindowsUpAtTheBottom() {
        for (const char *name : {"A.java", "B.java", "C.java"})
            m_frame->OpenFileByName(m_env->writeFile(QString::fromLatin1(name), "x"));
        const QList<TFMDIQuill *> windows = m_frame->EditorWindows();
        windows.at(0)->showMinimized();
        windows.at(2)->showMinimized();
        const QRect open = windows.at(1)->geometry();
        m_frame->MnAlleSymboleanordnenClick();
        const int bottom = m_frame->MdiArea()->viewport()->height();
        QCOMPARE(windows.at(0)->geometry().bottom() + 1, bottom);
        QCOMPARE(windows.at(0)->x(), 0);
        QCOMPARE(windows.at(2)->geometry().bottom() + 1, bottom);
        QCOMPARE(windows.at(2)->x(), windows.at(0)->width());
        QCOMPARE(windows.at(1)->geometry(), open);
    }

    void cascadeKeepsTheActiveWindowOnTop() {
        for (const char *name : {"A.java", "B.java", "C.java"})
            m_frame->OpenFileByName(m_env->writeFile(QString::fromLatin1(name), "x"));
        TFMDIQuill *middle = m_frame->EditorWindows().at(1);
        m_frame->MdiArea()->setActiveSubWindow(middle);
        m_frame->MnFensterKaskadeClick();
        const QList<QMdiSubWindow *> order =
            m_frame->MdiArea()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(order.last(), middle);
        const QRect area = m_frame->MdiArea()->viewport()->rect();
        QPoint previous(-1, -1);
        for (QMdiSubWindow *sub : order) {
            QVERIFY(area.contains(sub->geometry()));
            QVERIFY(sub->width() >= area.width() * 2 / 3);
            QVERIFY(sub->x() > previous.x() && sub->y() > previous.y());
            previous = sub->pos();
        }
    }

    void closeAllAsksEachWindowOnce() {
        QStringList names;
        for (const char *name : {"A.java", "B.java", "C.java"}) {
            names << m_env->writeFile(QString::fromLatin1(name), "x");
            m_frame->OpenFileByName(names.last());
            m_frame->EditorWindows().last()->ActiveMemo()->insertPlainText("y");
        }
        m_ui->boxAnswers << MsgButton::No << MsgButton::No << MsgButton::No;
        m_frame->CloseAllWindows();
        QTRY_VERIFY(m_frame->MdiArea()->subWindowList().isEmpty());
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QCOMPARE(m_ui->boxes.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m_ui->boxes.at(i).text,
                     QStringLiteral("Änderungen nach '%1' speichern?").arg(names.at(i)));
        // Nothing was saved.
        QFile file(names.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("x"));
    }

    void cancelKeepsTheWindowOutOfTheRecentList() {
        const QString a = m_env->writeFile("A.java", "a");
        m_frame->OpenFileByName(a);
        m_frame->EditorWindows().first()->ActiveMemo()->insertPlainText("y");
        m_ui->boxAnswers << MsgButton::Cancel;
        QVERIFY(!m_frame->EditorWindows().first()->close());
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(m_frame->Recent().Count(), 0);
    }

    void closingTenFilesLeavesTheNineLatest() {
        QStringList names;
        for (int i = 1; i <= 10; ++i) {
            names << m_env->writeFile(QStringLiteral("F%1.java").arg(i), "x");
            m_frame->OpenFileByName(names.last());
        }
        for (TFMDIQuill *window : m_frame->EditorWindows())
            QVERIFY(window->close());
        QCOMPARE(m_frame->Recent().Count(), 9);
        QCOMPARE(m_frame->Recent().Entry(1), names.at(9));
        QCOMPARE(m_frame->Recent().Entry(9), names.at(1));
        QVERIFY(m_frame->MnStrichAlteDateien()->isVisible());
        QCOMPARE(m_frame->MnAlteDateien().first()->text(), QStringLiteral("&1. ") + names.at(9));
        for (QAction *item : m_frame->MnAlteDateien())
            QVERIFY(item->isVisible());
        // The open dialog now starts where the last file was.
        QCOMPARE(Settings::EditorPfad, m_env->dir() + QLatin1Char('/'));

        // Choosing entry 3 opens that file and takes it out of the list.
        m_frame->MnAlteDateiClick(3);
        QCOMPARE(fileNames(*m_frame), QStringList{names.at(7)});
        QCOMPARE(m_frame->Recent().Count(), 8);
        QCOMPARE(m_frame->Recent().Entry(3), names.at(6));
        // The menu shows the list as it is now.
        QCOMPARE(m_frame->MnAlteDateien().at(2)->text(), QStringLiteral("&3. ") + names.at(6));
        QVERIFY(!m_frame->MnAlteDateien().at(8)->isVisible());
    }

    void anUnsavedDocumentDoesNotEnterTheRecentList() {
        m_commands.wizard = [] {
            TNewFile description;
            description.Kind = 6;
            description.ClassName = QStringLiteral("Hallo");
            return description;
        };
        m_frame->MnNeuClick();
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QCOMPARE(m_frame->cbMainFile()->itemText(0), QString());
        QCOMPARE(Settings::EditorPfad, QString());
        QCOMPARE(m_frame->RememberedExt(), QString());
        m_frame->EditorWindows().first()->ActiveMemo()->SetModified(false);
        QVERIFY(m_frame->EditorWindows().first()->close());
        QCOMPARE(m_frame->Recent().Count(), 0);
    }

    void aCancelledWizardCreatesNothing() {
        m_frame->SetCommands(nullptr);
        m_frame->MnNeuClick(); // no wizard connected
        m_frame->SetCommands(&m_commands);
        m_commands.wizard = [] { return TNewFile(); };
        m_frame->MnNeuClick();
        QVERIFY(m_frame->EditorWindows().isEmpty());
    }

    void clearingTheListHidesTheEntriesAndDeletesTheOldFile() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString old = m_env->writeFile("prog/Datei.alt", "old");
        m_frame->OpenFileByName(a);
        QVERIFY(m_frame->EditorWindows().first()->close());
        QVERIFY(m_frame->MnAlteDateien().first()->isVisible());
        m_frame->MnDateilisteloeschenClick();
        QCOMPARE(m_frame->Recent().Count(), 0);
        QVERIFY(!m_frame->MnStrichAlteDateien()->isVisible());
        QVERIFY(!m_frame->MnAlteDateien().first()->isVisible());
        QVERIFY(!QFile::exists(old));
        QVERIFY(m_frame->close());
        QCOMPARE(ReadRegInteger(Settings::RootKey, QStringLiteral("AnzFiles"), -1), 0);
    }

    void closingTheFrameAsksEveryWindowAndCleansUp() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        const QString temp = m_env->writeFile("prog/TEMP1.txt", "t");
        const QString tmp = m_env->writeFile("prog/TMPfile", "t");
        const QString other = m_env->writeFile("prog/Other.txt", "o");
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(b);
        for (TFMDIQuill *window : m_frame->EditorWindows())
            window->ActiveMemo()->insertPlainText("y");

        // The top window (B) agrees, A refuses: the frame and A stay open.
        m_ui->boxAnswers << MsgButton::No << MsgButton::Cancel;
        QVERIFY(!m_frame->close());
        QCOMPARE(fileNames(*m_frame), QStringList{a});
        QVERIFY(QFile::exists(temp));

        m_ui->boxAnswers << MsgButton::No;
        QVERIFY(m_frame->close());
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QVERIFY(!QFile::exists(temp));
        QVERIFY(!QFile::exists(tmp));
        QVERIFY(QFile::exists(other));
        QCOMPARE(ReadRegInteger(Settings::RootKey, QStringLiteral("AnzFiles"), -1), 2);
        QCOMPARE(ReadRegString(Settings::RootKey, QStringLiteral("File1"), QString()), a);
        QCOMPARE(ReadRegString(Settings::RootKey, QStringLiteral("File2"), QString()), b);
    }

    void quittingKeepsAnUnsavedDocumentWhoseSaveAsIsCancelled() {
        TFMDIQuill *window = m_frame->CreateEditorWindow(m_env->path("Neu.java"), TNewFile());
        QVERIFY(window);
        window->ActiveMemo()->insertPlainText("ungesichert");
        // "Yes, save" and then no name: the text has nowhere to go, so nothing closes.
        m_ui->boxAnswers << MsgButton::Yes;
        QVERIFY(!m_frame->close());
        QCOMPARE(m_ui->saveRequests.size(), 1);
        QCOMPARE(m_frame->EditorWindows(), QList<TFMDIQuill *>{window});
        QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("ungesichert"));

        m_ui->boxAnswers << MsgButton::Yes;
        m_ui->saveAnswers << m_env->path("Neu.java");
        QVERIFY(m_frame->close());
        QVERIFY(m_frame->EditorWindows().isEmpty());
        QFile saved(m_env->path("Neu.java"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("ungesichert"));
    }

    void theRecentListComesBackAtTheNextStart() {
        const QString a = m_env->writeFile("A.java", "a");
        WriteRegInteger(Settings::RootKey, QStringLiteral("AnzFiles"), 1);
        WriteRegString(Settings::RootKey, QStringLiteral("File1"), a);
        TFMain frame;
        QCOMPARE(frame.Recent().Entries(), QStringList{a});
        QCOMPARE(frame.MnAlteDateien().first()->text(), QStringLiteral("&1. ") + a);
        QCOMPARE(Settings::EditorPfad, m_env->dir() + QLatin1Char('/'));
    }

    void menuBarMergesTheActiveWindowsMenus() {
        QMenuBar *bar = m_frame->menuBar();
        QCOMPARE(menuTitles(bar), (QStringList{"&Datei", "&Optionen", "&Fenster", "&Hilfe"}));
        const QAction *frameFile = bar->actions().first();

        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        TFMDIQuill *window = m_frame->EditorWindows().first();
        m_frame->MdiArea()->setActiveSubWindow(window);
        QStringList expected;
        for (QMenu *menu : window->Menus())
            if (menu->menuAction()->isVisible())
                expected << menu->title();
        expected << "&Optionen"
                 << "&Fenster"
                 << "&Hilfe";
        QTRY_COMPARE(menuTitles(bar), expected);
        QCOMPARE(bar->actions().first(), window->Menus().first()->menuAction());
        QVERIFY(!bar->actions().contains(const_cast<QAction *>(frameFile)));

        QVERIFY(window->close());
        QCOMPARE(menuTitles(bar), (QStringList{"&Datei", "&Optionen", "&Fenster", "&Hilfe"}));
        QCOMPARE(bar->actions().first(), frameFile);
    }

    void framesMenusHaveTheirCaptionsAndKeys() {
        QMenuBar *bar = m_frame->menuBar();
        QStringList fenster;
        for (QAction *action : bar->actions().at(2)->menu()->actions())
            if (!action->isSeparator())
                fenster << action->text() + QLatin1Char('|') + action->shortcut().toString();
        QCOMPARE(fenster,
                 (QStringList{"&Vorheriges Fenster|", "&Nächstes  Fenster|",
                              "Fenster-&Horizontal teilen|F4", "Fenster-Vertikal &teilen|F5",
                              "Fenster-&Kaskade|F6", "Alle &Symbole anordnen|"}));
        QStringList optionen;
        for (QAction *action : bar->actions().at(1)->menu()->actions())
            if (action->isVisible() && !action->isSeparator())
                optionen << action->text();
        QCOMPARE(optionen,
                 (QStringList{"Netzwerklaufwerk verbinden", "Netzwerklaufwerk trennen",
                              "&Dateiliste löschen", "Java-&Konsole", "&Einstellungen..."}));
    }

    void toolBarShowsEveryButtonWithPictureAndHint() {
        const QList<QPair<QString, QString>> buttons = {
            {"BnDateiOeffnen", "Datei Öffnen (^O)"},
            {"BnNeu", "Neue Datei (^N)"},
            {"BnSaveFile", "Datei speichern (^S)"},
            {"BnSaveAll", ""},
            {"BnDrucken", "Aktuelles Fenster drucken (^P)"},
            {"BnUndo", "Wiederherstellen (^Z)"},
            {"BnCut", "Auschneiden (^X)"},
            {"BnPaste", "Einfügen (^V)"},
            {"BnPrev", "Vorheriges Fenster"},
            {"BnNext", "Nächstes Fenster"},
            {"BnCompile", "Kompilieren (F8)"},
            {"BnRun", "Starten (F9)"},
            {"BnJavaHelp", "zeigt ein Toolfenster mit den Java-Methoden"},
            {"BnJavaKonsole", "Java-Konsole: Java-Zeilen ausprobieren (Strg+J)"}};
        for (const auto &[name, hint] : buttons) {
            QToolButton *button = m_frame->ToolButton(name);
            QVERIFY2(button, qPrintable(name));
            QVERIFY2(!button->icon().pixmap(22, 22).isNull(), qPrintable(name));
            QCOMPARE(button->toolTip(), hint);
        }
        QCOMPARE(m_frame->PanelButton()->height(), 33);
        QVERIFY(m_frame->cbMitUmleitung()->isChecked());
        QCOMPARE(m_frame->cbMitUmleitung()->text(), QStringLiteral("Mit Umleitung"));
        QCOMPARE(m_frame->Splitter1()->handleWidth(), 3);
        QVERIFY(m_frame->MainMemo()->isHidden());
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Java-Umgebung"));
    }

    void stopCommandIsOffWhileNothingRuns() {
        QVERIFY(!m_frame->ToolButton("BnStop")->isEnabled());
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        QAction *stop = m_frame->EditorWindows().first()->MenuItem("MnProgrammBeenden");
        QVERIFY(!stop->isEnabled());
        QCOMPARE(stop->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    }

    void toolButtonsWithoutAWindowDoNothing() {
        for (const char *name : {"BnSaveFile", "BnSaveAll", "BnDrucken", "BnUndo", "BnCut",
                                 "BnPaste", "BnCompile", "BnRun", "BnPrev", "BnNext", "BnJavaHelp"})
            m_frame->ToolButton(QString::fromLatin1(name))->click();
        QVERIFY(m_ui->boxes.isEmpty());
        QVERIFY(m_ui->saveRequests.isEmpty());
    }

    void saveButtonSavesTheActiveWindow() {
        const QString a = m_env->writeFile("A.java", "a\n");
        const QString b = m_env->writeFile("B.java", "b\n");
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(b);
        TFMDIQuill *windowA = m_frame->EditorWindows().at(0);
        TFMDIQuill *windowB = m_frame->EditorWindows().at(1);
        windowA->ActiveMemo()->insertPlainText("x");
        windowB->ActiveMemo()->insertPlainText("x");
        m_frame->MdiArea()->setActiveSubWindow(windowA);
        m_frame->ToolButton("BnSaveFile")->click();
        QVERIFY(!windowA->Modified());
        QVERIFY(windowB->Modified());
        m_frame->ToolButton("BnSaveAll")->click();
        QVERIFY(!windowB->Modified());
    }

    void ctrlAltShiftCDoesNothing() {
        const QString a = m_env->writeFile("A.java", "class A {}\n");
        m_frame->OpenFileByName(a);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        const QString before = window->ActiveMemo()->toPlainText();
        QTest::keyClick(window->ActiveMemo(), Qt::Key_C,
                        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(window->ActiveMemo()->toPlainText(), before);
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        QVERIFY(m_ui->boxes.isEmpty());
    }

    void missingDesktopProgramsAreReported_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::newRow("calculator") << "MnTaschenrechnerClick"
                                    << "Fehler beim Aufruf des Taschenrechners";
        QTest::newRow("editor") << "MnNotepadClick"
                                << "Fehler beim Aufruf des Notepads";
    }

    void missingDesktopProgramsAreReported() {
        QFETCH(QString, command);
        QFETCH(QString, text);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_env->path("empty")));
        if (command == QLatin1String("MnTaschenrechnerClick"))
            m_frame->MnTaschenrechnerClick();
        else
            m_frame->MnNotepadClick();
        qputenv("PATH", path);
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.last().caption, QStringLiteral("Fehler"));
        QCOMPARE(m_ui->boxes.last().text, text);
        QCOMPARE(m_ui->boxes.last().icon, MsgIcon::Error);
    }

    void commandShellStartsInATerminal() {
        const QString log = m_env->path("terminal.log");
        const QString script = m_env->writeFile("bin/fake-terminal", "#!/bin/sh\necho \"$@\" > '" +
                                                                         log.toUtf8() + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QUILL_TERMINAL_CMD", QFile::encodeName(script));
        Settings::COMSPECINDI = false;
        Settings::COMSPEC = QStringLiteral("/bin/sh");
        m_frame->MnDOSEbeneClick();
        qunsetenv("QUILL_TERMINAL_CMD");
        QVERIFY(m_ui->boxes.isEmpty());
        QTRY_VERIFY(QFileInfo(log).size() > 0);
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), QByteArray("-e /bin/sh"));
    }

    void commandShellWithoutAShellIsReported() {
        Settings::COMSPECINDI = false;
        Settings::COMSPEC.clear();
        m_frame->MnDOSEbeneClick();
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Fehler"));
        QCOMPARE(m_ui->boxes.first().text, QStringLiteral("Fehler: 2"));
        QCOMPARE(m_ui->boxes.first().icon, MsgIcon::Warning);
    }

    void networkDriveItemsExplainThemselves() {
        m_frame->MnNetzwerklaufwerkVerbindenClick();
        m_frame->MnNetzwerklaufwerkTrennenClick();
        QCOMPARE(m_ui->boxes.size(), 2);
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Hinweis"));
    }

    void confirmedSettingsReachEveryWindow() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        bool shown = false;
        m_commands.settings = [&] {
            shown = true;
            Settings::ErrorSchriftGroesse = 17;
            Settings::EditorSchriftGroesse = 15;
            Settings::EditorSchriftBold = true;
        };
        m_frame->MnEinstellungenClick(); // not confirmed: nothing applied
        QVERIFY(shown);
        QVERIFY(m_frame->Memo1()->font().pointSize() != 17);

        m_commands.settings = [] {
            Settings::ErrorSchriftGroesse = 17;
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QCOMPARE(m_frame->Memo1()->font().pointSize(), 17);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QCOMPARE(window->MemoSW()->font().pointSize(), 15);
        QVERIFY(window->ActiveMemo()->font().bold());

        // A compile key chosen in the dialog works in the open window at once.
        m_commands.settings = [] {
            Settings::TastencodeCompiler = QStringLiteral("F5");
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        Settings::TastencodeCompiler = QStringLiteral("F8");
        QCOMPARE(window->MenuItem("MnCompiler")->shortcut(), QKeySequence(Qt::Key_F5));
        // F5 no longer arranges the windows while an editor window has the key.
        int compiles = 0;
        QObject::connect(window->MenuItem("MnCompiler"), &QAction::triggered, window,
                         [&compiles] { ++compiles; });
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->MdiArea()->setActiveSubWindow(window);
        window->ActiveMemo()->setFocus();
        QTest::keyClick(window->ActiveMemo(), Qt::Key_F5);
        QCOMPARE(compiles, 1);
    }

    // Narrow and wide letters take the same width. QFontInfo::fixedPitch is not asked: it
    // says false for some monospaced fonts that fontconfig describes incompletely.
    static bool monospaced(const QFont &font) {
        const QFontMetricsF metrics(font);
        return metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W');
    }

    // A new user gets the desktop's fixed-pitch font at 10 points; a stored font the system
    // lacks becomes that font at its stored size; a font the system has is kept.
    void fontsFallBackToTheFixedFont() {
        const QString fixed =
            QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
        QCOMPARE(Settings::EditorSchriftName, fixed);
        QCOMPARE(Settings::ErrorSchriftName, fixed);
        QCOMPARE(Settings::ErrorSchriftGroesse, qint16(10));
        QVERIFY(monospaced(m_frame->Memo1()->font()));
        QCOMPARE(m_frame->Memo1()->font().pointSize(), 10);

        const QString schrift = Settings::RootKey + QStringLiteral("\\Schrift");
        const QString kept = QFontDatabase::families().constFirst();
        WriteRegString(schrift, QStringLiteral("EditorSchriftName"),
                       QStringLiteral("Gibt es nicht"));
        WriteRegInteger(schrift, QStringLiteral("EditorSchriftGroesse"), 13);
        WriteRegString(schrift, QStringLiteral("ErrorSchriftName"), kept);
        WriteRegInteger(schrift, QStringLiteral("ErrorSchriftGroesse"), 11);
        TFMain frame;
        QCOMPARE(Settings::EditorSchriftName, fixed);
        QCOMPARE(Settings::EditorSchriftGroesse, qint16(13));
        QCOMPARE(Settings::ErrorSchriftName, kept);
        QCOMPARE(frame.Memo1()->font().family(), kept);
        TFMDIQuill *window = frame.CreateEditorWindow(QString(), TNewFile());
        QVERIFY(window);
        for (QWidget *memo : {static_cast<QWidget *>(window->MemoColor()),
                              static_cast<QWidget *>(window->MemoSW())}) {
            QCOMPARE(memo->font().family(), fixed);
            QCOMPARE(memo->font().pointSize(), 13);
            QVERIFY(monospaced(memo->font()));
        }
    }

    // The colour chosen with "Farbe ..." in the real settings dialog reaches the panel and
    // every open window.
    void fontColourFromTheDialogReachesEveryWindow() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        m_ui->colorAnswers << 0x0000FFu << 0x008000u;
        m_commands.settings = [this] {
            QTimer::singleShot(0, [] {
                for (QWidget *widget : QApplication::topLevelWidgets()) {
                    if (auto *dialog = qobject_cast<QDialog *>(widget);
                        dialog && dialog->isVisible() &&
                        dialog->objectName() == QLatin1String("FEinst")) {
                        dialog->findChild<QAbstractButton *>("BnSchriftFarbe")->click();
                        dialog->findChild<QAbstractButton *>("RDruckerSchrift")->click();
                        dialog->findChild<QAbstractButton *>("BnSchriftFarbe")->click();
                        dialog->findChild<QAbstractButton *>("BnOkay")->click();
                        return;
                    }
                }
                QFAIL("no settings dialog shown");
            });
            ShowEinstDialog(m_frame.get(), m_frame->KeysInUse());
        };
        m_frame->MnEinstellungenClick();
        QCOMPARE(Settings::EditorSchriftFarbe, 0x0000FFu);
        QCOMPARE(Settings::ErrorSchriftFarbe, 0x008000u);
        QCOMPARE(m_frame->Memo1()->palette().color(QPalette::Text), QColor(0, 128, 0));
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QCOMPARE(window->MemoColor()->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(window->MemoSW()->palette().color(QPalette::Text), QColor(255, 0, 0));
    }

    // The shortcut dialog learns every key that the frame's and the editor window's commands
    // have, also before any window is open.
    void keysInUseComeFromTheMenus() {
        QVERIFY(m_frame->EditorWindows().isEmpty());
        const QList<KeyInUse> keys = m_frame->KeysInUse();
        const auto captionOf = [&keys](const QString &key) {
            for (const KeyInUse &use : keys)
                if (use.key == key)
                    return use.caption;
            return QString();
        };
        QCOMPARE(captionOf("Strg+S"), QStringLiteral("&Speichern..."));
        QCOMPARE(captionOf("F3"), QStringLiteral("&Weitersuchen"));
        QCOMPARE(captionOf("Strg+F4"), QStringLiteral("Fenster schließen"));
        QCOMPARE(captionOf("F1"), QStringLiteral("&Hilfe"));
        QCOMPARE(captionOf("F5"), QStringLiteral("Fenster-Vertikal &teilen"));
        QVERIFY(captionOf("F8").isEmpty() && captionOf("F9").isEmpty());
        int lettersTaken = 0;
        for (const QString &offered : ShortkeyModel::letterEntries())
            lettersTaken += captionOf(offered).isEmpty() ? 0 : 1;
        QCOMPARE(lettersTaken, 20);
        QCOMPARE(captionOf("Strg+B"), QStringLiteral("&Haltepunkt ein/aus"));
        QCOMPARE(captionOf("Umsch+F9"), QStringLiteral("Debuggen &starten"));
        QCOMPARE(captionOf("Strg+J"), QStringLiteral("Java-&Konsole"));
        QCOMPARE(captionOf("Strg+M"), QStringLiteral("Zur passenden &Klammer"));
        QCOMPARE(captionOf("Strg+#"), QStringLiteral("Zeilen aus-/ein&kommentieren"));
    }

    // A key the user gave to running wins over the editor command that had it, whose item
    // then shows no key; the key goes back once running has another.
    void aTakenKeyRunsAndTheItemShowsNoKey() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a"));
        TFMDIQuill *window = m_frame->EditorWindows().first();
        m_commands.settings = [] {
            Settings::TastencodeRun = QStringLiteral("Strg+S");
            Settings::TastencodeCompiler = QStringLiteral("Strg+F4");
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QVERIFY(window->MenuItem("MnSpeichern")->shortcut().isEmpty());
        QCOMPARE(window->MenuItem("MnRun")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        int runs = 0;
        int saves = 0;
        int compiles = 0;
        QObject::connect(window->MenuItem("MnRun"), &QAction::triggered, window,
                         [&runs] { ++runs; });
        QObject::connect(window->MenuItem("MnSpeichern"), &QAction::triggered, window,
                         [&saves] { ++saves; });
        QObject::connect(window->MenuItem("MnCompiler"), &QAction::triggered, window,
                         [&compiles] { ++compiles; });
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->MdiArea()->setActiveSubWindow(window);
        window->ActiveMemo()->setFocus();
        QTest::keyClick(window->ActiveMemo(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(runs, 1);
        QCOMPARE(saves, 0);
        // Ctrl+F4 compiles instead of closing the window.
        QTest::keyClick(window->ActiveMemo(), Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(compiles, 1);
        QCOMPARE(m_frame->EditorWindows().size(), 1);

        m_commands.settings = [] {
            Settings::TastencodeRun = QStringLiteral("F9");
            Settings::TastencodeCompiler = QStringLiteral("F4");
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QCOMPARE(window->MenuItem("MnSpeichern")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        // The frame's own item with F4 gives its key up as well.
        QAction *tile = nullptr;
        for (QAction *menu : m_frame->menuBar()->actions())
            if (menu->menu())
                for (QAction *action : menu->menu()->actions())
                    if (action->text() == QLatin1String("Fenster-&Horizontal teilen"))
                        tile = action;
        QVERIFY(tile);
        QVERIFY(tile->shortcut().isEmpty());
        Settings::TastencodeCompiler = QStringLiteral("F8");
    }

    void openWindowsFollowAConfirmedUndoMode() {
        Settings::UndoMitKeyUp = true;
        Settings::UndoTimerIntervall = 10;
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a\n"));
        TFMDIQuill *window = m_frame->EditorWindows().first();
        QVERIFY(!window->TimerUndo()->isActive());

        // A cancelled dialog leaves the window as it is.
        m_commands.settings = [] { Settings::UndoMitKeyUp = false; };
        m_frame->MnEinstellungenClick();
        QVERIFY(!window->TimerUndo()->isActive());

        // Confirmed timer mode: the window's timer runs at once and takes the snapshots.
        m_commands.settings = [] {
            Settings::UndoMitKeyUp = false;
            Settings::UndoTimerIntervall = 3;
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QVERIFY(window->TimerUndo()->isActive());
        QCOMPARE(window->TimerUndo()->interval(), 3000);
        window->ActiveMemo()->insertPlainText(QStringLiteral("b"));
        QCOMPARE(window->UndoStore().UndoTop(), 0);
        QMetaObject::invokeMethod(window->TimerUndo(), "timeout");
        QCOMPARE(window->UndoStore().UndoTop(), 1);

        // Back to key mode: the timer stops.
        m_commands.settings = [] {
            Settings::UndoMitKeyUp = true;
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QVERIFY(!window->TimerUndo()->isActive());
    }

    void printerSetUpHoldsInEveryWindow() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "a\n"));
        m_frame->OpenFileByName(m_env->writeFile("B.java", "b\n"));
        TFMDIQuill *a = m_frame->EditorWindows().at(0);
        TFMDIQuill *b = m_frame->EditorWindows().at(1);
        m_ui->pageSetupAnswers.enqueue([](QPrinter &printer) {
            printer.setPageOrientation(QPageLayout::Landscape);
            return true;
        });
        a->MenuItem("MnDruckerSetup")->trigger();
        QCOMPARE(m_ui->pageSetupRequests, 1);
        // The other window, and one opened later, print on the printer set up so.
        m_frame->OpenFileByName(m_env->writeFile("C.java", "c\n"));
        TFMDIQuill *c = m_frame->EditorWindows().at(2);
        QList<QPageLayout::Orientation> seen;
        for (int i = 0; i < 2; ++i)
            m_ui->printAnswers.enqueue([&seen](QPrinter &printer) {
                seen << printer.pageLayout().orientation();
                return false;
            });
        b->MenuItem("MnDrucken")->trigger();
        c->MenuItem("MnDrucken")->trigger();
        QCOMPARE(seen, QList<QPageLayout::Orientation>(2, QPageLayout::Landscape));
    }

    void javaHelpButtonOpensTheReference() {
        int opened = 0;
        m_commands.javaHelp = [&] { ++opened; };
        m_frame->ToolButton("BnJavaHelp")->click();
        m_frame->ToolButton("BnJavaHelp")->click();
        QCOMPARE(opened, 2);
    }

    // Ctrl+J and the tool button open one console window, which closing only hides.
    void javaKonsoleOpensOneWindow() {
        Settings::Compiler.clear();
        Settings::Run.clear();
        QAction *item = m_frame->findChild<QAction *>(QStringLiteral("MnJavaKonsole"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Java-&Konsole"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
        QVERIFY(!m_frame->Konsole());
        item->trigger();
        TFKonsole *konsole = m_frame->Konsole();
        QVERIFY(konsole);
        QVERIFY(konsole->isVisible());
        QCOMPARE(konsole->windowTitle(), QStringLiteral("Java-Konsole"));
        // Without a JDK it says what is missing instead of starting.
        QVERIFY(konsole->Session().Transcript().Text().contains(QStringLiteral("braucht ein JDK")));
        konsole->close();
        m_frame->ToolButton("BnJavaKonsole")->click();
        QCOMPARE(m_frame->Konsole(), konsole);
        QVERIFY(konsole->isVisible());
        QVERIFY(m_ui->boxes.isEmpty());
    }

    void startLooksForJavaToolsWhenTheyAreMissing() {
        int searched = 0;
        TFMain frame; // loads the settings
        Settings::Compiler = m_env->path("nowhere/javac");
        Settings::Run = m_env->writeFile("java", "");
        frame.SetCommands(&m_commands);
        m_commands.findTools = [&] { ++searched; };
        frame.Timer1Timer();
        QCOMPARE(Settings::Compiler, QString());
        QCOMPARE(Settings::Run, m_env->path("java"));
        QCOMPARE(searched, 1);
    }

    void aboutBoxShowsVersionAndAddresses() {
        TFAbout about(m_frame.get());
        QVERIFY(about.isModal());
        const QList<QLabel *> labels = about.findChildren<QLabel *>();
        QStringList texts;
        for (QLabel *label : labels)
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("Version 2.3.0, 27. Mai 2011, Build 106")));
        QVERIFY(about.LWeb()->text().contains(TFAbout::WebAddress()));
        QVERIFY(about.LMail()->text().contains(TFAbout::MailAddress()));

        QTimer::singleShot(0, &about, &QDialog::accept);
        QCOMPARE(about.exec(), int(QDialog::Accepted));
    }

    void aboutBoxHandsItsAddressesToTheDesktop() {
        auto desktop = std::make_unique<RecordingDesktop>();
        TFAbout about;
        emit about.LWeb()->linkActivated(TFAbout::WebAddress());
        emit about.LMail()->linkActivated(QStringLiteral("mailto:") + TFAbout::MailAddress());
        QCOMPARE(desktop->opened,
                 (QList<QUrl>{QUrl(TFAbout::WebAddress()),
                              QUrl(QStringLiteral("mailto:") + TFAbout::MailAddress())}));
        QVERIFY(m_ui->boxes.isEmpty());

        // Without a desktop that takes it, the user is told.
        desktop.reset();
        about.OpenAddress(TFAbout::WebAddress());
        QCOMPARE(m_ui->boxes.size(), 1);
        QVERIFY(m_ui->boxes.first().text.contains(TFAbout::WebAddress()));
    }

private:
    QString ReadIni() const {
        QFile file(Settings::IniFileName);
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        for (const QByteArray &line : file.readAll().split('\n'))
            if (line.startsWith("EditorPfad="))
                return QString::fromUtf8(line.trimmed());
        return QString();
    }

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    FakeFrameCommands m_commands;
    std::unique_ptr<TFMain> m_frame;
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
