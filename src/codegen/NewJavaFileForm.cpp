#include "codegen/NewJavaFileForm.h"

#include "codegen/JavaNames.h"
#include "codegen/JavaSource.h"
#include "codegen/JavaTokens.h"

#include "common/FileHelpers.h"
#include "common/Helpers.h"

namespace {

// The Java class of a list entry is the entry up to its first blank.
QString ElementType(const QStringList &entries, int index) {
    if (index < 0 || index >= entries.size())
        return {};
    const QString &entry = entries.at(index);
    const qsizetype blank = entry.indexOf(QLatin1Char(' '));
    return blank < 0 ? entry : entry.left(blank);
}

NewJavaFileCheck Rejected(const QString &message, NewJavaFileField focus) {
    NewJavaFileCheck check;
    check.message = message;
    check.focus = focus;
    return check;
}

NewJavaFileCheck Rejected(const char *message, NewJavaFileField focus) {
    return Rejected(QString::fromUtf8(message), focus);
}

// Whether a name would clash with a name that the program of the template already uses
// (its own classes, the library classes it refers to, its fields and methods). The
// template is generated with a stand-in for the name: "_" is a word no accepted name can be.
QString TemplateClash(TNewFile probe, const QString &name, QString TNewFile::*field) {
    probe.*field = QStringLiteral("_");
    const QList<JavaToken> tokens = TokenizeJava(GenerateJavaSource(probe).Lines).tokens;
    bool used = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).kind != JavaToken::Kind::Word || tokens.at(i).text != name)
            continue;
        if (i > 0 && tokens.at(i - 1).isWord(QLatin1String("class")))
            return QString::fromUtf8("Die Vorlage enthält schon eine Klasse \"%1\".").arg(name);
        used = true;
    }
    if (used)
        return QString::fromUtf8("Das Programm der Vorlage verwendet \"%1\" schon als Namen.")
            .arg(name);
    return {};
}

} // namespace

QStringList JavaElementEntries() {
    return {QStringLiteral("JPanel"),
            QStringLiteral("JTextArea (Ascii)"),
            QStringLiteral("JEditorPane (Ascii, HTML gut, RTF)"),
            QStringLiteral("JTextPane  (Ascii, HTML, RTF)"),
            QStringLiteral("JList"),
            QStringLiteral("JTable"),
            QStringLiteral("JTree"),
            QStringLiteral("JTabbedPane")};
}

QStringList SecondJavaElementEntries() {
    QStringList entries = JavaElementEntries();
    entries[2] = QStringLiteral("JEditorPane (Ascii, HTML, RTF)");
    return entries;
}

NewJavaFileCheck CheckNewJavaFile(const NewJavaFileForm &form) {
    const QString className = TrimBlanksAndControls(form.className);
    if (className.isEmpty())
        return Rejected("Bitte einen Dateinamen eingeben", NewJavaFileField::ClassName);
    if (!IsValidFileName(className))
        return Rejected("Bitte einen gültigen Dateinamen eingeben", NewJavaFileField::ClassName);
    if (const QString problem = ClassNameProblem(className); !problem.isEmpty())
        return Rejected(problem, NewJavaFileField::ClassName);

    TNewFile result;
    result.ClassName = className;
    result.UseBorderLayout = true;
    result.UseGridBagLayout = false;
    result.Kind = form.page + 1;

    switch (form.page) {
    case 0: {
        const QStringList entries = JavaElementEntries();
        result.UseBorderLayout = form.dialogBorderLayout;
        result.UseGridBagLayout = !form.dialogBorderLayout;
        result.ButtonCount = form.buttonCount;
        result.Element = form.dialogElement + 1;
        result.ElementType = ElementType(entries, form.dialogElement);
        result.ElementVar = result.ElementType.toLower();
        break;
    }
    case 1:
        result.UseBorderLayout = form.sdiBorderLayout;
        result.UseGridBagLayout = !form.sdiBorderLayout;
        result.ProgInfo = form.sdiProgInfo;
        result.Split = form.sdiSplit;
        result.SdiType1 = ElementType(JavaElementEntries(), form.sdiElement1);
        result.SdiType2 = ElementType(SecondJavaElementEntries(), form.sdiElement2);
        result.SdiVar1 = result.SdiType1.toLower();
        if (form.sdiSplit)
            result.SdiVar1 += QLatin1Char('L');
        result.SdiVar2 = result.SdiType2.toLower() + QLatin1Char('R');
        result.SdiElement1 = form.sdiElement1 + 1;
        result.SdiElement2 = form.sdiSplit ? form.sdiElement2 + 1 : 0;
        break;
    case 2: {
        const QString name = TrimBlanksAndControls(form.internalFrameName);
        if (name.isEmpty())
            return Rejected("Bitte einen Namen für die Klasse JInternalFrame eingeben",
                            NewJavaFileField::InternalFrameName);
        if (!IsValidFileName(name))
            return Rejected("Bitte einen gültigen Klasse JInternalFrame eingeben",
                            NewJavaFileField::InternalFrameName);
        if (const QString problem = ClassNameProblem(name); !problem.isEmpty())
            return Rejected(problem, NewJavaFileField::InternalFrameName);
        if (name == className)
            return Rejected("Der Name der Klasse JInternalFrame muss sich vom Klassennamen "
                            "unterscheiden.",
                            NewJavaFileField::InternalFrameName);
        result.ProgInfo = form.mdiProgInfo;
        result.InternalFrameName = name;
        break;
    }
    default:
        break;
    }
    if (const QString clash = TemplateClash(result, className, &TNewFile::ClassName);
        !clash.isEmpty())
        return Rejected(clash, NewJavaFileField::ClassName);
    if (result.Kind == 3) {
        const QString clash =
            TemplateClash(result, result.InternalFrameName, &TNewFile::InternalFrameName);
        if (!clash.isEmpty())
            return Rejected(clash, NewJavaFileField::InternalFrameName);
    }

    NewJavaFileCheck check;
    check.ok = true;
    check.result = result;
    return check;
}
