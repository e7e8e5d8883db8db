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

} // namespace

RunPlan DecideRun(bool mitUmleitung, const QString &sourceText) {
    if (!mitUmleitung)
        return {true, false};
    RunPlan plan;
    const bool readsConsole = sourceText.contains(u"System.in.read");
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

Command CapturedCommand(const QString &program, const QString &parameters, const QString &target) {
    Command command{program, SplitShellWords(parameters)};
    command.arguments << target;
    return command;
}

Command ShellCommand(const QString &program, const QString &parameters, const QString &target) {
    Command command{program, {target}};
    command.arguments << SplitShellWords(parameters);
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
