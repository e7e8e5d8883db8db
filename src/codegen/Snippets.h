#pragma once

#include "codegen/NewDataTypCheck.h"

#include <QStringList>

class SnippetTarget;

// The snippets inserted at the caret's line by the window's "&Einfügen" menu.
enum class CaretSnippet {
    Syso,
    SetDefaultCloseOperation,
    IfElse,
    WhileLoop,
    DoWhileLoop,
    GridBagConstraint,
    ButtonListener,
    WindowListener,
    MouseListener,
    FocusListener,
};

// The lines of a caret snippet, in the order they appear in the text.
QStringList CaretSnippetLines(CaretSnippet snippet);

// Where a caret snippet goes: directly above the caret's line, below it on the first line;
// never past the end of the text.
int SnippetInsertionIndex(int caretLine, int lineCount);

// Inserts a caret snippet; a listener snippet then asks (caption "Hinweis") to move its
// handler methods out of setGUI.
void InsertCaretSnippet(SnippetTarget &target, CaretSnippet snippet);

// The class skeleton for a class name, as appended at the end of the text.
QStringList ClassSkeletonLines(const QString &name);

// Asks for a class name ("neue Klasse") and appends the skeleton at the end of the text,
// whatever the caret position, and marks the text changed. Cancelling, or an empty answer,
// changes nothing.
void InsertClassSkeleton(SnippetTarget &target);

// The getter and setter block for an attribute; parameterValue chooses the setter's
// parameter name "value" over the attribute's own name.
QStringList AttributeMethodLines(const NewDataTypChoice &attribute, bool parameterValue);

// Where the attribute snippet puts its lines in a text, for the class that holds the caret's
// line (else the first class). Indices are insertion indices into the unchanged text.
struct AttributePlacement {
    bool classFound = false;
    QString className;
    // After the last field declaration of the class, else at the start of its body; -1 when
    // the class has no line of its own between members (it opens and closes on one line).
    int declarationAt = -1;
    // In front of the line with the class's closing brace; -1 when the class is not closed.
    int methodsAt = -1;
};
AttributePlacement PlaceAttribute(const QStringList &lines, int caretLine);

// Declares the attribute in the class that holds the caret (else the first class), after its
// last field declaration, and puts the getter and setter in front of its closing brace; the
// braces are counted outside comments, strings and character literals. Without a class
// nothing changes and "Das Programm konnte den Anfang der Klasse nicht finden (class)"
// (caption "Hinweis") is shown; the same notice follows the declaration when the class is
// not closed.
void InsertAttribSetGet(SnippetTarget &target, const NewDataTypChoice &attribute,
                        bool parameterValue);
