#include "codegen/Snippets.h"

#include "FakeSnippetTarget.h"
#include "RecordingUi.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

const QString DataDir = QStringLiteral(QUILL_SNIPPET_DATA);
const QString MoveNotice =
    QString::fromUtf8("Bitte verschieben Sie die Methoden außerhalb von setGUI");
const QString ClassNotice =
    QStringLiteral("Das Programm konnte den Anfang der Klasse nicht finden (class)");

QStringList ReadLines(const QString &name) {
    QFile file(DataDir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing %1>").arg(name)};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Compares with a reviewed reference file; on a mismatch writes the output beside it and
// prints the diff. QUILL_REGENERATE_REFERENCES=1 rewrites the reference instead.
bool MatchesReference(const QStringList &actual, const QString &name) {
    const QString path = DataDir + QLatin1Char('/') + name;
    const QByteArray bytes = (actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const bool regenerate = qEnvironmentVariableIsSet("QUILL_REGENERATE_REFERENCES");
    if (!regenerate && actual == ReadLines(name))
        return true;
    QFile out(regenerate ? path : path + QStringLiteral(".actual"));
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    out.close();
    if (regenerate)
        return true;
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), path, out.fileName()});
    diff.waitForFinished();
    qWarning().noquote() << diff.readAllStandardOutput();
    return false;
}

QStringList Numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line%1").arg(i);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(CaretSnippet)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestSnippets : public QObject {
    Q_OBJECT

private slots:
    void snippetTexts() {
        // Every fixed text, in one reviewed file.
        const std::pair<const char *, CaretSnippet> snippets[] = {
            {"Syso", CaretSnippet::Syso},
            {"setDefaultCloseOperation", CaretSnippet::SetDefaultCloseOperation},
            {"If Bedingung mit else", CaretSnippet::IfElse},
            {"While - Schleife", CaretSnippet::WhileLoop},
            {"Do While", CaretSnippet::DoWhileLoop},
            {"GridBagLayout", CaretSnippet::GridBagConstraint},
            {"ActionListener mit einem Schalter", CaretSnippet::ButtonListener},
            {"JFrame Listener", CaretSnippet::WindowListener},
            {"Mouse-Listener", CaretSnippet::MouseListener},
            {"Foucs-Listener", CaretSnippet::FocusListener}};
        QStringList all;
        for (const auto &[title, snippet] : snippets) {
            const QStringList lines = CaretSnippetLines(snippet);
            all << QStringLiteral("==== %1 (%2 lines)").arg(QLatin1String(title)).arg(lines.size())
                << lines;
        }
        all << QStringLiteral("==== Klasse Konto") << ClassSkeletonLines(QStringLiteral("Konto"));
        for (bool parameterValue : {true, false})
            all << QStringLiteral("==== Attribut alter int, ParameterValue %1").arg(parameterValue)
                << AttributeMethodLines({QStringLiteral("alter"), QStringLiteral("int")},
                                        parameterValue);
        QVERIFY(MatchesReference(all, QStringLiteral("snippet-texts.txt")));
        QCOMPARE(CaretSnippetLines(CaretSnippet::WindowListener).size(), 46);
        QCOMPARE(CaretSnippetLines(CaretSnippet::MouseListener).size(), 24);
        QCOMPARE(CaretSnippetLines(CaretSnippet::FocusListener).size(), 17);
    }

    void caretPlacement_data() {
        QTest::addColumn<CaretSnippet>("snippet");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("notice");
        QTest::newRow("if/else above caret line 5")
            << CaretSnippet::IfElse << 10 << 4 << 4 << QString();
        QTest::newRow("first line: below it") << CaretSnippet::Syso << 10 << 0 << 1 << QString();
        QTest::newRow("second line: above it")
            << CaretSnippet::DoWhileLoop << 3 << 1 << 1 << QString();
        QTest::newRow("last line") << CaretSnippet::WhileLoop << 3 << 2 << 2 << QString();
        QTest::newRow("after a final break")
            << CaretSnippet::GridBagConstraint << 3 << 3 << 3 << QString();
        QTest::newRow("one line: after it") << CaretSnippet::Syso << 1 << 0 << 1 << QString();
        QTest::newRow("empty text: the snippet is the text")
            << CaretSnippet::ButtonListener << 0 << 0 << 0 << QString();
        QTest::newRow("window listener")
            << CaretSnippet::WindowListener << 5 << 3 << 3 << MoveNotice;
        QTest::newRow("mouse listener") << CaretSnippet::MouseListener << 5 << 0 << 1 << MoveNotice;
        QTest::newRow("focus listener") << CaretSnippet::FocusListener << 0 << 0 << 0 << MoveNotice;
    }

    void caretPlacement() {
        QFETCH(CaretSnippet, snippet);
        QFETCH(int, lineCount);
        QFETCH(int, caret);
        QFETCH(int, index);
        QFETCH(QString, notice);
        RecordingUi ui;
        FakeSnippetTarget target(Numbered(lineCount), caret);
        InsertCaretSnippet(target, snippet);

        QStringList expected = Numbered(lineCount);
        const QStringList lines = CaretSnippetLines(snippet);
        for (int i = 0; i < lines.size(); ++i)
            expected.insert(index + i, lines.at(i));
        QCOMPARE(target.lines, expected);
        QCOMPARE(ui.texts(), notice.isEmpty() ? QStringList() : QStringList{notice});
        if (!notice.isEmpty())
            QCOMPARE(ui.boxes.first().caption, QStringLiteral("Hinweis"));
    }

    void classSkeleton_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("name"); // empty: nothing appended
        QTest::addColumn<bool>("appended");
        QTest::newRow("trimmed, at the end") << std::optional<QString>(QStringLiteral("  Konto "))
                                             << QStringLiteral("Konto") << true;
        QTest::newRow("cancelled") << std::optional<QString>() << QString() << false;
        QTest::newRow("empty answer") << std::optional<QString>(QString()) << QString() << false;
        QTest::newRow("blanks only give an empty name")
            << std::optional<QString>(QStringLiteral("   ")) << QString() << true;
    }

    void classSkeleton() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, name);
        QFETCH(bool, appended);
        RecordingUi ui;
        ui.inputAnswers.enqueue(answer);
        FakeSnippetTarget target(Numbered(3), 0);
        InsertClassSkeleton(target);

        QCOMPARE(ui.inputPrompts, QStringList{QStringLiteral("Klassenamen")});
        QCOMPARE(target.lines, appended ? Numbered(3) + ClassSkeletonLines(name) : Numbered(3));
        QCOMPARE(target.modified, appended);
    }

    void attribute_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("reference");
        QTest::newRow("fresh dialog frame") << "kind1.java"
                                            << "kind1-alter.java";
        QTest::newRow("tree: methods go into the last class") << "tree.java"
                                                              << "tree-alter.java";
        QTest::newRow("no private line") << "noprivate.java"
                                         << "noprivate-alter.java";
    }

    void attribute() {
        QFETCH(QString, input);
        QFETCH(QString, reference);
        RecordingUi ui;
        FakeSnippetTarget target(ReadLines(input));
        InsertAttribSetGet(target, {QStringLiteral("alter"), QStringLiteral("int")}, true);
        QVERIFY(MatchesReference(target.lines, reference));
        QVERIFY(ui.boxes.isEmpty());
    }

    void attributeWithoutClassOrBrace_data() {
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList noClass{QStringLiteral("int a;"), QStringLiteral("}")};
        QTest::newRow("no class line: nothing changes") << noClass << noClass;
        QTest::newRow("no brace: declaration only")
            << QStringList{QStringLiteral("class A {"), QStringLiteral("  private int b;"),
                           QStringLiteral("")}
            << QStringList{QStringLiteral("class A {"), QStringLiteral("  private int b;"),
                           QStringLiteral("  private int alter;"), QString(), QString()};
    }

    void attributeWithoutClassOrBrace() {
        QFETCH(QStringList, text);
        QFETCH(QStringList, expected);
        RecordingUi ui;
        FakeSnippetTarget target(text);
        InsertAttribSetGet(target, {QStringLiteral("alter"), QStringLiteral("int")}, false);
        QCOMPARE(target.lines, expected);
        QCOMPARE(ui.texts(), QStringList{ClassNotice});
        QCOMPARE(ui.boxes.first().caption, QStringLiteral("Hinweis"));
    }

    void attributeNearTheTop() {
        // A one-line class: the block cannot go above the first line, so it starts there.
        RecordingUi ui;
        FakeSnippetTarget target({QStringLiteral("class A { }")});
        InsertAttribSetGet(target, {QStringLiteral("x"), QStringLiteral("char")}, true);
        const QStringList block =
            QStringList{QString(), QString()} +
            AttributeMethodLines({QStringLiteral("x"), QStringLiteral("char")}, true);
        const QStringList rest{QStringLiteral("class A { }"), QStringLiteral("  private char x;"),
                               QString()};
        QCOMPARE(target.lines, block + rest);
    }
};

QTEST_GUILESS_MAIN(TestSnippets)
#include "tst_snippets.moc"
