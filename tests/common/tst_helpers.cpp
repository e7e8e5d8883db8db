#include "RecordingUi.h"

#include "common/Helpers.h"
#include "RecordingDesktop.h"

#include <QtTest>

class TestHelpers : public QObject {
    Q_OBJECT

private slots:
    void tryStrToInt32_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value"); // 7 = left unchanged
        QTest::newRow("padded") << " 42 " << true << 42;
        QTest::newRow("controls around") << "\t\r\n42\x01" << true << 42;
        QTest::newRow("empty") << "" << false << 7;
        QTest::newRow("blanks only") << " \t " << false << 7;
        QTest::newRow("word") << "abc" << false << 0;
        QTest::newRow("trailing junk") << "12abc" << false << 0;
        QTest::newRow("inner blank") << "1 2" << false << 0;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("one too large") << "2147483648" << false << 0;
        QTest::newRow("smallest accepted") << "-2147483647" << true << -2147483647;
        QTest::newRow("lowest int fails") << "-2147483648" << false << 0;
        QTest::newRow("far too large") << "99999999999999999999" << false << 0;
        QTest::newRow("plus sign") << "+5" << true << 5;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("fraction") << "1.9" << true << 1;
        QTest::newRow("negative fraction") << "-1.9" << true << -1;
        QTest::newRow("exponent") << "1e3" << true << 1000;
        QTest::newRow("exponent too large") << "3e9" << false << 0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0;
        QTest::newRow("infinity") << "inf" << false << 0;
        QTest::newRow("nan") << "nan" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("non-breaking space kept") << QStringLiteral("\u00A012") << false << 0;
    }

    void tryStrToInt32() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int result = 7;
        QCOMPARE(TryStrToInt32(text, result), ok);
        QCOMPARE(result, value);
    }

    void trimBlanksAndControls() {
        QCOMPARE(TrimBlanksAndControls(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
        QCOMPARE(TrimBlanksAndControls(QStringLiteral("\x01\x1f")), QString());
        QCOMPARE(TrimBlanksAndControls(QStringLiteral("\u00A0x\u00A0")),
                 QStringLiteral("\u00A0x\u00A0"));
    }

    void upperCaseKeepsLength() {
        QCOMPARE(UpperCaseChars(QStringLiteral("straße.java")), QStringLiteral("STRAßE.JAVA"));
        QCOMPARE(UpperCaseChars(QStringLiteral("äöü")), QStringLiteral("ÄÖÜ"));
    }

    void messageBoxes() {
        RecordingUi ui;
        ShowWarningBox(QStringLiteral("Hinweis"), QStringLiteral("Achtung"));
        ShowErrorBox(QStringLiteral("Fehler"), QStringLiteral("Kaputt"));
        QCOMPARE(ui.boxes.size(), 2);
        QCOMPARE(ui.boxes[0].icon, MsgIcon::Warning);
        QCOMPARE(ui.boxes[0].caption, QStringLiteral("Hinweis"));
        QCOMPARE(ui.boxes[0].text, QStringLiteral("Achtung"));
        QCOMPARE(ui.boxes[0].buttons, QList<MsgButton>{MsgButton::Ok});
        QCOMPARE(ui.boxes[1].icon, MsgIcon::Error);
        QCOMPARE(ui.boxes[1].buttons, QList<MsgButton>{MsgButton::Ok});
    }

    void inputText() {
        RecordingUi ui;
        ui.inputAnswers.enqueue(QStringLiteral("17"));
        ui.inputAnswers.enqueue(std::nullopt);
        QCOMPARE(
            InputText(QStringLiteral("Zeile:"), QStringLiteral("Gehe zu"), QStringLiteral("1")),
            QStringLiteral("17"));
        QCOMPARE(
            InputText(QStringLiteral("Zeile:"), QStringLiteral("Gehe zu"), QStringLiteral("1")),
            QString());
        QCOMPARE(ui.inputPrompts, QStringList(2, QStringLiteral("Zeile:")));
    }

    void beepTimes() {
        {
            RecordingDesktop desktop;
            BeepTimes(3);
            QCOMPARE(desktop.beeps, 3);
            BeepTimes(0);
            BeepTimes(-2);
            QCOMPARE(desktop.beeps, 3);
        }
        BeepTimes(2); // no desktop: silent, no crash
    }

    void comSpec() {
#ifdef Q_OS_WIN
        const char *name = "COMSPEC";
#else
        const char *name = "SHELL";
#endif
        const QByteArray saved = qgetenv(name);
        qputenv(name, "/bin/zsh");
        QCOMPARE(GetComSpec(), QStringLiteral("/bin/zsh"));
        qunsetenv(name);
        QCOMPARE(GetComSpec(), QString());
        if (!saved.isNull())
            qputenv(name, saved);
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
