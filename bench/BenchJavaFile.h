#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// The benchmarks' inputs: Java files of a given number of lines written by bench/gen_java.py
// into the benchmark data folder on first use (dense: every line filled to 80 columns).

inline QString BenchJavaFilePath(int lines, bool dense = false) {
    const QString path = QDir(QStringLiteral(QUILL_BENCH_DATA_DIR))
                             .filePath(QStringLiteral("java_%1%2.java")
                                           .arg(lines)
                                           .arg(dense ? QStringLiteral("_dense") : QString()));
    if (!QFile::exists(path)) {
        QDir().mkpath(QStringLiteral(QUILL_BENCH_DATA_DIR));
        QStringList args{QStringLiteral(QUILL_BENCH_SCRIPT), path, QString::number(lines)};
        if (dense)
            args << QStringLiteral("--dense");
        QProcess::execute(QStringLiteral("python3"), args);
    }
    return path;
}

// The file's text as it is on disk.
inline QString BenchJavaFileText(int lines, bool dense = false) {
    const QString path = BenchJavaFilePath(lines, dense);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}
