#include "codegen/Snippets.h"

#include "codegen/SnippetTarget.h"
#include "common/Helpers.h"

#include <algorithm>

namespace {

const char *const ClassNotFound = "Das Programm konnte den Anfang der Klasse nicht finden (class)";

bool IsListener(CaretSnippet snippet) {
    return snippet == CaretSnippet::WindowListener || snippet == CaretSnippet::MouseListener ||
           snippet == CaretSnippet::FocusListener;
}

int FirstLineContaining(const SnippetTarget &target, const QString &text) {
    for (int i = 0; i < target.lineCount(); ++i) {
        if (target.line(i).contains(text))
            return i;
    }
    return -1;
}

int LastLineContaining(const SnippetTarget &target, const QString &text) {
    for (int i = target.lineCount() - 1; i >= 0; --i) {
        if (target.line(i).contains(text))
            return i;
    }
    return -1;
}

// Insertion indices past either end of the text go to that end.
void InsertClamped(SnippetTarget &target, int index, const QStringList &lines) {
    target.insertLines(std::clamp(index, 0, target.lineCount()), lines);
}

} // namespace

int SnippetInsertionIndex(int caretLine, int lineCount) {
    const int index = caretLine >= 1 ? caretLine : 1;
    return std::clamp(index, 0, std::max(lineCount, 0));
}

void InsertCaretSnippet(SnippetTarget &target, CaretSnippet snippet) {
    target.insertLines(SnippetInsertionIndex(target.caretLine(), target.lineCount()),
                       CaretSnippetLines(snippet));
    if (IsListener(snippet))
        ShowWarningBox(
            QStringLiteral("Hinweis"),
            QString::fromUtf8("Bitte verschieben Sie die Methoden außerhalb von setGUI"));
}

void InsertClassSkeleton(SnippetTarget &target) {
    const QString answer = InputText(QStringLiteral("Klassenamen"), QStringLiteral("neue Klasse"),
                                     QStringLiteral("test"));
    if (answer.isEmpty())
        return;
    target.insertLines(target.lineCount(), ClassSkeletonLines(TrimBlanksAndControls(answer)));
    target.setModified();
}

void InsertAttribSetGet(SnippetTarget &target, const NewDataTypChoice &attribute,
                        bool parameterValue) {
    const int classLine = FirstLineContaining(target, QStringLiteral("class "));
    if (classLine < 0) {
        ShowWarningBox(QStringLiteral("Hinweis"), QString::fromUtf8(ClassNotFound));
        return;
    }
    const int privateLine = FirstLineContaining(target, QStringLiteral("private "));
    const int declarationAt = privateLine >= 0 ? privateLine + 1 : classLine + 2;
    InsertClamped(target, declarationAt,
                  {QStringLiteral("  private ") + attribute.type + QLatin1Char(' ') +
                       attribute.name + QLatin1Char(';'),
                   QString()});

    const int lastBrace = LastLineContaining(target, QStringLiteral("}"));
    if (lastBrace < 0) {
        ShowWarningBox(QStringLiteral("Hinweis"), QString::fromUtf8(ClassNotFound));
        return;
    }
    // Two empty lines, then the methods, in front of the line above the last "}" line.
    QStringList block{QString(), QString()};
    block << AttributeMethodLines(attribute, parameterValue);
    InsertClamped(target, lastBrace - 1, block);
}
