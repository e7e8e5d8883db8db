#include "RunPlan.h"

#include "ShellWords.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

#ifdef Q_OS_WIN
const QString ExeSuffix = QStringLiteral(".exe");
#else
const QString ExeSuffix;
#endif

// The file name part of a path: after the last separator of the platform.
qsizetype NameStart(const QString &path) {
#ifdef Q_OS_WIN
    const qsizetype sep =
        std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
#else
    const qsizetype sep = path.lastIndexOf(u'/');
#endif
    return sep + 1;
}

bool IsJavawName(QStringView name) {
    // Letter by letter, so the test never depends on the locale's case rules.
    const QStringView javaw = u"JAVAW";
    if (name.size() != javaw.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i).toUpper() != javaw.at(i))
            return false;
    }
    return true;
}

bool IsIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The index just past the comment that starts at `start`, or `start` when none does.
qsizetype SkipComment(QStringView text, qsizetype start) {
    if (start + 1 >= text.size() || text.at(start) != u'/')
        return start;
    if (text.at(start + 1) == u'/') {
        qsizetype end = start + 2;
        while (end < text.size() && text.at(end) != u'\n' && text.at(end) != u'\r')
            ++end;
        return end;
    }
    if (text.at(start + 1) == u'*') {
        const qsizetype end = text.indexOf(u"*/", start + 2);
        return end < 0 ? text.size() : end + 2;
    }
    return start;
}

// The index just past the literal that starts with the quote at `start`: a string or
// character literal ends at its closing quote (or, unclosed, at the line's end), a text
// block at its three closing quotes. Escaped characters never close it.
qsizetype SkipLiteral(QStringView text, qsizetype start) {
    const QChar quote = text.at(start);
    const QStringView blockQuotes = u"\"\"\"";
    const bool block = text.mid(start).startsWith(blockQuotes);
    qsizetype i = start + (block ? blockQuotes.size() : 1);
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            i += 2;
        } else if (block) {
            if (text.mid(i).startsWith(blockQuotes))
                return i + blockQuotes.size();
            ++i;
        } else if (c == quote) {
            return i + 1;
        } else if (c == u'\n' || c == u'\r') {
            return i;
        } else {
            ++i;
        }
    }
    return text.size();
}

} // namespace

bool ReadsInput(QStringView text) {
    // Where the words seen so far stand in "System" "." "in": what may come next.
    enum class Step { System, Dot, Member } step = Step::System;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype afterComment = SkipComment(text, i);
        if (afterComment != i) {
            i = afterComment; // a comment separates words like a blank
            continue;
        }
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'"' || c == u'\'') {
            i = SkipLiteral(text, i);
            step = Step::System;
        } else if (IsIdentifierPart(c)) {
            qsizetype end = i + 1;
            while (end < text.size() && IsIdentifierPart(text.at(end)))
                ++end;
            const QStringView word = text.mid(i, end - i);
            if (step == Step::Member && (word == u"in" || word == u"console"))
                return true;
            step = word == u"System" ? Step::Dot : Step::System;
            i = end;
        } else {
            step = c == u'.' && step == Step::Dot ? Step::Member : Step::System;
            ++i;
        }
    }
    return false;
}

bool IsJavaSource(const QString &fileName) {
    const QStringView name = QStringView(fileName).mid(NameStart(fileName));
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 && name.mid(dot + 1).compare(u"java", Qt::CaseInsensitive) == 0;
}

RunPlan DecideRun(bool mitUmleitung, const QString &sourceText) {
    if (!mitUmleitung)
        return {true, false};
    RunPlan plan;
    // A program reading its input in the panel would meet the end of its input at once.
    const bool readsConsole = ReadsInput(sourceText);
    plan.console = sourceText.contains(u"Environment") || readsConsole;
    plan.shell = sourceText.contains(u"JFrame") || sourceText.contains(u"JDialog") || readsConsole;
    if (!plan.shell && plan.console) {
        // A program that extends the teaching class Environment needs a console of its own.
        qsizetype start = 0;
        while (start <= sourceText.size()) {
            qsizetype end = start;
            while (end < sourceText.size() && sourceText.at(end) != u'\n' &&
                   sourceText.at(end) != u'\r')
                ++end;
            const QStringView line = QStringView(sourceText).mid(start, end - start);
            if (line.contains(u"extends") && line.contains(u"Environment")) {
                plan.shell = true;
                break;
            }
            start = end + 1;
        }
    }
    return plan;
}

QString RuntimeForRun(const QString &configuredRun, bool console) {
    if (!console)
        return configuredRun;
    const qsizetype nameStart = NameStart(configuredRun);
    QStringView name = QStringView(configuredRun).mid(nameStart);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name = name.left(dot);
    if (!IsJavawName(name))
        return configuredRun;
    return configuredRun.left(nameStart) + QStringLiteral("java") + ExeSuffix;
}

Command CapturedCommand(const QString &program, const QString &parameters, const QString &target,
                        const QStringList &ownOptions) {
    Command command{program, ownOptions};
    command.arguments << SplitShellWords(parameters) << target;
    return command;
}

Command ShellCommand(const QString &program, const QString &parameters, const QString &target,
                     const QStringList &ownOptions) {
    Command command{program, ownOptions};
    command.arguments << target << SplitShellWords(parameters);
    return command;
}

QString CompilerParameters(const QString &configured, const QString &sourceEncoding) {
    if (sourceEncoding.isEmpty() || SplitShellWords(configured).contains(u"-encoding"))
        return configured;
    const QString encoding = QStringLiteral("-encoding ") + sourceEncoding;
    return configured.trimmed().isEmpty() ? encoding : encoding + u' ' + configured;
}

QString ShippedClassPath(const QString &parameters, const QString &shippedDir,
                         const QString &inherited) {
    if (shippedDir.isEmpty() || !QFileInfo(shippedDir).isDir())
        return QString();
    for (const QString &word : SplitShellWords(parameters))
        if (word == u"-cp" || word == u"-classpath" || word == u"--class-path" ||
            word.startsWith(u"--class-path="))
            return QString();
    const QString first = inherited.isEmpty() ? QStringLiteral(".") : inherited;
    return first + QDir::listSeparator() + QDir::toNativeSeparators(shippedDir);
}

QProcessEnvironment ClassPathEnvironment(const QString &classPath) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLASSPATH"), classPath);
    return environment;
}

QString WorkingDirectoryOf(const QString &fileName) {
    return fileName.left(NameStart(fileName));
}

QString ClassFileOf(const QString &fileName) {
    const qsizetype nameStart = NameStart(fileName);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString withoutExt = dot >= nameStart ? fileName.left(dot) : fileName;
    return withoutExt + QStringLiteral(".class");
}
