#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A class declaration in Java source text, found by counting braces outside comments,
// strings and character literals. Top-level, nested, inner and local classes all count;
// interfaces, enums and anonymous classes do not. Lines are 0-based.
struct JavaClass {
    QString name;
    int depth = 0;           // number of classes around it
    int declarationLine = 0; // the line of the word "class"
    int openLine = 0;        // the line of the body's "{"
    int closeLine = -1;      // the line of the body's "}"; -1 when the text ends first
    // The line of the ";" that ends the last field declaration directly in the body (not in
    // a method or a nested class); -1 without fields.
    int lastFieldLine = -1;
    // The lines in front of which a member can be inserted: their start lies in the body,
    // between two members (or before the first, after the last), outside any comment.
    QList<int> memberBoundaries;

    // Whether the line lies between the declaration and the closing brace.
    bool holdsLine(int line) const {
        return line >= declarationLine && (closeLine < 0 || line <= closeLine);
    }
};

// Every class of the text, in the order of their declarations.
QList<JavaClass> ScanJavaClasses(const QStringList &lines);

// The innermost class that holds the line, else the first class of the text; -1 without any
// class.
int ClassAtLine(const QList<JavaClass> &classes, int line);
