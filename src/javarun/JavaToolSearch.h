#pragma once

#include <QString>
#include <QStringList>

// Finds the Java compiler and runtime on disk. The paths found are written into the two
// strings given (the settings Compiler and Run); nothing else is changed.
class JavaToolSearch {
public:
    JavaToolSearch(QString &compiler, QString &run);

    // Searches dir and every directory below it, depth first in the order the file system
    // lists them, and stops at the first directory holding the compiler. Directory links
    // are never entered, so a link back up the tree cannot make the search endless.
    // Returns at once when both paths are already set.
    void SearchJavaTools(const QString &dir);

    // The whole discovery: the program directory tree, then javaHome/bin, then every
    // directory of the search path (those two without their subdirectories).
    void SearchEverywhere(const QString &programDir, const QString &javaHome,
                          const QString &searchPath);

    // The compiler's file name on this platform ("javac", "javac.exe").
    static QString CompilerName();
    static QString RuntimeName();

private:
    bool Done() const;
    // Looks for the compiler in dir alone; sets both paths when it is there.
    bool TryDirectory(const QString &dir);
    void SearchTree(const QString &dir, int depth);

    QString &m_compiler;
    QString &m_run;
};
