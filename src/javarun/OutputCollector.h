#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Collects a child's output in the order it arrives and decodes it with the locale's
// encoding (a character split between two chunks is decoded whole). Keeps at most a fixed
// number of bytes, so a program that prints without end cannot exhaust memory; what comes
// after the limit is counted and dropped.
class OutputCollector {
public:
    static constexpr qint64 DefaultLimit = 4 * 1024 * 1024;

    explicit OutputCollector(qint64 limitBytes = DefaultLimit);

    void Append(const QByteArray &chunk);
    // The text kept so far.
    const QString &Text() const { return m_text; }
    // True once any byte had to be dropped.
    bool Truncated() const { return m_dropped > 0; }
    qint64 KeptBytes() const { return m_kept; }
    qint64 DroppedBytes() const { return m_dropped; }
    // The line that tells the user the output was cut, in whole megabytes of the limit.
    QString TruncationLine() const;

private:
    qint64 m_limit;
    qint64 m_kept = 0;
    qint64 m_dropped = 0;
    QStringDecoder m_decoder;
    QString m_text;
};
