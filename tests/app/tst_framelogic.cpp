#include "app/ExternalPrograms.h"
#include "app/OpenDialogRequest.h"
#include "app/VerticalTiling.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFrameLogic : public QObject {
    Q_OBJECT

private slots:
    void verticalTiling_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<bool>>("minimized");
        QTest::addColumn<QList<int>>("lefts");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("three windows") << 1000 << QList<bool>{false, false, false}
                                       << QList<int>{0, 332, 663} << QList<int>{332, 331, 331};
        QTest::newRow("one window")
            << 800 << QList<bool>{false} << QList<int>{0} << QList<int>{798};
        QTest::newRow("middle minimised") << 1000 << QList<bool>{false, true, false}
                                          << QList<int>{0, -1, 498} << QList<int>{498, -1, 498};
        // The first window alone takes the remainder; when it is minimised nobody does.
        QTest::newRow("first minimised") << 1001 << QList<bool>{true, false, false}
                                         << QList<int>{-1, 0, 498} << QList<int>{-1, 498, 498};
    }

    void verticalTiling() {
        QFETCH(int, width);
        QFETCH(QList<bool>, minimized);
        QFETCH(QList<int>, lefts);
        QFETCH(QList<int>, widths);
        VerticalTileInput input;
        input.clientWidth = width;
        input.clientHeight = 700;
        input.toolBarHeight = 33;
        input.panelErrorHeight = 116;
        input.splitterHeight = 3;
        input.minimized = minimized;
        const QList<QRect> rects = VerticalTileRects(input);
        QCOMPARE(rects.size(), minimized.size());
        for (qsizetype i = 0; i < rects.size(); ++i) {
            if (minimized.at(i)) {
                QVERIFY(rects.at(i).isNull());
                continue;
            }
            QCOMPARE(rects.at(i).left(), lefts.at(i));
            QCOMPARE(rects.at(i).width(), widths.at(i));
            QCOMPARE(rects.at(i).top(), 0);
            // 700 - (33 + 1) - 10 - 116 - 3
            QCOMPARE(rects.at(i).height(), 537);
        }
    }

    void verticalTilingWithoutToolBarUsesTheSmallMargin() {
        VerticalTileInput input;
        input.clientWidth = 600;
        input.clientHeight = 500;
        input.toolBarVisible = false;
        input.toolBarHeight = 33;
        input.panelErrorHeight = 100;
        input.splitterHeight = 3;
        input.minimized = {false};
        QCOMPARE(VerticalTileRects(input).first().height(), 500 - 6 - 100 - 3);
    }

    void verticalTilingWithAllMinimisedPlacesNothing() {
        VerticalTileInput input;
        input.clientWidth = 1000;
        input.clientHeight = 700;
        input.minimized = {true, true};
        for (const QRect &rect : VerticalTileRects(input))
            QVERIFY(rect.isNull());
    }

    void openDialogAfterAJavaFile() {
        const FileDialogRequest request = MakeOpenRequest(QStringLiteral(".java"), "/d/a/");
        QCOMPARE(request.title, QStringLiteral("Datei Öffnen"));
        QCOMPARE(request.directory, QStringLiteral("/d/a/"));
        QVERIFY(request.multiple);
        QCOMPARE(request.filters.size(), 3);
        QCOMPARE(request.filters.first(),
                 FileFilter(QStringLiteral("Alte Dateimaske *.java"), QStringLiteral("*.java")));
        QCOMPARE(request.selectedFilter, 0);
        QCOMPARE(request.fileName, QStringLiteral("*.java"));
    }

    void openDialogWithoutOldMask_data() {
        QTest::addColumn<QString>("ext");
        QTest::newRow("nothing opened yet") << QString();
        QTest::newRow("a .DAT file") << QStringLiteral(".DAT");
    }

    void openDialogWithoutOldMask() {
        QFETCH(QString, ext);
        const FileDialogRequest request = MakeOpenRequest(ext, "/d/");
        QCOMPARE(request.filters, BaseOpenFilter());
        QCOMPARE(request.fileName, QStringLiteral("*.Java"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("Java"));
    }

    void openDialogKeepsTheMaskForLowerCaseDat() {
        // Only the exact ".DAT" is left out.
        QCOMPARE(MakeOpenRequest(QStringLiteral(".dat"), "/d/").filters.size(), 3);
    }

    void findFirstProgramSearchesThePathInCandidateOrder() {
        QTemporaryDir one;
        QTemporaryDir two;
        auto makeProgram = [](const QString &path, bool executable) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n");
            file.close();
            file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner
                                           : QFile::ReadOwner | QFile::WriteOwner);
        };
        makeProgram(one.filePath("kcalc"), false); // not executable: skipped
        makeProgram(two.filePath("kcalc"), true);
        makeProgram(one.filePath("xcalc"), true);
        const QString path = one.path() + QDir::listSeparator() + two.path();
        QCOMPARE(FindFirstProgram({"gnome-calculator", "kcalc", "xcalc"}, path),
                 two.filePath("kcalc"));
        QCOMPARE(FindFirstProgram({"gnome-calculator"}, path), QString());
        QCOMPARE(FindFirstProgram(CalculatorCandidates(), QString()), QString());
    }

    void shellRunsInTheTerminal() {
        QCOMPARE(ShellInTerminalArguments("/usr/bin/xterm", {}, "/bin/bash"),
                 (QStringList{"-e", "/bin/bash"}));
        QCOMPARE(ShellInTerminalArguments("gnome-terminal", {"--maximize"}, "/bin/zsh"),
                 (QStringList{"--maximize", "--", "/bin/zsh"}));
    }
};

QTEST_GUILESS_MAIN(TestFrameLogic)
#include "tst_framelogic.moc"
