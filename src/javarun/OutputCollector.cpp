#include "OutputCollector.h"

OutputCollector::OutputCollector(qint64 limitBytes)
    : m_limit(limitBytes), m_decoder(QStringDecoder::System) {}

void OutputCollector::Append(const QByteArray &chunk) {
    const qint64 room = m_limit - m_kept;
    if (room <= 0) {
        m_dropped += chunk.size();
        return;
    }
    if (chunk.size() <= room) {
        m_text += m_decoder.decode(chunk);
        m_kept += chunk.size();
        return;
    }
    m_text += m_decoder.decode(QByteArrayView(chunk).first(room));
    m_kept = m_limit;
    m_dropped += chunk.size() - room;
}

QString OutputCollector::TruncationLine() const {
    const qint64 megabytes = m_limit / (1024 * 1024);
    const QString limit = megabytes > 0 ? QStringLiteral("%1 MB").arg(megabytes)
                                        : QStringLiteral("%1 Bytes").arg(m_limit);
    return QStringLiteral("-- Die Ausgabe war länger als %1 und wurde hier abgeschnitten --")
        .arg(limit);
}
