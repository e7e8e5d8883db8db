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

// Declares the attribute after the first "private " line (else after the line that follows
// the first "class " line) and puts its getter and setter in front of the line that precedes
// the last line with "}". Without a "class " line nothing changes; both failures show
// "Das Programm konnte den Anfang der Klasse nicht finden (class)" (caption "Hinweis").
void InsertAttribSetGet(SnippetTarget &target, const NewDataTypChoice &attribute,
                        bool parameterValue);
