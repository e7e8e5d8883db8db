#include "codegen/Snippets.h"

#include "codegen/JavaClassScan.h"
#include "codegen/SnippetTarget.h"
#include "common/Helpers.h"

#include <algorithm>

namespace {

const char *const ClassNotFound = "Das Programm konnte den Anfang der Klasse nicht finden (class)";

bool IsListener(CaretSnippet snippet) {
    return snippet == CaretSnippet::WindowListener || snippet == CaretSnippet::MouseListener ||
           snippet == CaretSnippet::FocusListener;
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

AttributePlacement PlaceAttribute(const QStringList &lines, int caretLine) {
    AttributePlacement placement;
    const QList<JavaClass> classes = ScanJavaClasses(lines);
    const int at = ClassAtLine(classes, caretLine);
    if (at < 0)
        return placement;
    const JavaClass &c = classes.at(at);
    placement.classFound = true;
    placement.className = c.name;
    const QList<int> &places = c.memberBoundaries;
    if (places.isEmpty())
        return placement;
    // The first place after the last field; when the class closes on that field's line, the
    // last place of all.
    const auto afterFields = std::upper_bound(places.begin(), places.end(), c.lastFieldLine);
    placement.declarationAt = afterFields != places.end() ? *afterFields : places.last();
    if (c.closeLine >= 0)
        placement.methodsAt = places.last();
    return placement;
}

void InsertAttribSetGet(SnippetTarget &target, const NewDataTypChoice &attribute,
                        bool parameterValue) {
    QStringList lines;
    for (int i = 0; i < target.lineCount(); ++i)
        lines << target.line(i);
    const AttributePlacement placement = PlaceAttribute(lines, target.caretLine());
    if (!placement.classFound) {
        ShowWarningBox(QStringLiteral("Hinweis"), QString::fromUtf8(ClassNotFound));
        return;
    }
    if (placement.declarationAt < 0) {
        ShowWarningBox(QStringLiteral("Hinweis"),
                       QString::fromUtf8("Die Klasse %1 hat keine eigene Zeile für neue "
                                         "Attribute. Bitte die schließende Klammer } der "
                                         "Klasse in eine eigene Zeile setzen.")
                           .arg(placement.className));
        return;
    }
    const QStringList declaration{QStringLiteral("  private ") + attribute.type + QLatin1Char(' ') +
                                      attribute.name + QLatin1Char(';'),
                                  QString()};
    InsertClamped(target, placement.declarationAt, declaration);
    if (placement.methodsAt < 0) {
        ShowWarningBox(QStringLiteral("Hinweis"), QString::fromUtf8(ClassNotFound));
        return;
    }
    int methodsAt = placement.methodsAt;
    if (methodsAt >= placement.declarationAt)
        methodsAt += int(declaration.size());
    // Two empty lines in front of the methods, counting those already above them.
    int blanksAbove = 0;
    while (blanksAbove < 2 && methodsAt - 1 - blanksAbove >= 0 &&
           target.line(methodsAt - 1 - blanksAbove).trimmed().isEmpty())
        ++blanksAbove;
    QStringList block;
    for (int blank = blanksAbove; blank < 2; ++blank)
        block << QString();
    block << AttributeMethodLines(attribute, parameterValue);
    InsertClamped(target, methodsAt, block);
}
