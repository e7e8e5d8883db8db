#include "WarmCompileRules.h"

#include "JavaToolSearch.h"
#include "ResidentJava.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// Options that take no value and change nothing the resident compiler does differently.
bool IsPlainFlag(const QString &argument) {
    static const QSet<QString> flags{QStringLiteral("-g"),
                                     QStringLiteral("-nowarn"),
                                     QStringLiteral("-deprecation"),
                                     QStringLiteral("-Werror"),
                                     QStringLiteral("-parameters"),
                                     QStringLiteral("-Xlint"),
                                     QStringLiteral("-proc:none"),
                                     QStringLiteral("-implicit:none"),
                                     QStringLiteral("-implicit:class"),
                                     QStringLiteral("-Xdiags:compact"),
                                     QStringLiteral("-Xdiags:verbose")};
    return flags.contains(argument) || argument.startsWith(u"-g:") ||
           argument.startsWith(u"-Xlint:");
}

// Options followed by one value, which the compiler reads as given (paths relative to
// the folder, as in the process, because the resident compiler works in that folder).
bool TakesValue(const QString &argument) {
    static const QSet<QString> options{
        QStringLiteral("-encoding"),     QStringLiteral("-d"),
        QStringLiteral("-cp"),           QStringLiteral("-classpath"),
        QStringLiteral("--class-path"),  QStringLiteral("-sourcepath"),
        QStringLiteral("--source-path"), QStringLiteral("--release"),
        QStringLiteral("-source"),       QStringLiteral("--source"),
        QStringLiteral("-target"),       QStringLiteral("--target"),
        QStringLiteral("-Xmaxerrs"),     QStringLiteral("-Xmaxwarns")};
    return options.contains(argument);
}

bool IsAscii(const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

// A script that only calls some compiler may do anything before or after.
bool IsScript(const QString &path) {
    QFile file(path);
    return !file.open(QIODevice::ReadOnly) || file.read(2) == "#!";
}

} // namespace

QString JdkLauncherOf(const QString &compiler) {
    if (compiler.isEmpty())
        return {};
    const QFileInfo configured(compiler);
    const QString real = configured.canonicalFilePath();
    if (real.isEmpty())
        return {};
    const QFileInfo javac(real);
    if (javac.fileName() != JavaToolSearch::CompilerName() || !javac.isExecutable() ||
        IsScript(real))
        return {};
    const QDir bin = javac.absoluteDir();
    const QFileInfo java(bin.filePath(JavaToolSearch::RuntimeName()));
    if (!java.isFile() || !java.isExecutable())
        return {};
    // The JDK's home holds its "release" file; a javac elsewhere is not a JDK's own.
    QDir home = bin;
    if (!home.cdUp() || !QFileInfo(home.filePath(QStringLiteral("release"))).isFile())
        return {};
    return java.canonicalFilePath();
}

bool WarmArgumentsAllowed(const QStringList &arguments, bool localeIsUtf8) {
    bool sawSource = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        // The process gets its arguments through the locale's encoding; the resident
        // compiler gets them whole. Only plain text arrives the same way in both.
        if (!localeIsUtf8 && !IsAscii(argument))
            return false;
        if (argument.startsWith(u'-')) {
            if (IsPlainFlag(argument))
                continue;
            if (!TakesValue(argument) || i + 1 >= arguments.size())
                return false;
            ++i;
            if (!localeIsUtf8 && !IsAscii(arguments.at(i)))
                return false;
            continue;
        }
        if (argument.startsWith(u'@') || !argument.endsWith(QStringLiteral(".java")))
            return false;
        sawSource = true;
    }
    return sawSource;
}

bool WarmEnvironmentAllowed(const QProcessEnvironment &environment) {
    for (const char *name : {"JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS"}) {
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return false;
    }
    return true;
}

bool LocaleIsUtf8(const QProcessEnvironment &environment) {
    // The C library's order: the first of these that is set decides.
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QString locale = environment.value(QString::fromLatin1(name));
        if (locale.isEmpty())
            continue;
        const QString codeset = locale.section(u'.', 1).section(u'@', 0, 0);
        return codeset.compare(u"UTF-8", Qt::CaseInsensitive) == 0 ||
               codeset.compare(u"utf8", Qt::CaseInsensitive) == 0;
    }
    return false;
}

QProcessEnvironment CompileServerEnvironment(const QProcessEnvironment &environment) {
    return ResidentJavaEnvironment(environment);
}

QString CompileServerClass() {
    return QStringLiteral("QuillCompileServer");
}

QString CompileServerClassFile() {
    return CompileServerClass() + QStringLiteral(".class");
}

Command CompileServerCommand(const QString &launcher, const QString &serverDir) {
    return ResidentJavaCommand(
        launcher,
        {QStringLiteral("-Xmx96m"), QStringLiteral("-Xms16m"), QStringLiteral("-XX:+UseSerialGC"),
         QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:ReservedCodeCacheSize=24m"),
         QStringLiteral("-XX:MaxMetaspaceSize=96m"), QStringLiteral("-XX:-UsePerfData")},
        serverDir, CompileServerClass());
}

QString JdkLauncherFor(const QString &compiler, const QString &runtime) {
    const QString fromCompiler = JdkLauncherOf(compiler);
    if (!fromCompiler.isEmpty() || runtime.isEmpty())
        return fromCompiler;
    const QFileInfo java(QFileInfo(runtime).canonicalFilePath());
    if (java.filePath().isEmpty())
        return {};
    return JdkLauncherOf(java.absoluteDir().filePath(JavaToolSearch::CompilerName()));
}

std::optional<CompileServerKey>
CompileServerKeyFor(const QString &serverDir, const QString &compiler, const QString &folder) {
    if (!QFileInfo(QDir(serverDir).filePath(CompileServerClassFile())).isFile())
        return std::nullopt;
    if (!WarmEnvironmentAllowed(QProcessEnvironment::systemEnvironment()))
        return std::nullopt;
    CompileServerKey key{JdkLauncherOf(compiler), QFileInfo(folder).canonicalFilePath()};
    if (key.launcher.isEmpty() || key.folder.isEmpty())
        return std::nullopt;
    return key;
}
