#include "KonsoleProtocol.h"

#include "javarun/JavaToolSearch.h"
#include "javarun/ResidentJava.h"
#include "javarun/WarmCompileRules.h"
#include "javarun/WarmFrame.h"

#include <QDir>
#include <QFileInfo>

QByteArray KonsoleRequestBytes(KonsoleRequest kind, const QStringList &texts) {
    QByteArray bytes;
    AppendFrameWord(bytes, qint32(kind));
    AppendFrameWord(bytes, qint32(texts.size()));
    for (const QString &text : texts)
        AppendFrameText(bytes, text);
    return bytes;
}

QString KonsoleHelperClass() {
    return QStringLiteral("QuillJavaKonsole");
}

QString KonsoleHelperClassFile() {
    return KonsoleHelperClass() + QStringLiteral(".class");
}

Command KonsoleHelperCommand(const QString &launcher, const QString &helperDir) {
    // The shell engine compiles every input: a client compiler only (it starts in a
    // fraction of the time), a class-data archive where the JDK has one, a heap that starts
    // small and grows as far as the learner's objects need (a large first heap is touched
    // page by page and only ever grows), and the JVM's own notes kept off the protocol.
    return ResidentJavaCommand(
        launcher,
        {QStringLiteral("-Xshare:auto"), QStringLiteral("-Xms24m"), QStringLiteral("-Xmn8m"),
         QStringLiteral("-Xmx256m"), QStringLiteral("-Xss4m"), QStringLiteral("-XX:+UseSerialGC"),
         QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:-UsePerfData"),
         QStringLiteral("-XX:+DisplayVMOutputToStderr")},
        helperDir, KonsoleHelperClass());
}
