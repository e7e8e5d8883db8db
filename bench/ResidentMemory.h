#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The resident memory of a process in MB (the benchmark's own with "self"), -1 when it
// cannot be read.
inline double ResidentMegabytes(const QString &pid = QStringLiteral("self")) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

inline double ResidentMegabytes(qint64 pid) {
    return ResidentMegabytes(QString::number(pid));
}
