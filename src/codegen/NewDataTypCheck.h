#pragma once

#include <QString>
#include <QStringList>

// What the data-type dialog hands to the attribute snippet once it was confirmed.
struct NewDataTypChoice {
    QString name; // as typed, blanks included
    QString type; // Java type, "int", "String", ...
};

// The notice that rejects a typed attribute name (caption "Hinweis"), or the empty text
// when the name passes. The first failing check decides.
QString NewDataTypNotice(const QString &name);

// The Java types in the order of the dialog's radio buttons, from "byte" to "boolean".
QStringList NewDataTypJavaTypes();
