#include "JavaToolSearch.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Far deeper than any real installation; only a guard against mount loops, which are
// not links and so are not caught by refusing links.
constexpr int MaxDepth = 64;

#ifdef Q_OS_WIN
constexpr QDir::Filter NameCase = QDir::NoFilter;
#else
constexpr QDir::Filter NameCase = QDir::CaseSensitive;
#endif

QString WithSeparator(const QString &dir) {
    return dir.endsWith(u'/') || dir.endsWith(QDir::separator()) ? dir : dir + u'/';
}

bool IsLinkedDirectory(const QFileInfo &info) {
    return info.isSymLink() || info.isJunction() || info.isShortcut();
}

} // namespace

JavaToolSearch::JavaToolSearch(QString &compiler, QString &run)
    : m_compiler(compiler), m_run(run) {}

QString JavaToolSearch::CompilerName() {
#ifdef Q_OS_WIN
    return QStringLiteral("javac.exe");
#else
    return QStringLiteral("javac");
#endif
}

QString JavaToolSearch::RuntimeName() {
#ifdef Q_OS_WIN
    return QStringLiteral("java.exe");
#else
    return QStringLiteral("java");
#endif
}

bool JavaToolSearch::Done() const {
    return !m_compiler.isEmpty() && !m_run.isEmpty();
}

bool JavaToolSearch::TryDirectory(const QString &dir) {
    // Hidden files and directories do not count; the name as the file system spells it.
    QDirIterator it(dir, {CompilerName()}, QDir::Files | NameCase);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        if (info.isHidden() || !info.isFile())
            continue;
        const QString base = WithSeparator(dir);
        m_compiler = base + info.fileName();
        m_run = base + RuntimeName();
        return true;
    }
    return false;
}

void JavaToolSearch::SearchTree(const QString &dir, int depth) {
    if (Done() || depth > MaxDepth)
        return;
    if (TryDirectory(dir))
        return;
    QDirIterator it(dir, QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        if (IsLinkedDirectory(info))
            continue;
        SearchTree(WithSeparator(info.filePath()), depth + 1);
        if (Done())
            return;
    }
}

void JavaToolSearch::SearchJavaTools(const QString &dir) {
    SearchTree(WithSeparator(dir), 0);
}

void JavaToolSearch::SearchEverywhere(const QString &programDir, const QString &javaHome,
                                      const QString &searchPath) {
    SearchJavaTools(programDir);
    if (!Done() && !javaHome.isEmpty())
        TryDirectory(WithSeparator(javaHome) + QStringLiteral("bin/"));
    if (Done())
        return;
    for (const QString &dir : searchPath.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (TryDirectory(WithSeparator(dir)))
            return;
    }
}
