#include "codegen/JavaNames.h"
#include "codegen/JavaSource.h"
#include "codegen/NewDataTypCheck.h"
#include "codegen/NewJavaFileForm.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using Form = NewJavaFileForm;

namespace {

// Every field of the description in one line, so a case states its whole expected result.
QString Describe(const TNewFile &f) {
    return u"%1 kind%2 border%3 grid%4 el%5 %6 %7 buttons%8 split%9 sdi%10/%11 %12 %13 %14 %15 "
           u"info%16 [%17]"_s.arg(f.ClassName)
               .arg(f.Kind)
               .arg(int(f.UseBorderLayout))
               .arg(int(f.UseGridBagLayout))
               .arg(f.Element)
               .arg(f.ElementType, f.ElementVar)
               .arg(f.ButtonCount)
               .arg(int(f.Split))
               .arg(f.SdiElement1)
               .arg(f.SdiElement2)
               .arg(f.SdiType1, f.SdiType2, f.SdiVar1, f.SdiVar2)
               .arg(int(f.ProgInfo))
               .arg(f.InternalFrameName);
}

} // namespace

Q_DECLARE_METATYPE(NewJavaFileForm)

class TestCodegenChecks : public QObject {
    Q_OBJECT

private slots:
    void wizard_data() {
        QTest::addColumn<Form>("form");
        QTest::addColumn<QString>("expected"); // description, or the error text
        QTest::addColumn<int>("focus");
        const int ok = int(NewJavaFileField::None);
        const int name = int(NewJavaFileField::ClassName);
        const int frame = int(NewJavaFileField::InternalFrameName);
        const QString rest = u"split0 sdi0/0     info0 []"_s;

        QTest::newRow("first page unchanged, name trimmed")
            << Form{.className = u"  Hallo \t"_s}
            << u"Hallo kind1 border1 grid0 el1 JPanel jpanel buttons0 "_s + rest << ok;
        // Options of pages other than the shown one are ignored.
        QTest::newRow("gridbag, editor pane, five buttons")
            << Form{.className = u"Tab"_s,
                    .dialogBorderLayout = false,
                    .dialogElement = 2,
                    .buttonCount = 5,
                    .sdiSplit = true}
            << u"Tab kind1 border0 grid1 el3 JEditorPane jeditorpane buttons5 "_s + rest << ok;
        QTest::newRow("sdi split tree and list")
            << Form{.className = u"S"_s,
                    .page = 1,
                    .sdiBorderLayout = false,
                    .sdiProgInfo = true,
                    .sdiSplit = true,
                    .sdiElement1 = 6,
                    .sdiElement2 = 4}
            << u"S kind2 border0 grid1 el0   buttons0 split1 sdi7/5 JTree JList jtreeL jlistR "
               u"info1 []"_s
            << ok;
        QTest::newRow("sdi without split")
            << Form{.className = u"S"_s, .page = 1, .sdiElement1 = 1, .sdiElement2 = 2}
            << u"S kind2 border1 grid0 el0   buttons0 split0 sdi2/0 JTextArea JEditorPane "
               u"jtextarea jeditorpaneR info0 []"_s
            << ok;
        QTest::newRow("mdi")
            << Form{.className = u"M"_s,
                    .page = 2,
                    .internalFrameName = u" Kind "_s,
                    .mdiProgInfo = true}
            << u"M kind3 border1 grid0 el0   buttons0 split0 sdi0/0     info1 [Kind]"_s << ok;
        QTest::newRow("jdialog") << Form{.className = u"D"_s, .page = 3}
                                 << u"D kind4 border1 grid0 el0   buttons0 "_s + rest << ok;
        QTest::newRow("console pur, umlaut accepted")
            << Form{.className = u"Grüße"_s, .page = 5}
            << u"Grüße kind6 border1 grid0 el0   buttons0 "_s + rest << ok;
        QTest::newRow("lower-case first letter accepted")
            << Form{.className = u"hallo"_s, .page = 5}
            << u"hallo kind6 border1 grid0 el0   buttons0 "_s + rest << ok;
        QTest::newRow("a hundred characters")
            << Form{.className = u"A"_s + QString(99, u'b'), .page = 5}
            << u"A"_s + QString(99, u'b') + u" kind6 border1 grid0 el0   buttons0 "_s + rest << ok;
        QTest::newRow("helper class of another kind")
            << Form{.className = u"myDialog"_s, .page = 5}
            << u"myDialog kind6 border1 grid0 el0   buttons0 "_s + rest << ok;
        QTest::newRow("tree class without a tree")
            << Form{.className = u"CTreeNodeRec"_s}
            << u"CTreeNodeRec kind1 border1 grid0 el1 JPanel jpanel buttons0 "_s + rest << ok;
        QTest::newRow("brenntal") << Form{.className = u"B"_s, .page = 6}
                                  << u"B kind7 border1 grid0 el0   buttons0 "_s + rest << ok;

        QTest::newRow("empty name") << Form{} << u"Bitte einen Dateinamen eingeben"_s << name;
        QTest::newRow("blank name, checked before the page")
            << Form{.className = u"   "_s, .page = 2, .internalFrameName = {}}
            << u"Bitte einen Dateinamen eingeben"_s << name;
        for (const char *bad : {"a<b", "a>b", "a?b", "a\\b", "a|b", "a\"b", "a*b", "a/b", "a:b"})
            QTest::newRow(bad) << Form{.className = QString::fromLatin1(bad)}
                               << u"Bitte einen gültigen Dateinamen eingeben"_s << name;
        QTest::newRow("mdi without frame name")
            << Form{.className = u"M"_s, .page = 2, .internalFrameName = u"  "_s}
            << u"Bitte einen Namen für die Klasse JInternalFrame eingeben"_s << frame;
        QTest::newRow("mdi bad frame name")
            << Form{.className = u"M"_s, .page = 2, .internalFrameName = u"a*"_s}
            << u"Bitte einen gültigen Klasse JInternalFrame eingeben"_s << frame;

        // Names that would not compile, or would clash with the template's own names.
        const auto rejected = [&](const char *row, const Form &form, const QString &message,
                                  int focus) { QTest::newRow(row) << form << message << focus; };
        rejected("blank inside", Form{.className = u"Mein Programm"_s},
                 u"Der Klassenname darf keine Leerzeichen enthalten."_s, name);
        rejected("tab inside", Form{.className = u"Mein\tProgramm"_s},
                 u"Der Klassenname darf keine Leerzeichen enthalten."_s, name);
        rejected("keyword", Form{.className = u"class"_s},
                 u"\"class\" ist ein reserviertes Wort von Java."_s, name);
        rejected("literal", Form{.className = u"null"_s},
                 u"\"null\" ist ein reserviertes Wort von Java."_s, name);
        rejected("no type name", Form{.className = u"var"_s},
                 u"\"var\" ist ein reserviertes Wort von Java."_s, name);
        rejected("digit first", Form{.className = u"1Aufgabe"_s},
                 u"Ein Klassenname beginnt mit einem Buchstaben."_s, name);
        rejected("underscore first", Form{.className = u"_Test"_s},
                 u"Ein Klassenname beginnt mit einem Buchstaben."_s, name);
        rejected("file name", Form{.className = u"Hallo.java"_s},
                 u"Der Klassenname wird ohne \".java\" eingegeben."_s, name);
        rejected("full stop", Form{.className = u"Hallo.Welt"_s},
                 u"Das Zeichen \".\" ist in einem Klassennamen nicht erlaubt."_s, name);
        rejected("hyphen", Form{.className = u"Mein-Programm"_s},
                 u"Das Zeichen \"-\" ist in einem Klassennamen nicht erlaubt."_s, name);
        rejected("too long", Form{.className = QString(101, u'A')},
                 u"Der Klassenname darf höchstens 100 Zeichen lang sein."_s, name);
        for (const char *known : {"JFrame", "JDialog", "String", "Object", "System", "Environment"})
            rejected(known, Form{.className = QString::fromLatin1(known), .page = 5},
                     u"\"%1\" ist schon der Name einer vorhandenen Klasse."_s.arg(
                         QString::fromLatin1(known)),
                     name);
        rejected("mdi: the internal window's default name",
                 Form{.className = u"myInternalFrame"_s, .page = 2},
                 u"Der Name der Klasse JInternalFrame muss sich vom Klassennamen unterscheiden."_s,
                 frame);
        rejected("mdi: internal window with a blank",
                 Form{.className = u"M"_s, .page = 2, .internalFrameName = u"Mein Fenster"_s},
                 u"Der Klassenname darf keine Leerzeichen enthalten."_s, frame);
        rejected("mdi: internal window named like a library class",
                 Form{.className = u"M"_s, .page = 2, .internalFrameName = u"JDesktopPane"_s},
                 u"Das Programm der Vorlage verwendet \"JDesktopPane\" schon als Namen."_s, frame);
        rejected("mdi: info class",
                 Form{.className = u"JProgInfo"_s, .page = 2, .mdiProgInfo = true},
                 u"Die Vorlage enthält schon eine Klasse \"JProgInfo\"."_s, name);
        rejected("jdialog: its dialog class", Form{.className = u"myDialog"_s, .page = 3},
                 u"Die Vorlage enthält schon eine Klasse \"myDialog\"."_s, name);
        rejected("tree class", Form{.className = u"CTreeNodeRec"_s, .dialogElement = 6},
                 u"Die Vorlage enthält schon eine Klasse \"CTreeNodeRec\"."_s, name);
        rejected("sdi: info class",
                 Form{.className = u"JProgInfo"_s, .page = 1, .sdiProgInfo = true},
                 u"Die Vorlage enthält schon eine Klasse \"JProgInfo\"."_s, name);
        rejected("library class the template uses", Form{.className = u"JButton"_s},
                 u"Das Programm der Vorlage verwendet \"JButton\" schon als Namen."_s, name);
        rejected("list element's Vector", Form{.className = u"Vector"_s, .dialogElement = 4},
                 u"Das Programm der Vorlage verwendet \"Vector\" schon als Namen."_s, name);
        rejected("box layout's Box", Form{.className = u"Box"_s, .page = 4},
                 u"Das Programm der Vorlage verwendet \"Box\" schon als Namen."_s, name);
        rejected("a package name", Form{.className = u"java"_s, .page = 2},
                 u"Das Programm der Vorlage verwendet \"java\" schon als Namen."_s, name);
    }

    void wizard() {
        QFETCH(Form, form);
        QFETCH(QString, expected);
        QFETCH(int, focus);
        const NewJavaFileCheck check = CheckNewJavaFile(form);
        QCOMPARE(int(check.focus), focus);
        QCOMPARE(check.ok, focus == int(NewJavaFileField::None));
        QCOMPARE(check.ok ? Describe(check.result) : check.message, expected);
        QCOMPARE(check.result.Kind == 0, !check.ok); // a rejected OK creates nothing
    }

    void dataTypName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notice");
        const QString umlaut = u"Bitte keine deutschen Sonderzeichen im Namen eingeben"_s;
        QTest::newRow("plain") << u"alter"_s << QString();
        QTest::newRow("blank at end") << u"alter "_s << QString();
        QTest::newRow("underscore first, digit inside") << u"_wert2"_s << QString();
        QTest::newRow("blank inside")
            << u"a b"_s << u"Der Name darf keine Leerzeichen enthalten."_s;
        QTest::newRow("digit first")
            << u"1a"_s << u"Ein Name beginnt mit einem Buchstaben oder \"_\"."_s;
        QTest::newRow("other character")
            << u"a-b"_s << u"Das Zeichen \"-\" ist in einem Namen nicht erlaubt."_s;
        QTest::newRow("keyword") << u"int"_s << u"\"int\" ist ein reserviertes Wort von Java."_s;
        QTest::newRow("literal") << u"true"_s << u"\"true\" ist ein reserviertes Wort von Java."_s;
        QTest::newRow("a type of the dialog")
            << u"String"_s << u"\"String\" ist ein Datentyp, kein Name für ein Attribut."_s;
        QTest::newRow("getter of every class")
            << u"Class"_s
            << u"Der Name \"Class\" ergäbe die Methode getClass, die jede Klasse schon hat."_s;
        QTest::newRow("var names a field") << u"var"_s << QString();
        QTest::newRow("empty") << QString() << u"Bitte einen Namen eingeben"_s;
        QTest::newRow("blanks") << u"  \t"_s << u"Bitte einen Namen eingeben"_s;
        QTest::newRow("umlaut") << u"Größe"_s << umlaut;
        QTest::newRow("sharp s") << u"Maß"_s << umlaut;
        QTest::newRow("capital umlaut before full stop") << u"Ä.b"_s << umlaut;
        QTest::newRow("full stop before comma")
            << u"a,b.c"_s << u"Bitte kein Punkt im Namen eingeben"_s;
        QTest::newRow("comma") << u"a,b"_s << u"Bitte kein Komma im Namen eingeben"_s;
    }

    void dataTypName() {
        QFETCH(QString, name);
        QFETCH(QString, notice);
        QCOMPARE(NewDataTypNotice(name), notice);
    }

    void classNameHint() {
        const QString hint = u"Hinweis: Klassennamen beginnen üblicherweise mit einem "
                             u"Großbuchstaben."_s;
        QCOMPARE(ClassNameHint(u"hallo"_s), hint);
        QCOMPARE(ClassNameHint(u"  übung"_s), hint);
        QCOMPARE(ClassNameHint(u"Hallo"_s), QString());
        QCOMPARE(ClassNameHint(u"1a"_s), QString());
        QCOMPARE(ClassNameHint(QString()), QString());
    }

    // Names the checks accept compile in every kind of program, in one javac call without a
    // warning; among them the longest, whose inner classes' files must still be written.
    void acceptedNamesCompile() {
        const QString javac = QStandardPaths::findExecutable(u"javac"_s);
        if (javac.isEmpty())
            QSKIP("javac not found");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList names{u"hallo"_s,          u"Grüße"_s,  u"A"_s,
                                u"Mein_Programm2"_s, u"Preis$"_s, u"J"_s + QString(99, u'x')};
        const QList<Form> kinds{
            Form{.className = {}, .dialogElement = 6, .buttonCount = 2},
            Form{.className = {},
                 .page = 1,
                 .sdiProgInfo = true,
                 .sdiSplit = true,
                 .sdiElement1 = 6,
                 .sdiElement2 = 4},
            Form{
                .className = {}, .page = 2, .internalFrameName = u"Fenster"_s, .mdiProgInfo = true},
            Form{.className = {}, .page = 3},
            Form{.className = {}, .page = 4},
            Form{.className = {}, .page = 5},
            Form{.className = {}, .page = 6}};
        QStringList files{QString::fromUtf8(QUILL_ENVIRONMENT_SOURCE)};
        for (const QString &name : names) {
            for (Form form : kinds) {
                form.className = name;
                const NewJavaFileCheck check = CheckNewJavaFile(form);
                QVERIFY2(check.ok, qPrintable(name + u": "_s + check.message));
                QString source = GenerateJavaSource(check.result).Lines.join(u'\n') + u'\n';
                QString folder = u"plain"_s;
                if (check.result.Kind != 7) {
                    folder = u"p%1"_s.arg(files.size());
                    source.prepend(u"package %1;\n"_s.arg(folder));
                }
                QVERIFY(QDir(dir.path()).mkpath(folder));
                QFile file(dir.filePath(folder + u'/' + name + u".java"_s));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(source.toUtf8());
                files << file.fileName();
            }
        }
        QProcess compile;
        compile.setProcessChannelMode(QProcess::MergedChannels);
        compile.start(javac, QStringList{u"-encoding"_s, u"UTF-8"_s, u"-Xlint:all"_s, u"-Werror"_s,
                                         u"-d"_s, dir.filePath(u"classes"_s)} +
                                 files);
        QVERIFY(compile.waitForFinished(300000));
        const QByteArray output = compile.readAll();
        QVERIFY2(compile.exitCode() == 0 && output.isEmpty(), output.constData());
    }
};

QTEST_GUILESS_MAIN(TestCodegenChecks)
#include "tst_codegenchecks.moc"
