#include "codegen/Snippets.h"

#include "FakeSnippetTarget.h"
#include "RecordingUi.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
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

// The first line that contains the text; 0 for the empty text.
int LineWith(const QStringList &lines, const QString &text) {
    if (text.isEmpty())
        return 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).contains(text))
            return i;
    }
    return -1;
}

// One text after the attribute snippet, for the compile test: the class (binary name
// within its package) that must hold the attribute, and the others that must not.
struct Applied {
    QString package; // empty: the unnamed package
    QString fileName;
    QStringList lines;
    QString expected;
    QStringList others;
};

const NewDataTypChoice Zaehler{u"zaehler"_s, u"int"_s};

// The top-level classes of a wizard program, with their lines. The programs have no nested
// named classes, so the class that holds a line is the last one declared above it.
QList<std::pair<int, QString>> TopLevelClasses(const QStringList &lines) {
    static const QRegularExpression head(u"^(?:public\\s+)?class\\s+(\\w+)"_s);
    QList<std::pair<int, QString>> classes;
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = head.match(lines.at(i));
        if (m.hasMatch())
            classes.append({i, m.captured(1)});
    }
    return classes;
}

QString ClassHolding(const QList<std::pair<int, QString>> &classes, int line) {
    QString name = classes.first().second;
    for (const auto &[at, className] : classes) {
        if (at <= line)
            name = className;
    }
    return name;
}

// Hand-written classes in data/snippets/classes: nested, inner, local and anonymous
// classes, braces in strings, characters, comments and text blocks. The first line names the
// class that must get the attribute and those that must not; "/*caret*/" marks the caret's
// line (else the caret is on the first line).
struct HandWritten {
    QString file;
    QStringList lines;
    QString expected;
    QStringList others;
};

QList<HandWritten> HandWrittenClasses() {
    static const QRegularExpression head(u"attribute in: (\\S+); not in: (.*)$"_s);
    QList<HandWritten> cases;
    const QDir dir(DataDir + u"/classes"_s);
    for (const QString &name : dir.entryList({u"*.java"_s}, QDir::Files, QDir::Name)) {
        HandWritten hand{name, ReadLines(u"classes/"_s + name), {}, {}};
        const QRegularExpressionMatch m = head.match(hand.lines.value(0));
        hand.expected = m.captured(1);
        if (m.captured(2) != u"-"_s)
            hand.others = m.captured(2).split(u", "_s);
        cases << hand;
    }
    return cases;
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
        QTest::addColumn<QString>("caretText"); // the caret's line holds it; empty: line 0
        QTest::addColumn<QString>("reference");
        // The wizard's own output, as its reference file holds it.
        QTest::newRow("fresh dialog frame")
            << "../templates/k1_jpanel_border_0.java" << QString() << "kind1-alter.java";
        QTest::newRow("fresh dialog frame, caret in main") << "../templates/k1_jpanel_border_0.java"
                                                           << "frame.setVisible"
                                                           << "kind1-alter.java";
        QTest::newRow("tree: caret at the top, the first class")
            << "tree.java" << QString() << "tree-alter.java";
        QTest::newRow("tree: caret in the node class") << "tree.java"
                                                       << "return _nodeString"
                                                       << "tree-node-alter.java";
        QTest::newRow("no private line") << "noprivate.java" << QString() << "noprivate-alter.java";
    }

    void attribute() {
        QFETCH(QString, input);
        QFETCH(QString, caretText);
        QFETCH(QString, reference);
        RecordingUi ui;
        const QStringList lines = ReadLines(input);
        const int caret = LineWith(lines, caretText);
        QVERIFY(caret >= 0);
        FakeSnippetTarget target(lines, caret);
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
        // No line between the braces: nothing can be inserted without splitting a line.
        QTest::newRow("one-line class")
            << QStringList{u"class A { }"_s} << QStringList{u"class A { }"_s} << true;
        QTest::newRow("class in a comment and a string only")
            << QStringList{u"// class A {"_s, u"String s = \"class B {\";"_s, u"}"_s}
            << QStringList{u"// class A {"_s, u"String s = \"class B {\";"_s, u"}"_s} << true;
        QTest::newRow("no fields, closing brace on its own line")
            << QStringList{u"class A {"_s, u"}"_s}
            << QStringList{u"class A {"_s, u"  private int alter;"_s} + block + QStringList{u"}"_s}
            << false;
    }

    void attributeEdgeCases() {
        QFETCH(QStringList, text);
        QFETCH(QStringList, expected);
        QFETCH(bool, notice);
        RecordingUi ui;
        FakeSnippetTarget target(text);
        InsertAttribSetGet(target, Alter, false);
        QCOMPARE(target.lines, expected);
        QCOMPARE(ui.boxes.size(), notice ? 1 : 0);
        if (notice) {
            QCOMPARE(ui.boxes.first().caption, u"Hinweis"_s);
            const QString text = ui.boxes.first().text;
            QVERIFY2(text == ClassNotice || text.contains(u"Klammer } der Klasse in eine eigene "
                                                          u"Zeile"_s),
                     qPrintable(text));
        }
    }

    // The attribute snippet on every program of the wizard, with the caret at the top, in
    // main, in each further class and on the last line, and on the hand-written classes: all
    // results compile in one javac call without a warning, and javap shows the field, the
    // getter and the setter in the class that holds the caret and in no other.
    void attributeKeepsProgramsCompiling() {
        const QString javac = QStandardPaths::findExecutable(u"javac"_s);
        const QString javap = QStandardPaths::findExecutable(u"javap"_s);
        if (javac.isEmpty() || javap.isEmpty())
            QSKIP("JDK not found");
        QList<Applied> applied;
        const QDir templates(QString::fromUtf8(QUILL_TEMPLATE_DATA));
        const QStringList programs = templates.entryList({u"*.java"_s}, QDir::Files, QDir::Name);
        QCOMPARE(programs.size(), 47);
        for (const QString &program : programs) {
            QFile file(templates.filePath(program));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            if (lines.last().isEmpty())
                lines.removeLast();
            const QList<std::pair<int, QString>> classes = TopLevelClasses(lines);
            QVERIFY2(!classes.isEmpty(), qPrintable(program));
            QList<int> carets{0, LineWith(lines, u"void main("_s) + 1, int(lines.size()) - 1};
            for (qsizetype i = 1; i < classes.size(); ++i)
                carets << classes.at(i).first + 1;
            for (int caret : carets) {
                FakeSnippetTarget target(lines, caret);
                RecordingUi ui;
                InsertAttribSetGet(target, Zaehler, applied.size() % 2 == 0);
                QVERIFY2(ui.boxes.isEmpty(), qPrintable(program));
                Applied a;
                a.lines = target.lines;
                a.expected = ClassHolding(classes, caret);
                for (const auto &[at, name] : classes) {
                    if (name != a.expected)
                        a.others << name;
                }
                const QString main = classes.first().second;
                if (program == u"k7.java"_s) {
                    // Beside the Environment class in the unnamed package: a name of its own.
                    const QString own = main + QString::number(applied.size());
                    a.lines.replaceInStrings(QRegularExpression(u"\\b"_s + main + u"\\b"_s), own);
                    a.expected = own;
                    a.fileName = own + u".java"_s;
                } else {
                    a.package = u"p%1"_s.arg(applied.size());
                    a.fileName = main + u".java"_s;
                }
                applied << a;
            }
        }
        const QList<HandWritten> handWritten = HandWrittenClasses();
        QCOMPARE(handWritten.size(), 8);
        for (const HandWritten &hand : handWritten) {
            QVERIFY2(!hand.expected.isEmpty(), qPrintable(hand.file));
            const int caret = std::max(0, LineWith(hand.lines, u"/*caret*/"_s));
            FakeSnippetTarget target(hand.lines, caret);
            RecordingUi ui;
            InsertAttribSetGet(target, Zaehler, applied.size() % 2 == 0);
            QVERIFY2(ui.boxes.isEmpty(), qPrintable(hand.file));
            applied << Applied{u"h%1"_s.arg(applied.size()), hand.file, target.lines, hand.expected,
                               hand.others};
        }

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList files{QString::fromUtf8(QUILL_ENVIRONMENT_SOURCE)};
        QStringList classNames;
        for (const Applied &a : applied) {
            const QString folder = a.package.isEmpty() ? u"plain"_s : a.package;
            QVERIFY(QDir(dir.path()).mkpath(folder));
            QFile file(dir.filePath(folder + u'/' + a.fileName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QString package =
                a.package.isEmpty() ? QString() : u"package %1; "_s.arg(a.package);
            // The package goes on the first line, so line numbers stay those of the snippet.
            file.write((package + a.lines.join(u'\n') + u'\n').toUtf8());
            files << file.fileName();
            const QString prefix = a.package.isEmpty() ? QString() : a.package + u'.';
            classNames << prefix + a.expected;
            for (const QString &other : a.others)
                classNames << prefix + other;
        }
        QProcess compile;
        compile.setProcessChannelMode(QProcess::MergedChannels);
        compile.start(javac, QStringList{u"-encoding"_s, u"UTF-8"_s, u"-Xlint:all"_s, u"-Werror"_s,
                                         u"-d"_s, dir.filePath(u"classes"_s)} +
                                 files);
        QVERIFY(compile.waitForFinished(300000));
        const QByteArray compileOutput = compile.readAll();
        QVERIFY2(compile.exitCode() == 0 && compileOutput.isEmpty(), compileOutput.constData());

        QProcess members;
        members.setProcessChannelMode(QProcess::MergedChannels);
        members.start(javap,
                      QStringList{u"-p"_s, u"-cp"_s, dir.filePath(u"classes"_s)} + classNames);
        QVERIFY(members.waitForFinished(300000));
        const QString listing = QString::fromUtf8(members.readAll());
        QCOMPARE(members.exitCode(), 0);
        // Each class's members, from its head line "... class p1.Name ... {" to "}".
        QHash<QString, QStringList> membersOf;
        QString current;
        static const QRegularExpression head(u"(?:^|\\s)(?:class|interface) ([^\\s<]+).*\\{$"_s);
        for (const QString &line : listing.split(u'\n')) {
            const QRegularExpressionMatch m = head.match(line);
            if (!line.startsWith(u' ') && m.hasMatch())
                current = m.captured(1);
            else if (line.startsWith(u"  "_s))
                membersOf[current] << line.trimmed();
        }
        const QStringList attribute{u"private int zaehler;"_s, u"public int getzaehler();"_s,
                                    u"public void setzaehler(int);"_s};
        for (const Applied &a : applied) {
            const QString prefix = a.package.isEmpty() ? QString() : a.package + u'.';
            const QStringList own = membersOf.value(prefix + a.expected);
            for (const QString &member : attribute)
                QVERIFY2(own.contains(member),
                         qPrintable(prefix + a.expected + u": "_s + own.join(u" | "_s)));
            for (const QString &other : a.others) {
                for (const QString &member : membersOf.value(prefix + other))
                    QVERIFY2(!member.contains(u"zaehler"_s), qPrintable(prefix + other));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSnippets)
#include "tst_snippets.moc"
