#include "codegen/JavaSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// The wizard's element entries; the Java class is the entry up to its first blank.
const char *const kEntries[] = {"JPanel",
                                "JTextArea (Ascii)",
                                "JEditorPane (Ascii, HTML gut, RTF)",
                                "JTextPane  (Ascii, HTML, RTF)",
                                "JList",
                                "JTable",
                                "JTree",
                                "JTabbedPane"};

QString typeOf(int position) {
    return QString::fromLatin1(kEntries[position - 1]).section(u' ', 0, 0);
}

TNewFile base(const QString &className, int kind, bool gridBag = false) {
    TNewFile nf;
    nf.ClassName = className;
    nf.Kind = kind;
    nf.UseBorderLayout = !gridBag;
    nf.UseGridBagLayout = gridBag;
    return nf;
}

TNewFile dialog(int element, bool gridBag, int buttons) {
    TNewFile nf = base(QStringLiteral("Hallo"), 1, gridBag);
    nf.Element = element;
    nf.ElementType = typeOf(element);
    nf.ElementVar = nf.ElementType.toLower();
    nf.ButtonCount = buttons;
    return nf;
}

// second == 0: no split pane.
TNewFile sdi(int first, int second, bool gridBag, bool info) {
    TNewFile nf = base(QStringLiteral("Editor"), 2, gridBag);
    nf.Split = second != 0;
    nf.ProgInfo = info;
    nf.SdiElement1 = first;
    nf.SdiType1 = typeOf(first);
    nf.SdiVar1 = nf.SdiType1.toLower() + (nf.Split ? QStringLiteral("L") : QString());
    if (nf.Split) {
        nf.SdiElement2 = second;
        nf.SdiType2 = typeOf(second);
        nf.SdiVar2 = nf.SdiType2.toLower() + QStringLiteral("R");
    }
    return nf;
}

TNewFile mdi(const QString &inner, bool info) {
    TNewFile nf = base(QStringLiteral("Verwaltung"), 3);
    nf.InternalFrameName = inner;
    nf.ProgInfo = info;
    return nf;
}

// Every kind and option of the wizard, each with the base name of its reference file.
QList<std::pair<QString, TNewFile>> wizardInputs() {
    QList<std::pair<QString, TNewFile>> inputs;
    for (int element = 1; element <= 8; ++element) {
        for (bool gridBag : {false, true}) {
            for (int buttons : {0, 5}) {
                inputs.append(
                    {QStringLiteral("k1_%1_%2_%3")
                         .arg(typeOf(element).toLower(),
                              gridBag ? QStringLiteral("gridbag") : QStringLiteral("border"))
                         .arg(buttons),
                     dialog(element, gridBag, buttons)});
            }
        }
    }
    struct Sdi {
        int first, second;
        bool gridBag, info;
    };
    const Sdi sdis[] = {{7, 0, false, true},  {5, 0, true, false}, {1, 0, false, false},
                        {2, 1, false, false}, {7, 5, false, true}, {5, 7, true, false},
                        {7, 7, false, false}, {3, 8, true, true},  {6, 3, false, false}};
    for (const Sdi &s : sdis) {
        QString name = QStringLiteral("k2_") + typeOf(s.first).toLower();
        name += s.second ? QStringLiteral("_") + typeOf(s.second).toLower() : QString();
        name += s.gridBag ? QStringLiteral("_gridbag") : QStringLiteral("_border");
        name += s.info ? QStringLiteral("_info") : QString();
        inputs.append({name, sdi(s.first, s.second, s.gridBag, s.info)});
    }
    inputs.append({QStringLiteral("k3_info"), mdi(QStringLiteral("myInternalFrame"), true)});
    inputs.append({QStringLiteral("k3_noinfo"), mdi(QStringLiteral("Dokument"), false)});
    inputs.append({QStringLiteral("k4"), base(QStringLiteral("Beispiel"), 4)});
    inputs.append({QStringLiteral("k5"), base(QStringLiteral("Fibonacci"), 5)});
    inputs.append({QStringLiteral("k6"), base(QStringLiteral("Konsole"), 6)});
    inputs.append({QStringLiteral("k7"), base(QStringLiteral("Brenntal"), 7)});
    return inputs;
}

QString text(const QStringList &lines) {
    return lines.join(u'\n') + u'\n';
}

QByteArray runTool(const QString &program, const QStringList &arguments, bool *ok) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    *ok = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return process.readAll();
}

} // namespace

class TestJavaTemplates : public QObject {
    Q_OBJECT
private slots:
    void referenceFiles_data();
    void referenceFiles();
    void everyProgramCompiles();
    void noTemplateAndCaretRule();
    void elementNotices();
    void cascadeTileLinesAreCopied();
    void windowArrangement();
    void environmentReads();
};

void TestJavaTemplates::referenceFiles_data() {
    QTest::addColumn<TNewFile>("input");
    QTest::addColumn<QString>("reference");
    const QDir dir(QStringLiteral(QUILL_TEMPLATE_DATA));
    for (const auto &[name, input] : wizardInputs())
        QTest::newRow(qPrintable(name)) << input << dir.filePath(name + QStringLiteral(".java"));
}

// The generated text against the reviewed reference. On a mismatch the actual text is written
// beside it as .java.new and the differing lines are printed; with QUILL_REGENERATE_REFERENCES
// set the references are rewritten instead.
void TestJavaTemplates::referenceFiles() {
    QFETCH(TNewFile, input);
    QFETCH(QString, reference);
    const TJavaSource source = GenerateJavaSource(input);
    QVERIFY(source.Replace);
    QVERIFY(source.Notices.isEmpty());
    const QString actual = text(source.Lines);
    if (qEnvironmentVariableIsSet("QUILL_REGENERATE_REFERENCES")) {
        QFile out(reference);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(actual.toUtf8());
        return;
    }
    QFile file(reference);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(reference));
    const QString expected = QString::fromUtf8(file.readAll());
    if (actual != expected) {
        QFile out(reference + QStringLiteral(".new"));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(actual.toUtf8());
        const QStringList a = actual.split(u'\n');
        const QStringList e = expected.split(u'\n');
        for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
            if (a.value(i) != e.value(i))
                qWarning().noquote()
                    << "line" << i + 1 << "\n- " << e.value(i) << "\n+ " << a.value(i);
        }
    }
    QCOMPARE(actual, expected);
}

// All programs in one javac call, without a single warning of javac -Xlint:all. Their helper
// classes share names (CTreeNodeRec, JProgInfo), so each window program gets a package of its own;
// the console program of kind 7 stays in the unnamed package beside the shipped Environment class
// it extends.
void TestJavaTemplates::everyProgramCompiles() {
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    if (javac.isEmpty())
        QSKIP("javac not found");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList files{QStringLiteral(QUILL_ENVIRONMENT_SOURCE)};
    int number = 0;
    for (const auto &[name, input] : wizardInputs()) {
        QString source = text(GenerateJavaSource(input).Lines);
        // Portable forms only: no Windows shell, no drive letters.
        QVERIFY2(!source.contains(QStringLiteral("cmd /c")), qPrintable(name));
        QVERIFY2(!source.contains(QStringLiteral("C:\\\\")), qPrintable(name));
        QString folder = QStringLiteral("plain");
        if (input.Kind != 7) {
            folder = QStringLiteral("p%1").arg(++number);
            source.prepend(QStringLiteral("package %1; // %2\n").arg(folder, name));
        }
        QVERIFY(QDir(dir.path()).mkpath(folder));
        QFile file(dir.filePath(folder + u'/' + input.ClassName + QStringLiteral(".java")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(source.toUtf8());
        files << file.fileName();
    }
    bool ok = false;
    const QByteArray output = runTool(
        javac,
        QStringList{"-encoding", "UTF-8", "-Xlint:all", "-Werror", "-d", dir.filePath("classes")} +
            files,
        &ok);
    QVERIFY2(ok, output.constData());
    QVERIFY2(output.isEmpty(), output.constData()); // not even a note
}

void TestJavaTemplates::noTemplateAndCaretRule() {
    for (int kind : {0, -1, 8}) {
        const TJavaSource source = GenerateJavaSource(base(QStringLiteral("X"), kind));
        QVERIFY(!source.Replace);
        QVERIFY(source.Lines.isEmpty());
    }
    for (const auto &[name, input] : wizardInputs()) {
        const bool atStart = input.Kind == 4 || input.Kind == 6 || input.Kind == 7;
        QCOMPARE(GenerateJavaSource(input).CaretAtStart, atStart);
    }
}

// An element outside the list: the notice, and none of the element's lines.
void TestJavaTemplates::elementNotices() {
    TNewFile single = dialog(1, false, 0);
    single.Element = 9;
    TJavaSource source = GenerateJavaSource(single);
    QCOMPARE(source.Notices, QStringList{"Fehler in case JFrame Dialog create Element"});
    QVERIFY(!source.Lines.join(u'\n').contains(QStringLiteral("jpanel =")));
    QVERIFY(!source.Lines.join(u'\n').contains(QStringLiteral("JScrollPane(jpanel)")));

    TNewFile split = sdi(2, 5, false, false);
    split.SdiElement2 = 0;
    source = GenerateJavaSource(split);
    QCOMPARE(source.Notices, (QStringList{"Fehler in case SDI splitpane create right",
                                          "Fehler in case SDI splitpane right"}));
    QVERIFY(!source.Lines.join(u'\n').contains(QStringLiteral("JSplitPane split")));
    QVERIFY(
        source.Lines.contains(QStringLiteral("    jtextareaL = new JTextArea(\"abc\\ndef\");")));
    split.SdiElement1 = -3;
    source = GenerateJavaSource(split);
    QCOMPARE(source.Notices.size(), 4);
    QCOMPARE(source.Notices.first(), QStringLiteral("Fehler in case SDI splitpane create left"));
}

void TestJavaTemplates::cascadeTileLinesAreCopied() {
    const QStringList shipped = CascadeTileLines();
    QVERIFY(shipped.size() > 100);
    const TNewFile input = mdi(QStringLiteral("myInternalFrame"), false);
    const QStringList lines = GenerateJavaSource(input).Lines;
    const qsizetype at = lines.indexOf(shipped.first());
    QVERIFY(at > 0);
    QCOMPARE(lines.mid(at, shipped.size()), shipped);
    const QStringList own{QStringLiteral("  // eigene Zeile 1"), QStringLiteral("\t// zwei")};
    const QStringList replaced = GenerateJavaSource(input, own).Lines;
    QCOMPARE(replaced.size(), lines.size() - shipped.size() + own.size());
    QCOMPARE(replaced.mid(at, own.size()), own);
}

// The arrangement methods run on a desktop of 600 x 400 without a window system; the
// resulting bounds are compared with the arrangement worked out here.
void TestJavaTemplates::windowArrangement() {
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (javac.isEmpty() || java.isEmpty())
        QSKIP("JDK not found");
    QTemporaryDir dir;
    QStringList harness{"import javax.swing.*;", "public class Arrange {",
                        "  JDesktopPane _desktopPane = new JDesktopPane();"};
    harness << CascadeTileLines();
    harness << "  public static void main(String[] args) {"
            << "    for (String command : args) {"
            << "      Arrange a = new Arrange();"
            << "      a._desktopPane.setSize(600, 400);"
            << "      int n = Integer.parseInt(command.substring(1));"
            << "      JInternalFrame[] f = new JInternalFrame[n];"
            << "      for (int i = 0; i < n; i++) {"
            << "        f[i] = new JInternalFrame(\"\", true, true, true, true);"
            << "        a._desktopPane.add(f[i]);"
            << "        f[i].setVisible(true);"
            << "      }"
            << "      JInternalFrame[] order = a._desktopPane.getAllFrames();"
            << "      if (command.charAt(0) == 't') a.MnTile_click(); else a.MnCascade_click();"
            << "      StringBuilder s = new StringBuilder(command);"
            << "      for (JInternalFrame w : order) s.append(' ').append(w.getX()).append(',')"
            << "          .append(w.getY()).append(',').append(w.getWidth()).append(',')"
            << "          .append(w.getHeight());"
            << "      System.out.println(s);"
            << "    }"
            << "  }"
            << "}";
    QFile file(dir.filePath(QStringLiteral("Arrange.java")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text(harness).toUtf8());
    file.close();
    bool ok = false;
    QByteArray output =
        runTool(javac, {"-encoding", "UTF-8", "-d", dir.path(), file.fileName()}, &ok);
    QVERIFY2(ok, output.constData());

    const int width = 600, height = 400;
    QStringList expected;
    for (int n : {1, 2, 3, 5, 7, 10}) {
        QString line = QStringLiteral("t%1").arg(n);
        if (n == 1) {
            line += QStringLiteral(" 0,0,600,400");
        } else {
            const int columns = int(std::lround(std::sqrt(double(n))));
            const int full = n / columns, rest = n % columns, rows = full + (rest ? 1 : 0);
            const int rowHeight = height / rows;
            for (int k = 0; k < full * columns; ++k) // bottom row first
                line += QStringLiteral(" %1,%2,%3,%4")
                            .arg(k % columns * (width / columns))
                            .arg((rows - 1 - k / columns) * rowHeight)
                            .arg(width / columns)
                            .arg(rowHeight);
            for (int k = 0; k < rest; ++k)
                line += QStringLiteral(" %1,0,%2,%3")
                            .arg(k * (width / rest))
                            .arg(width / rest)
                            .arg(rowHeight);
        }
        expected << line;
    }
    for (int n : {2, 5, 8, 21}) {
        const int d = n <= 3 ? 80 : n > 6 ? 25 : 40;
        QString line = QStringLiteral("c%1").arg(n);
        for (int i = 0; i < n; ++i) {
            if (n > 20) // too many: fixed size 250 x 150, offset pos*50 modulo the free space
                line += QStringLiteral(" %1,%2,250,150")
                            .arg((i + 1) * 50 % (width - 250))
                            .arg((i + 1) * 50 % (height - 150));
            else
                line += QStringLiteral(" %1,%1,%2,%3")
                            .arg(i * d)
                            .arg(width - (n - 1) * d)
                            .arg(height - (n - 1) * d);
        }
        expected << line;
    }
    QStringList commands;
    for (const QString &line : expected)
        commands << line.section(u' ', 0, 0);
    output = runTool(
        java, QStringList{"-Djava.awt.headless=true", "-cp", dir.path(), "Arrange"} + commands,
        &ok);
    QVERIFY2(ok, output.constData());
    QCOMPARE(QString::fromUtf8(output).trimmed().split(u'\n'), expected);
}

// The shipped Environment: words, numbers (a wrong one is asked again), characters and lines,
// and defaults at the end of the input.
void TestJavaTemplates::environmentReads() {
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (javac.isEmpty() || java.isEmpty())
        QSKIP("JDK not found");
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Reads.java")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("public class Reads extends Environment {\n"
               "  public static void main(String[] args) {\n"
               "    System.out.println(\"[\" + stdin.readString() + \"]\");\n"
               "    System.out.println(stdin.readInt() + stdin.readInt());\n"
               "    System.out.println(stdin.readDouble());\n"
               "    System.out.println(\"[\" + stdin.readChar() + stdin.readChar() + \"]\");\n"
               "    System.out.println(\"[\" + stdin.readLine() + \"]\");\n"
               "    System.out.println(\"[\" + stdin.readLine() + \"]\");\n"
               "    System.out.println(stdin.readInt() + \" \" + stdin.eof() + \" [\" + "
               "stdin.readLine() + \"]\");\n"
               "  }\n"
               "}\n");
    file.close();
    bool ok = false;
    QByteArray output = runTool(javac,
                                {"-encoding", "UTF-8", "-d", dir.path(),
                                 QStringLiteral(QUILL_ENVIRONMENT_SOURCE), file.fileName()},
                                &ok);
    QVERIFY2(ok, output.constData());
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(java, {"-cp", dir.path(), "Reads"});
    run.write("  Wort 12\nzwölf 30\n2,5  \nab rest \nganze Zeile\n");
    run.closeWriteChannel();
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(run.readAll()).split(u'\n'),
             (QStringList{"[Wort]", "Bitte eine ganze Zahl eingeben: 42", "2.5", "[ab]", "[ rest ]",
                          "[ganze Zeile]", "0 true []", ""}));
}

QTEST_GUILESS_MAIN(TestJavaTemplates)
#include "tst_javatemplates.moc"
