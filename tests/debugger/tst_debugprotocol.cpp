// The debug helper's answers decoded apart from any process: each kind round-trips, and
// bytes that do not make an answer of their kind are refused rather than half read.
#include "debugger/DebugProtocol.h"
#include "javarun/WarmFrame.h"

#include <QtTest>

namespace {

// The answer's frame bytes decoded as the client decodes them.
std::optional<DebugAnswer> RoundTrip(const DebugAnswer &answer) {
    const QByteArray bytes = DebugAnswerBytes(answer);
    const AnswerFrame frame = DecodeAnswerFrame(bytes);
    if (frame.state != FrameState::Complete || frame.Bytes() != bytes.size())
        return std::nullopt;
    return DecodeDebugAnswer(frame.exitCode, QByteArrayView(bytes).sliced(AnswerHeadBytes));
}

QByteArray Body(const QStringList &texts) {
    QByteArray body;
    for (const QString &text : texts)
        AppendFrameText(body, text);
    return body;
}

} // namespace

class TestDebugProtocol : public QObject {
    Q_OBJECT

private slots:
    void eachKindRoundTrips() {
        DebugAnswer stopped;
        stopped.kind = DebugAnswerKind::Stopped;
        stopped.stop.exception = QStringLiteral("java.lang.ArithmeticException: / by zero");
        stopped.stop.frames = {{"teile", "Rechner", "Rechner.java", 3},
                               {"main", "Rechner", "Rechner.java", 7},
                               {"run", "java.lang.Thread", "", 0}};
        auto back = RoundTrip(stopped);
        QVERIFY(back);
        QCOMPARE(back->stop.exception, stopped.stop.exception);
        QCOMPARE(back->stop.frames, stopped.stop.frames);

        DebugAnswer variables;
        variables.kind = DebugAnswerKind::Variables;
        variables.frameIndex = 2;
        variables.variables = {{"i", "0", "int", 0},
                               {"text", "\"Grüße\\n\"", "String", 0},
                               {"this", "Konto (id=12)", "Konto", 12},
                               {"Konto.zaehler", "null", "Integer", 0}};
        back = RoundTrip(variables);
        QVERIFY(back);
        QCOMPARE(back->frameIndex, 2);
        QCOMPARE(back->variables, variables.variables);

        DebugAnswer children;
        children.kind = DebugAnswerKind::Children;
        children.objectId = 1LL << 40;
        children.variables = {{"[0]", "1", "int", 0}, {"…", "", "", 0}};
        back = RoundTrip(children);
        QVERIFY(back);
        QCOMPARE(back->objectId, children.objectId);
        QCOMPARE(back->variables, children.variables);

        DebugAnswer moved;
        moved.kind = DebugAnswerKind::Moved;
        moved.fileName = QStringLiteral("/home/lena/Bank.java");
        moved.fromLine = 4;
        moved.toLine = 6;
        back = RoundTrip(moved);
        QVERIFY(back);
        QCOMPARE(back->fileName, moved.fileName);
        QCOMPARE(back->fromLine, 4);
        QCOMPARE(back->toLine, 6);

        DebugAnswer listening;
        listening.kind = DebugAnswerKind::Listening;
        listening.port = 40123;
        back = RoundTrip(listening);
        QVERIFY(back);
        QCOMPARE(back->port, 40123);

        DebugAnswer failed;
        failed.kind = DebugAnswerKind::Failed;
        failed.message = QStringLiteral("Das Programm hat sich nicht mit dem Debugger verbunden.");
        back = RoundTrip(failed);
        QVERIFY(back);
        QCOMPARE(back->message, failed.message);

        DebugAnswer ended;
        ended.kind = DebugAnswerKind::Ended;
        back = RoundTrip(ended);
        QVERIFY(back);
        QCOMPARE(back->kind, DebugAnswerKind::Ended);
    }

    void badBodiesAreRefused_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("body");
        const auto stopped = int(DebugAnswerKind::Stopped);
        const auto variables = int(DebugAnswerKind::Variables);
        QTest::newRow("a stop without frames") << stopped << Body({""});
        QTest::newRow("a frame cut short") << stopped << Body({"", "main", "Main", "Main.java"});
        QTest::newRow("a line that is no number")
            << stopped << Body({"", "main", "Main", "Main.java", "x"});
        QTest::newRow("a negative line")
            << stopped << Body({"", "main", "Main", "Main.java", "-1"});
        QTest::newRow("a variable cut short") << variables << Body({"0", "i", "0", "int"});
        QTest::newRow("a negative id") << variables << Body({"0", "i", "0", "int", "-3"});
        QTest::newRow("no frame index") << variables << QByteArray();
        QTest::newRow("a count past the end")
            << variables << QByteArray::fromHex("00000005") + QByteArray("0");
        QTest::newRow("a count cut short")
            << variables << Body({"0"}) + QByteArray::fromHex("0000");
        QTest::newRow("a negative count") << variables << QByteArray::fromHex("ffffffff");
        QTest::newRow("port zero") << int(DebugAnswerKind::Listening) << Body({"0"});
        QTest::newRow("a port too large") << int(DebugAnswerKind::Listening) << Body({"65536"});
        QTest::newRow("an ended with texts") << int(DebugAnswerKind::Ended) << Body({"x"});
        QTest::newRow("a move to line 0")
            << int(DebugAnswerKind::Moved) << Body({"/a/B.java", "3", "0"});
        QTest::newRow("a failure without message") << int(DebugAnswerKind::Failed) << QByteArray();
        QTest::newRow("an unknown kind") << 99 << QByteArray();
    }

    void badBodiesAreRefused() {
        QFETCH(int, kind);
        QFETCH(QByteArray, body);
        QVERIFY(!DecodeDebugAnswer(kind, body));
    }

    void requestsAreCountedTexts() {
        const QByteArray bytes =
            DebugRequestBytes(DebugRequest::Breakpoints, {QStringLiteral("/ä/B.java"), "7"});
        QByteArray expected = QByteArray::fromHex("0000000200000002");
        AppendFrameText(expected, QStringLiteral("/ä/B.java"));
        AppendFrameText(expected, QStringLiteral("7"));
        QCOMPARE(bytes, expected);
        QCOMPARE(DebugRequestBytes(DebugRequest::Finish), QByteArray::fromHex("0000000900000000"));
    }
};

QTEST_GUILESS_MAIN(TestDebugProtocol)
#include "tst_debugprotocol.moc"
