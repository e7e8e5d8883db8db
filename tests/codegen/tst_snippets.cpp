#include "codegen/Snippets.h"

#include "FakeSnippetTarget.h"
#include "RecordingUi.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString DataDir = QString::fromUtf8(QUILL_SNIPPET_DATA);
const QString MoveNotice = u"Bitte verschieben Sie die Methoden außerhalb von setGUI"_s;
const QString ClassNotice = u"Das Programm konnte den Anfang der Klasse nicht finden (class)"_s;
const NewDataTypChoice Alter{u"alter"_s, u"int"_s};

QStringList ReadLines(const QString &name) {
    QFile file(DataDir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {u"<missing %1>"_s.arg(name)};
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
    QFile out(regenerate ? path : path + u".actual"_s);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    out.close();
    if (regenerate)
        return true;
    QProcess diff;
    diff.start(u"diff"_s, {u"-u"_s, path, out.fileName()});
    diff.waitForFinished();
    qWarning().noquote() << diff.readAllStandardOutput();
    return false;
}

QStringList Numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"line%1"_s.arg(i);
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
            all << u"==== %1 (%2 lines)"_s.arg(QLatin1String(title)).arg(lines.size()) << lines;
        }
        all << u"==== Klasse Konto"_s << ClassSkeletonLines(u"Konto"_s);
        for (bool parameterValue : {true, false})
            all << u"==== Attribut alter int, ParameterValue %1"_s.arg(parameterValue)
                << AttributeMethodLines(Alter, parameterValue);
        QVERIFY(MatchesReference(all, u"snippet-texts.txt"_s));
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
        QTest::newRow("last line") << CaretSnippet::MouseListener << 3 << 2 << 2 << MoveNotice;
        QTest::newRow("after a final break")
            << CaretSnippet::GridBagConstraint << 3 << 3 << 3 << QString();
        QTest::newRow("one line: after it") << CaretSnippet::Syso << 1 << 0 << 1 << QString();
        QTest::newRow("empty text: the snippet is the text")
            << CaretSnippet::ButtonListener << 0 << 0 << 0 << QString();
        QTest::newRow("window listener")
            << CaretSnippet::WindowListener << 5 << 3 << 3 << MoveNotice;
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
            QCOMPARE(ui.boxes.first().caption, u"Hinweis"_s);
    }

    void classSkeleton_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("name"); // empty: nothing appended
        QTest::addColumn<bool>("appended");
        QTest::newRow("trimmed, at the end")
            << std::optional<QString>(u"  Konto "_s) << u"Konto"_s << true;
        QTest::newRow("cancelled") << std::optional<QString>() << QString() << false;
        QTest::newRow("empty answer") << std::optional<QString>(QString()) << QString() << false;
        QTest::newRow("blanks only give an empty name")
            << std::optional<QString>(u"   "_s) << QString() << true;
    }

    void classSkeleton() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, name);
        QFETCH(bool, appended);
        RecordingUi ui;
        ui.inputAnswers.enqueue(answer);
        FakeSnippetTarget target(Numbered(3), 0);
        InsertClassSkeleton(target);

        QCOMPARE(ui.inputPrompts, QStringList{u"Klassenamen"_s});
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
        InsertAttribSetGet(target, Alter, true);
        QVERIFY(MatchesReference(target.lines, reference));
        QVERIFY(ui.boxes.isEmpty());
    }

    void attributeEdgeCases_data() {
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("notice");
        const QStringList noClass{u"int a;"_s, u"}"_s};
        const QStringList block = QStringList{{}, {}} + AttributeMethodLines(Alter, false);
        QTest::newRow("no class line: nothing changes") << noClass << noClass << true;
        QTest::newRow("no brace: declaration only")
            << QStringList{u"class A {"_s, u"  private int b;"_s, QString()}
            << QStringList{u"class A {"_s, u"  private int b;"_s, u"  private int alter;"_s, {}, {}}
            << true;
        // The block cannot go above the first line, so it starts there.
        QTest::newRow("one-line class")
            << QStringList{u"class A { }"_s}
            << block + QStringList{u"class A { }"_s, u"  private int alter;"_s, {}} << false;
    }

    void attributeEdgeCases() {
        QFETCH(QStringList, text);
        QFETCH(QStringList, expected);
        QFETCH(bool, notice);
        RecordingUi ui;
        FakeSnippetTarget target(text);
        InsertAttribSetGet(target, Alter, false);
        QCOMPARE(target.lines, expected);
        QCOMPARE(ui.texts(), notice ? QStringList{ClassNotice} : QStringList());
        if (notice)
            QCOMPARE(ui.boxes.first().caption, u"Hinweis"_s);
    }
};

QTEST_GUILESS_MAIN(TestSnippets)
#include "tst_snippets.moc"
