#include "codegen/NewDataTypCheck.h"
#include "codegen/NewJavaFileForm.h"

#include <QtTest>

namespace {

// Every field of the description in one line, so a case states its whole expected result.
QString Describe(const TNewFile &f) {
    return QStringLiteral("%1 kind%2 border%3 grid%4 el%5 %6 %7 buttons%8 split%9 sdi%10/%11 "
                          "%12 %13 %14 %15 info%16 [%17]")
        .arg(f.ClassName)
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

NewJavaFileForm Form(const QString &name, int page) {
    NewJavaFileForm form;
    form.className = name;
    form.page = page;
    return form;
}

} // namespace

Q_DECLARE_METATYPE(NewJavaFileForm)

class TestCodegenChecks : public QObject {
    Q_OBJECT

private slots:
    void elementLists() {
        QCOMPARE(JavaElementEntries().size(), 8);
        QCOMPARE(JavaElementEntries().at(3), QStringLiteral("JTextPane  (Ascii, HTML, RTF)"));
        QCOMPARE(SecondJavaElementEntries().at(2),
                 QStringLiteral("JEditorPane (Ascii, HTML, RTF)"));
        QCOMPARE(JavaElementEntries().at(2), QStringLiteral("JEditorPane (Ascii, HTML gut, RTF)"));
    }

    void wizard_data() {
        QTest::addColumn<NewJavaFileForm>("form");
        QTest::addColumn<QString>("expected"); // description, or the error text
        QTest::addColumn<int>("focus");

        const int none = int(NewJavaFileField::None);
        const int name = int(NewJavaFileField::ClassName);
        const int frame = int(NewJavaFileField::InternalFrameName);
        const QString mdiEmpty =
            QString::fromUtf8("Bitte einen Namen für die Klasse JInternalFrame eingeben");
        const QString sdiDefaults = QStringLiteral("sdi0/0     info0 []");

        QTest::newRow("first page unchanged, name trimmed")
            << Form(QStringLiteral("  Hallo \t"), 0)
            << QStringLiteral("Hallo kind1 border1 grid0 el1 JPanel jpanel buttons0 split0 ") +
                   sdiDefaults
            << none;
        NewJavaFileForm grid = Form(QStringLiteral("Tab"), 0);
        grid.dialogBorderLayout = false;
        grid.dialogElement = 2;
        grid.buttonCount = 5;
        grid.sdiSplit = true; // other pages' options are ignored
        QTest::newRow("gridbag, editor pane, five buttons")
            << grid
            << QStringLiteral("Tab kind1 border0 grid1 el3 JEditorPane jeditorpane buttons5 "
                              "split0 ") +
                   sdiDefaults
            << none;
        NewJavaFileForm split = Form(QStringLiteral("S"), 1);
        split.sdiSplit = true;
        split.sdiElement1 = 6;
        split.sdiElement2 = 4;
        split.sdiBorderLayout = false;
        split.sdiProgInfo = true;
        QTest::newRow("sdi split tree and list")
            << split
            << QStringLiteral("S kind2 border0 grid1 el0   buttons0 split1 sdi7/5 JTree JList "
                              "jtreeL jlistR info1 []")
            << none;
        NewJavaFileForm single = Form(QStringLiteral("S"), 1);
        single.sdiElement1 = 1;
        single.sdiElement2 = 2;
        QTest::newRow("sdi without split")
            << single
            << QStringLiteral("S kind2 border1 grid0 el0   buttons0 split0 sdi2/0 JTextArea "
                              "JEditorPane jtextarea jeditorpaneR info0 []")
            << none;
        NewJavaFileForm mdi = Form(QStringLiteral("M"), 2);
        mdi.internalFrameName = QStringLiteral(" Kind ");
        mdi.mdiProgInfo = true;
        QTest::newRow("mdi") << mdi
                             << QStringLiteral("M kind3 border1 grid0 el0   buttons0 split0 "
                                               "sdi0/0     info1 [Kind]")
                             << none;
        QTest::newRow("console pur ignores other pages")
            << Form(QString::fromUtf8("Grüße mit Blank"), 5)
            << QString::fromUtf8("Grüße mit Blank kind6 border1 grid0 el0   buttons0 split0 ") +
                   sdiDefaults
            << none;
        QTest::newRow("jdialog") << Form(QStringLiteral("D"), 3)
                                 << QStringLiteral("D kind4 border1 grid0 el0   buttons0 split0 ") +
                                        sdiDefaults
                                 << none;
        QTest::newRow("brenntal")
            << Form(QStringLiteral("B"), 6)
            << QStringLiteral("B kind7 border1 grid0 el0   buttons0 split0 ") + sdiDefaults << none;

        QTest::newRow("empty name")
            << Form(QString(), 0) << QStringLiteral("Bitte einen Dateinamen eingeben") << name;
        QTest::newRow("blank name") << Form(QStringLiteral("   "), 2)
                                    << QStringLiteral("Bitte einen Dateinamen eingeben") << name;
        for (const char *bad : {"a<b", "a>b", "a?b", "a\\b", "a|b", "a\"b", "a*b", "a/b", "a:b"})
            QTest::newRow(bad) << Form(QString::fromLatin1(bad), 0)
                               << QString::fromUtf8("Bitte einen gültigen Dateinamen eingeben")
                               << name;
        NewJavaFileForm noFrame = Form(QStringLiteral("M"), 2);
        noFrame.internalFrameName = QStringLiteral("  ");
        QTest::newRow("mdi without frame name") << noFrame << mdiEmpty << frame;
        NewJavaFileForm badFrame = Form(QStringLiteral("M"), 2);
        badFrame.internalFrameName = QStringLiteral("a*");
        QTest::newRow("mdi bad frame name")
            << badFrame << QString::fromUtf8("Bitte einen gültigen Klasse JInternalFrame eingeben")
            << frame;
    }

    void wizard() {
        QFETCH(NewJavaFileForm, form);
        QFETCH(QString, expected);
        QFETCH(int, focus);
        const NewJavaFileCheck check = CheckNewJavaFile(form);
        QCOMPARE(int(check.focus), focus);
        QCOMPARE(check.ok, focus == int(NewJavaFileField::None));
        QCOMPARE(check.ok ? Describe(check.result) : check.message, expected);
        if (!check.ok)
            QCOMPARE(check.result.Kind, 0); // nothing to create
    }

    void dataTypName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notice");
        const QString umlaut =
            QStringLiteral("Bitte keine deutschen Sonderzeichen im Namen eingeben");
        QTest::newRow("plain") << "alter" << QString();
        QTest::newRow("blank at end passes") << "alter " << QString();
        QTest::newRow("digit and blank inside") << "1a b" << QString();
        QTest::newRow("empty") << ""
                               << "Bitte einen Namen eingeben";
        QTest::newRow("blanks") << "  \t"
                                << "Bitte einen Namen eingeben";
        QTest::newRow("umlaut") << QString::fromUtf8("Größe") << umlaut;
        QTest::newRow("sharp s") << QString::fromUtf8("Maß") << umlaut;
        QTest::newRow("capital umlaut before full stop") << QString::fromUtf8("Ä.b") << umlaut;
        QTest::newRow("full stop before comma") << "a,b.c"
                                                << "Bitte kein Punkt im Namen eingeben";
        QTest::newRow("comma") << "a,b"
                               << "Bitte kein Komma im Namen eingeben";
    }

    void dataTypName() {
        QFETCH(QString, name);
        QFETCH(QString, notice);
        QCOMPARE(NewDataTypNotice(name), notice);
    }

    void dataTypTypes() {
        QCOMPARE(NewDataTypJavaTypes().join(QLatin1Char(' ')),
                 QStringLiteral("byte short int long float double char String boolean"));
    }
};

QTEST_GUILESS_MAIN(TestCodegenChecks)
#include "tst_codegenchecks.moc"
