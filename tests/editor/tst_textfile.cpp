#include "editor/CodePages.h"
#include "editor/TextFile.h"

#include "FileSizeLimit.h"
#include "TestEnv.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void lineBreaksBecomeNewlines();
    void notTextIsRecognised_data();
    void notTextIsRecognised();
    void textOutsideWindows1252IsWrittenAsUtf8();
    void editedTextKeepsFormat();
    void writeAndReadThroughDisk();
    void failedWriteLeavesFileUnchanged();
    void fullDiskFailsBeforeBackup();
    void backupRunsBeforeRename();
    void unreadableNamesGiveGermanErrors();
    void tooLargeFileIsRefused();
    void dosWindowsConversion();
};

void TestTextFile::roundTripIsByteIdentical_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("lineBreak");
    const int utf8 = int(TextEncoding::Utf8), bom = int(TextEncoding::Utf8WithBom),
              ansi = int(TextEncoding::Windows1252);
    const int lf = int(LineBreakStyle::Lf), crlf = int(LineBreakStyle::CrLf),
              cr = int(LineBreakStyle::Cr);
    QTest::newRow("utf8 lf") << QByteArray("class A {\n  // Gr\xC3\xBC\xC3\x9F"
                                           "e\n}\n")
                             << utf8 << lf;
    QTest::newRow("utf8 crlf") << QByteArray("a\r\n\xE2\x82\xAC\r\nb") << utf8 << crlf;
    QTest::newRow("utf8 bom lf") << QByteArray("\xEF\xBB\xBFx\ny\n") << bom << lf;
    QTest::newRow("utf8 bom crlf") << QByteArray("\xEF\xBB\xBF\xC3\xA4\r\n\r\n") << bom << crlf;
    QTest::newRow("1252 lf") << QByteArray("Gr\xFC\xDF"
                                           "e \x80 \xA0nbsp\n\x81\x8D\x8F\x90\x9D\n")
                             << ansi << lf;
    QTest::newRow("1252 crlf") << QByteArray("// \xE4\xF6\xFC\r\nint x;\r\n") << ansi << crlf;
    QTest::newRow("cr only") << QByteArray("a\rb\r") << utf8 << cr;
    QTest::newRow("invalid utf8 after bom") << QByteArray("\xEF\xBB\xBF\xC3(\n") << ansi << lf;
    QTest::newRow("utf8 nbsp") << QByteArray("a\xC2\xA0"
                                             "b\n")
                               << utf8 << lf;
    QTest::newRow("second bom kept") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFz") << bom
                                     << int(TextFile::DefaultFormat().lineBreak);
    QTest::newRow("empty") << QByteArray() << utf8 << int(TextFile::DefaultFormat().lineBreak);
}

void TestTextFile::roundTripIsByteIdentical() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(int, lineBreak);
    const DecodedText decoded = TextFile::Decode(bytes);
    QCOMPARE(int(decoded.format.encoding), encoding);
    QCOMPARE(int(decoded.format.lineBreak), lineBreak);
    QVERIFY(!decoded.text.contains(u'\r'));
    TextFileFormat format = decoded.format;
    QCOMPARE(TextFile::Encode(decoded.text, format), bytes);
    QCOMPARE(format, decoded.format);
}

void TestTextFile::lineBreaksBecomeNewlines() {
    QCOMPARE(TextFile::Decode("a\r\nb\r\n").text, QStringLiteral("a\nb\n"));
    QCOMPARE(TextFile::Decode("a\rb").text, QStringLiteral("a\nb"));
    QCOMPARE(TextFile::Decode("\xE4\n").text, QStringLiteral("ä\n"));
    QCOMPARE(TextFile::Decode("\xC3\xA4").text, QStringLiteral("ä"));
}

void TestTextFile::notTextIsRecognised_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("notText");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("ascii") << QByteArray("class A {}\n") << false;
    QTest::newRow("ansi umlauts") << QByteArray("// Gr\xFC\xDF"
                                                "e \x80\r\n")
                                  << false;
    QTest::newRow("utf8 umlauts") << QByteArray("// Gr\xC3\xBC\xC3\x9F"
                                                "e \xE2\x82\xAC\n")
                                  << false;
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBFx\n") << false;
    QTest::newRow("utf8 with bytes 1252 leaves out")
        << QByteArray("\xC3\x81 \xC3\x9D \xCF\x81 \xC3\x90") << false;
    // Text written on DOS: 0x81 is no Windows-1252 character, but the DOS "ü".
    QTest::newRow("dos umlauts") << QByteArray("Gr\x81\xE1"
                                               "e \x8D\x8F\x90\x9D\r\n")
                                 << false;
    QTest::newRow("blanks, breaks, end mark, escape")
        << QByteArray("a\tb\x0B\x0C\x1B[1m\r\n\x1A") << false;
    QTest::newRow("nul in ascii") << QByteArray("class A {}\0", 11) << true;
    QTest::newRow("nul in utf8") << QByteArray("\xC3\xA4\0\n", 4) << true;
    QTest::newRow("nul in ansi") << QByteArray("\xE4\0\n", 3) << true;
    // Control bytes are no text in any of the code pages.
    QTest::newRow("control bytes") << QByteArray("Gr\xFC\x02\x03\x81\n") << true;
    QTest::newRow("lowest control") << QByteArray("a\x01") << true;
    QTest::newRow("backspace") << QByteArray("a\x08") << true;
    QTest::newRow("highest control") << QByteArray("\xC3\xA4\x1F") << true;
    QTest::newRow("control after bom") << QByteArray("\xEF\xBB\xBF\xC3(\x1C") << true;
    QTest::newRow("class file") << QByteArray("\xCA\xFE\xBA\xBE\0\0\0\x41", 8) << true;
}

void TestTextFile::notTextIsRecognised() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, notText);
    QCOMPARE(TextFile::IsNotText(bytes), notText);
    const DecodedText decoded = TextFile::Decode(bytes);
    QCOMPARE(decoded.notText, notText);
    // Shown as text all the same, and written back unchanged.
    TextFileFormat format = decoded.format;
    QCOMPARE(TextFile::Encode(decoded.text, format), bytes);
}

void TestTextFile::textOutsideWindows1252IsWrittenAsUtf8() {
    TextFileFormat format{TextEncoding::Windows1252, LineBreakStyle::CrLf};
    const QByteArray bytes = TextFile::Encode(QStringLiteral("ä→\n"), format);
    QCOMPARE(format.encoding, TextEncoding::Utf8);
    QCOMPARE(bytes, QByteArray("\xC3\xA4\xE2\x86\x92\r\n"));
}

void TestTextFile::editedTextKeepsFormat() {
    const DecodedText decoded = TextFile::Decode("x\r\n\xE4\r\n");
    TextFileFormat format = decoded.format;
    QCOMPARE(TextFile::Encode(decoded.text + QStringLiteral("ö\n"), format),
             QByteArray("x\r\n\xE4\r\n\xF6\r\n"));
}

void TestTextFile::writeAndReadThroughDisk() {
    TestEnv env;
    const QString name = env.writeFile(QStringLiteral("A.java"), "old");
    QString error;
    QVERIFY(TextFile::Write(name, QByteArray("\xEF\xBB\xBFneu\r\n"), error));
    DecodedText read;
    QVERIFY2(TextFile::Read(name, read, error), qPrintable(error));
    QCOMPARE(read.text, QStringLiteral("neu\n"));
    QCOMPARE(read.format.encoding, TextEncoding::Utf8WithBom);
    QCOMPARE(read.format.lineBreak, LineBreakStyle::CrLf);
}

void TestTextFile::failedWriteLeavesFileUnchanged() {
    TestEnv env;
    // The temporary file beside a name of 250 characters would need a longer name than the
    // file system allows: a real write failure even for the superuser.
    const QString name = env.writeFile(QString(250, u'n'), "original");
    QVERIFY(QFileInfo::exists(name));
    QString error;
    QVERIFY(!TextFile::Write(name, "replacement", error));
    QVERIFY(error.startsWith(QStringLiteral("Die Datei kann nicht gespeichert werden:")));
    QVERIFY(error.contains(QStringLiteral("Die bisherige Datei bleibt unverändert.")));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("original"));
}

void TestTextFile::fullDiskFailsBeforeBackup() {
    TestEnv env;
    const QString name = env.writeFile(QStringLiteral("C.java"), "original");
    QString error;
    bool backupRan = false;
    {
        const FileSizeLimit full(100);
        QVERIFY(full.active());
        QVERIFY(!TextFile::Write(name, QByteArray(5000, 'z'), error, [&] { backupRan = true; }));
    }
    QVERIFY(!backupRan);
    QVERIFY(!error.isEmpty());
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("original"));
}

void TestTextFile::backupRunsBeforeRename() {
    TestEnv env;
    const QString name = env.writeFile(QStringLiteral("B.java"), "before");
    QString error;
    QByteArray seenByBackup;
    QVERIFY(TextFile::Write(name, "after", error, [&] {
        QFile old(name);
        QVERIFY(old.open(QIODevice::ReadOnly));
        seenByBackup = old.readAll();
    }));
    QCOMPARE(seenByBackup, QByteArray("before"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("after"));
}

void TestTextFile::unreadableNamesGiveGermanErrors() {
    TestEnv env;
    DecodedText result;
    result.text = QStringLiteral("untouched");
    QString error;
    QVERIFY(!TextFile::Read(env.dir(), result, error));
    QVERIFY(error.contains(QStringLiteral("Verzeichnis")));
    QVERIFY(!TextFile::Read(env.path(QStringLiteral("fehlt.java")), result, error));
    QVERIFY(error.contains(QStringLiteral("existiert nicht")));
    QVERIFY(!TextFile::Read(QStringLiteral("/dev/null"), result, error));
    QVERIFY(error.contains(QStringLiteral("keine normale Datei")));
    QCOMPARE(result.text, QStringLiteral("untouched"));
    QVERIFY(TextFile::CheckReadable(env.writeFile(QStringLiteral("ok.txt"), "x")).isEmpty());
}

void TestTextFile::tooLargeFileIsRefused() {
    TestEnv env;
    const QString name = env.writeFile(QStringLiteral("big.txt"), "x");
    QFile file(name);
    QVERIFY(file.resize(TextFile::MaxFileSize + 1)); // sparse: costs no disk space
    QCOMPARE(TextFile::CheckReadable(name), QStringLiteral("Text überschreitet Memo-Kapazität"));
}

void TestTextFile::dosWindowsConversion() {
    // "Grüße" written on DOS (code page 850) and read as Windows text.
    const QString asRead = CodePages::DecodeWindows1252("Gr\x81\xE1"
                                                        "e");
    QCOMPARE(CodePages::DosToWindows(asRead), QStringLiteral("Grüße"));
    QCOMPARE(CodePages::WindowsToDos(QStringLiteral("Grüße")), asRead);
    QCOMPARE(CodePages::DosToWindows(QStringLiteral("plain ASCII {}\n")),
             QStringLiteral("plain ASCII {}\n"));
    // Characters outside the source code page stay; the length never changes.
    const QString mixed = QStringLiteral("→ä€");
    QCOMPARE(CodePages::WindowsToDos(mixed).size(), mixed.size());
    QCOMPARE(CodePages::WindowsToDos(mixed).at(0), QChar(0x2192));
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const QString ch = CodePages::DecodeWindows1252(QByteArray(1, char(byte)));
        QCOMPARE(CodePages::WindowsToDos(CodePages::DosToWindows(ch)), ch);
    }
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
