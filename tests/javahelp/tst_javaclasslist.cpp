#include "javahelp/JavaClassList.h"

#include "TestEnv.h"

#include <QFile>
#include <QTest>

#include <algorithm>

namespace {

// Every entry as "short|full|member;member", then "names:" and the short names in order.
QString dump(const JavaClassList &list) {
    QStringList parts;
    for (const JavaClassEntry &e : list.entries())
        parts << e.shortName + u'|' + e.fullName + u'|' + e.members.join(u';');
    parts << QStringLiteral("names:") + list.shortNames().join(u',');
    return parts.join(u'\n');
}

} // namespace

class TestJavaClassList : public QObject {
    Q_OBJECT

private slots:
    void blocks_data();
    void blocks();
    void encodingsAndLineBreaksReadAlike();
    void unreadableFileReportsAndKeepsResult();
    void sameShortNameFindsFirstInFile();
    void filter_data();
    void filter();
    void shippedFileIsWellFormed();
};

void TestJavaClassList::blocks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two blocks") << "a.b.C\nv C.x()\nxxxx\nD\nD.y\nD.z\nxxxx\n"
                                << "C|a.b.C|v C.x()\nD|D|D.y;D.z\nnames:C,D";
    QTest::newRow("last block without xxxx") << "p.A\nA.f\nxxxx\np.B\nB.g\nB.h"
                                             << "A|p.A|A.f\nB|p.B|B.g;B.h\nnames:A,B";
    QTest::newRow("last block without xxxx, final break") << "p.B\nB.g\nB.h\n"
                                                          << "B|p.B|B.g;B.h\nnames:B";
    QTest::newRow("class line last") << "p.A\nA.f\nxxxx\nq.Last"
                                     << "A|p.A|A.f\nnames:A,Last";
    QTest::newRow("class line last with break") << "p.A\nA.f\nxxxx\nq.Last\n"
                                                << "A|p.A|A.f\nnames:A,Last";
    QTest::newRow("block without members") << "p.E\nxxxx\np.F\nF.f\nxxxx"
                                           << "E|p.E|\nF|p.F|F.f\nnames:E,F";
    QTest::newRow("lines kept as they are") << "p.T \n M.a \nxxxx \nXXXX\n\nxxxx\n"
                                            << "T |p.T | M.a ;xxxx ;XXXX;\nnames:T ";
    QTest::newRow("blank lines between blocks") << "\np.A\nA.f\nxxxx\n\n \np.B\nB.g\nxxxx\n\n"
                                                << "A|p.A|A.f\nB|p.B|B.g\nnames:A,B";
    QTest::newRow("trailing dot") << "p.\nx.y\nxxxx"
                                  << "|p.|x.y\nnames:";
    QTest::newRow("empty") << ""
                           << "names:";
}

void TestJavaClassList::blocks() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dump(JavaClassList::fromText(text)), expected);
}

void TestJavaClassList::encodingsAndLineBreaksReadAlike() {
    TestEnv env;
    const QString text =
        QStringLiteral("java.lang.Größe\nint Größe.änderung()\nxxxx\nx.Ende\nEnde.ß");
    const QString expected = dump(JavaClassList::fromText(text));
    QByteArray utf8 = text.toUtf8();
    QByteArray crlf = utf8;
    crlf.replace("\n", "\r\n");
    const QByteArray ansi = QByteArray("java.lang.Gr\xF6\xDF"
                                       "e\r\nint Gr\xF6\xDF"
                                       "e.\xE4nderung()\r\nxxxx\r\nx.Ende\r\nEnde.\xDF");
    const QList<QByteArray> variants = {utf8, crlf, "\xEF\xBB\xBF" + crlf, ansi, ansi + "\r\n"};
    for (qsizetype i = 0; i < variants.size(); ++i) {
        JavaClassList list;
        QString error;
        QVERIFY(JavaClassList::load(env.writeFile(QStringLiteral("k%1.txt").arg(i), variants[i]),
                                    list, error));
        QVERIFY(error.isEmpty());
        QCOMPARE(dump(list), expected);
    }
}

void TestJavaClassList::unreadableFileReportsAndKeepsResult() {
    TestEnv env;
    JavaClassList list = JavaClassList::fromText(QStringLiteral("p.A\nA.f\nxxxx"));
    QString error;
    QVERIFY(!JavaClassList::load(env.path(QStringLiteral("fehlt.txt")), list, error));
    QVERIFY(error.contains(QStringLiteral("fehlt.txt")));
    QVERIFY(!JavaClassList::load(env.dir(), list, error)); // a folder
    QCOMPARE(list.entries().size(), 1);
}

void TestJavaClassList::sameShortNameFindsFirstInFile() {
    const JavaClassList list = JavaClassList::fromText(
        QStringLiteral("java.awt.List\nList.awt()\nxxxx\nx.list\nlist.klein()\nxxxx\n"
                       "java.util.List\nList.util()\nxxxx\nq.Box\nBox.b()\nxxxx\nq.Nur"));
    QCOMPARE(list.sortedShortNames(),
             QStringList({QStringLiteral("Box"), QStringLiteral("List"), QStringLiteral("List"),
                          QStringLiteral("list"), QStringLiteral("Nur")}));
    const JavaClassEntry *entry = list.find(QStringLiteral("List"));
    QVERIFY(entry);
    QCOMPARE(entry->fullName, QStringLiteral("java.awt.List"));
    QCOMPARE(list.find(QStringLiteral("list"))->fullName, QStringLiteral("x.list"));
    QVERIFY(!list.find(QStringLiteral("Nur"))); // named by the last line, no entry
    QVERIFY(!list.find(QStringLiteral("LIST")));
}

void TestJavaClassList::filter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("shown");
    const QString all = QStringLiteral("Component Container.add(Component);"
                                       "boolean List.addAll(Collection);void X.load();"
                                       "void X.pad();int X.AD;Straße.ß();new p.Adler()");
    QTest::newRow("empty") << "" << all;
    QTest::newRow("blanks only") << " \t " << all;
    QTest::newRow("lower") << "ad"
                           << "Component Container.add(Component);boolean List.addAll(Collection);"
                              "int X.AD;new p.Adler()";
    QTest::newRow("mixed case, trimmed") << "  aDdA "
                                         << "boolean List.addAll(Collection)";
    QTest::newRow("dot in filter") << "add("
                                   << "Component Container.add(Component)";
    QTest::newRow("sharp s per character") << "ß"
                                           << "Straße.ß()";
    QTest::newRow("no match") << "zz"
                              << "";
    QTest::newRow("longer than line") << "addAllTheThings"
                                      << "";
}

void TestJavaClassList::filter() {
    QFETCH(QString, filter);
    QFETCH(QString, shown);
    JavaClassEntry entry;
    entry.shortName = QStringLiteral("Kurz");
    entry.fullName = QStringLiteral("p.Kurz");
    entry.members = QStringList({QStringLiteral("Component Container.add(Component)"),
                                 QStringLiteral("boolean List.addAll(Collection)"),
                                 QStringLiteral("void X.load()"), QStringLiteral("void X.pad()"),
                                 QStringLiteral("int X.AD"), QStringLiteral("Straße.ß()"),
                                 QStringLiteral("new p.Adler()")});
    QString expected = QStringLiteral("Kurz\np.Kurz\n\n");
    if (!shown.isEmpty())
        expected += shown.split(u';').join(u'\n') + u'\n';
    QCOMPARE(JavaClassList::displayText(entry, filter), expected);
}

// The file shipped beside the program: strict blocks, every one named and with members.
void TestJavaClassList::shippedFileIsWellFormed() {
    QFile file(QStringLiteral(QUILL_SOURCE_DIR "/data/javaklassen.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\nxxxx\n"));
    QVERIFY(!bytes.contains('\r'));
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    int classLines = 0;
    bool expectClass = true;
    int members = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString &line = lines[i];
        if (expectClass) {
            QVERIFY2(!line.trimmed().isEmpty() && line != QStringLiteral("xxxx") &&
                         line == line.trimmed() && !line.contains(u' '),
                     qPrintable(QStringLiteral("bad class line %1").arg(i + 1)));
            ++classLines;
            members = 0;
            expectClass = false;
        } else if (line == QStringLiteral("xxxx")) {
            QVERIFY2(members > 0,
                     qPrintable(QStringLiteral("no members before line %1").arg(i + 1)));
            expectClass = true;
        } else {
            QVERIFY2(line.contains(u'.') && line == line.trimmed(),
                     qPrintable(QStringLiteral("bad member line %1").arg(i + 1)));
            ++members;
        }
    }
    QVERIFY(expectClass);

    QString error;
    JavaClassList list;
    QVERIFY(JavaClassList::load(file.fileName(), list, error));
    QCOMPARE(list.entries().size(), classLines);
    QVERIFY(classLines > 500);
    const JavaClassEntry *button = list.find(QStringLiteral("JButton"));
    QVERIFY(button);
    QCOMPARE(button->fullName, QStringLiteral("javax.swing.JButton"));
    const QString shown = JavaClassList::displayText(*button, QStringLiteral("ad"));
    QVERIFY(shown.contains(QStringLiteral(".addActionListener(")));
    QVERIFY(shown.contains(QStringLiteral(".add(Component)")));
    QVERIFY(!shown.contains(QStringLiteral(".setText(")));
    QCOMPARE(list.find(QStringLiteral("List"))->fullName, QStringLiteral("java.util.List"));
    for (const char *name :
         {"java.lang", "java.util", "java.io", "java.awt", "java.awt.event", "javax.swing",
          "javax.swing.event", "javax.swing.table", "javax.swing.tree"}) {
        const QString package = QString::fromLatin1(name) + u'.';
        QVERIFY2(std::any_of(list.entries().begin(), list.entries().end(),
                             [&](const JavaClassEntry &e) {
                                 return e.fullName.startsWith(package) &&
                                        !e.fullName.mid(package.size()).contains(u'.');
                             }),
                 name);
    }
}

QTEST_GUILESS_MAIN(TestJavaClassList)
#include "tst_javaclasslist.moc"
