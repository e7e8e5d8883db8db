// Every signal of ours reaches its code through ConnectCommand, which guards it: a plain
// connect() anywhere in the sources would let an error pass through Qt's signal delivery.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestConnections : public QObject {
    Q_OBJECT

private slots:
    void everyConnectionIsGuarded() {
        static const QRegularExpression plainConnect(QStringLiteral("(?<![\\w])connect\\s*\\("));
        QStringList plain;
        int files = 0;
        QDirIterator it(QStringLiteral(QUILL_SOURCE_DIR),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // The guard itself is where the one plain connect lives.
            if (path.endsWith(QLatin1String("/common/CommandGuard.h")))
                continue;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            ++files;
            const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QString code = lines[i].section(QStringLiteral("//"), 0, 0);
                if (plainConnect.match(code).hasMatch())
                    plain
                        << QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(lines[i].trimmed());
            }
        }
        QVERIFY(files > 100);
        QVERIFY2(plain.isEmpty(), qPrintable(plain.join(u'\n')));
    }

    // The check itself sees a plain connect and leaves the guarded one alone.
    void thePatternFindsPlainConnects() {
        static const QRegularExpression plainConnect(QStringLiteral("(?<![\\w])connect\\s*\\("));
        QVERIFY(
            plainConnect.match(QStringLiteral("    connect(a, &A::b, this, &C::d);")).hasMatch());
        QVERIFY(plainConnect.match(QStringLiteral("QObject::connect(a, &A::b, c, f);")).hasMatch());
        QVERIFY(!plainConnect.match(QStringLiteral("ConnectCommand(a, &A::b, this, &C::d);"))
                     .hasMatch());
        QVERIFY(
            !plainConnect.match(QStringLiteral("QObject::disconnect(m_connection);")).hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestConnections)
#include "tst_connections.moc"
