#pragma once

#include <QString>

// Checks of names that the wizard and the data-type dialog turn into Java code. Each gives
// the German message that says what is wrong, or the empty text when the name is usable.

// The longest class name the wizard takes: the class files of the program's inner classes
// ("Name$1.class") must still fit the file system's limit for a name.
constexpr int MaxClassNameLength = 100;

// The form of a class name, trimmed: its length, no blanks, no ".java", a letter first,
// only characters of a Java name, no reserved word (a keyword, a literal or a word that
// cannot name a type), none of the classes JFrame, JDialog, String, Object, System and
// Environment that every program of the wizard can meet.
QString ClassNameProblem(const QString &name);

// The hint for the wizard's status line while the class name starts with a lower-case
// letter; empty otherwise.
QString ClassNameHint(const QString &name);

// The form of an attribute name, trimmed: no blanks, a letter or "_" first, only characters
// of a Java name, no keyword or literal, not one of the data types the dialog offers, and
// no name whose getter would be the getClass every class has.
QString AttributeNameProblem(const QString &name);
