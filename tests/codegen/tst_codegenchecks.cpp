#include "codegen/NewDataTypCheck.h"
#include "codegen/NewJavaFileForm.h"

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
        QTest::newRow("console pur, blank and umlaut accepted")
            << Form{.className = u"Grüße mit Blank"_s, .page = 5}
            << u"Grüße mit Blank kind6 border1 grid0 el0   buttons0 "_s + rest << ok;
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
        QTest::newRow("blank at end, digit and blank inside") << u"1a b "_s << QString();
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
};

QTEST_GUILESS_MAIN(TestCodegenChecks)
#include "tst_codegenchecks.moc"
