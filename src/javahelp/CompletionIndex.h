#pragma once

#include "JavaClassList.h"

#include <QHash>
#include <QList>
#include <QString>

// One member of a class as completion offers it.
struct CompletionMember {
    QString name;      // "println"
    QString signature; // "void println(String)"; a field shows its type: "PrintStream out"
    QString typeName;  // short name of the member's type without generics or arrays ("PrintStream")
    bool isMethod = false;
    bool takesParameters = false;
};

// The class list prepared for completion: every class's members parsed once, the class names
// sorted. Built once (off the GUI thread; the build touches nothing shared) and read only after.
class CompletionIndex {
public:
    struct ClassInfo {
        QString shortName;
        QString fullName;
        QList<CompletionMember> members; // constructors left out, sorted by name (ignoring case)
    };

    CompletionIndex() = default;
    static CompletionIndex build(const JavaClassList &list);

    // The class of that exact short name; nullptr if the list has none.
    const ClassInfo *find(const QString &shortName) const;
    // Every class, sorted by short name ignoring case.
    const QList<ClassInfo> &classes() const { return m_classes; }
    bool isEmpty() const { return m_classes.isEmpty(); }

    // Parses one member line of the class list; false for constructors and lines that are
    // not members.
    static bool parseMember(const QString &line, CompletionMember &member);

private:
    QList<ClassInfo> m_classes;
    QHash<QString, qsizetype> m_byName; // first class of each short name
};
