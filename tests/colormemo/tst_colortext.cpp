// Reading colour fields, splitting entry lines into fields, and the line list's text forms.
#include "colormemo/CMStringList.h"
#include "colormemo/ColorText.h"

#include <QTest>

class TestColorText : public QObject {
    Q_OBJECT
private slots:
    void parseColorText_data();
    void parseColorText();
    void splitFields_data();
    void splitFields();
    void splitterReusesBuffers();
    void setText_data();
    void setText();
    void text();
    void commaText_data();
    void commaText();
};

void TestColorText::parseColorText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<TColor>("color");
    QTest::newRow("clRed") << "clRed" << TColor(0x000000FF);
    QTest::newRow("red") << "red" << TColor(0x000000FF);
    QTest::newRow("#FF0000") << "#FF0000" << TColor(0x000000FF);
    QTest::newRow("bare hex green") << "00FF00" << TColor(0x0000FF00);
    QTest::newRow("clNavy") << "clNavy" << TColor(0x00800000);
    QTest::newRow("Navy") << "Navy" << TColor(0x00800000);
    QTest::newRow("navy with blanks") << "  navy\t " << TColor(0x00800000);
    QTest::newRow("mixed case prefix") << "cLsIlVeR" << TColor(0x00C0C0C0);
    QTest::newRow("black is zero, not a failure") << "clBlack" << TColor(0);
    QTest::newRow("every name: maroon") << "maroon" << TColor(0x00000080);
    QTest::newRow("olive") << "olive" << TColor(0x00008080);
    QTest::newRow("purple") << "purple" << TColor(0x00800080);
    QTest::newRow("teal") << "teal" << TColor(0x00808000);
    QTest::newRow("gray") << "gray" << TColor(0x00808080);
    QTest::newRow("lime") << "lime" << TColor(0x0000FF00);
    QTest::newRow("yellow") << "yellow" << TColor(0x0000FFFF);
    QTest::newRow("blue") << "blue" << TColor(0x00FF0000);
    QTest::newRow("fuchsia") << "clFuchsia" << TColor(0x00FF00FF);
    QTest::newRow("aqua") << "aqua" << TColor(0x00FFFF00);
    QTest::newRow("white") << "WHITE" << TColor(0x00FFFFFF);
    QTest::newRow("green") << "green" << TColor(0x00008000);
    QTest::newRow("red and blue swapped") << "#123456" << TColor(0x00563412);
    QTest::newRow("dollar hex") << "$FF" << TColor(0x00FF0000);
    QTest::newRow("bare decimal digits are hex") << "255" << TColor(0x00550200);
    QTest::newRow("bits above 24 lost") << "#12345678" << TColor(0x00785634);
    QTest::newRow("first # anywhere removed") << "12#34" << TColor(0x00341200);
    QTest::newRow("only the first # removed") << "#12#34" << TColor(0x00FFFFFF);
    QTest::newRow("dollar with non-hex letters") << "$XYZ" << TColor(0x00FFFFFF);
    QTest::newRow("dollar inside: decimal read fails") << "1$2" << TColor(0x00FFFFFF);
    QTest::newRow("dollar alone") << "$" << TColor(0x00FFFFFF);
    QTest::newRow("empty") << "" << TColor(0x00FFFFFF);
    QTest::newRow("blank") << "   " << TColor(0x00FFFFFF);
    QTest::newRow("cl alone") << "cl" << TColor(0x00FFFFFF);
    QTest::newRow("unknown name") << "clMoneyGreen" << TColor(0x00FFFFFF);
    QTest::newRow("name with trailing text") << "redish" << TColor(0x00FFFFFF);
    QTest::newRow("cl then hex") << "cl00FF00" << TColor(0x0000FF00);
    QTest::newRow("cut to 10 characters") << "00000000FFAB" << TColor(0x00FF0000);
    QTest::newRow("more than 32 bits") << "1FFFFFFFFF" << TColor(0x00FFFFFF);
    QTest::newRow("8 hex digits fit") << "FF00FF01" << TColor(0x0001FF00);
    QTest::newRow("negative hex") << "-$10" << TColor(0x00F0FFFF);
    QTest::newRow("blank inside digits") << "12 34" << TColor(0x00FFFFFF);
    QTest::newRow("lower-case hex") << "#00ff00" << TColor(0x0000FF00);
    QTest::newRow("non-ASCII letters") << QString::fromUtf8("rød") << TColor(0x00FFFFFF);
}

void TestColorText::parseColorText() {
    QFETCH(QString, text);
    QFETCH(TColor, color);
    QCOMPARE(ParseColorText(text), color);
}

void TestColorText::splitFields_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("three fields") << "begin;end;clGreen" << QStringList{"begin", "end", "clGreen"};
    QTest::newRow("doubled semicolon is literal") << "a;;b;red" << QStringList{"a;b", "red"};
    QTest::newRow("empty leading field dropped") << " ; x" << QStringList{"x"};
    QTest::newRow("empty line") << "" << QStringList{};
    QTest::newRow("blank line") << " \t " << QStringList{};
    QTest::newRow("lone semicolon") << ";" << QStringList{};
    QTest::newRow("semicolon at the end") << "a;" << QStringList{"a"};
    QTest::newRow("doubled at the end") << "a;;" << QStringList{"a;"};
    QTest::newRow("doubled alone") << ";;" << QStringList{";"};
    QTest::newRow("three in a row") << "a;;;b" << QStringList{"a;", "b"};
    QTest::newRow("four in a row") << "a;;;;b" << QStringList{"a;;b"};
    QTest::newRow("three alone") << ";;;" << QStringList{";"};
    QTest::newRow("empty middle field") << "a; ;b" << QStringList{"a", "b"};
    QTest::newRow("control characters trimmed")
        << QString::fromLatin1("\x01key\x1f;\tred\r") << QStringList{"key", "red"};
    QTest::newRow("blanks inside kept") << "  two words  " << QStringList{"two words"};
    QTest::newRow("tab inside kept") << "a\tb" << QStringList{"a\tb"};
    QTest::newRow("blank around literal") << " ;; " << QStringList{";"};
    QTest::newRow("several fields with literals")
        << "a;;b;c;;d;e" << QStringList{"a;b", "c;d", "e"};
}

void TestColorText::splitFields() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QStringList result{"stale"};
    SplitFields(line, result);
    QCOMPARE(result, fields);
}

void TestColorText::splitterReusesBuffers() {
    TFieldSplitter splitter;
    QCOMPARE(splitter.Split(u"alpha;beta;gamma"), 3);
    QCOMPARE(splitter.Field(1), QStringView(u"beta"));
    QCOMPARE(splitter.Split(u"x"), 1);
    QCOMPARE(splitter.Field(0), QStringView(u"x"));
    QCOMPARE(splitter.Count(), 1);
    QCOMPARE(splitter.Split(u" ; "), 0);
    QCOMPARE(splitter.Split(u"a;;b"), 1);
    QCOMPARE(splitter.Field(0), QStringView(u"a;b"));
}

void TestColorText::setText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line without break") << "a" << QStringList{"a"};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("one break") << "\r\n" << QStringList{""};
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("empty last line") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("CR CR") << "a\r\rb" << QStringList{"a", "", "b"};
}

void TestColorText::setText() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    TCMStringList list{"old"};
    list.SetText(text);
    QCOMPARE(QStringList(list), lines);
}

void TestColorText::text() {
    TCMStringList list;
    QCOMPARE(list.Text(), QString());
    list = TCMStringList{"a", "", "b c"};
    QCOMPARE(list.Text(), QStringLiteral("a\r\n\r\nb c\r\n"));
    TCMStringList back;
    back.SetText(list.Text());
    QCOMPARE(back, list);
}

void TestColorText::commaText_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("plain") << QStringList{"a", "b"} << "a,b";
    QTest::newRow("blank") << QStringList{"a b", "c"} << "\"a b\",c";
    QTest::newRow("comma") << QStringList{"a,b"} << "\"a,b\"";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("single empty line") << QStringList{""} << "\"\"";
    QTest::newRow("empty among others") << QStringList{"a", "", "b"} << "a,,b";
    QTest::newRow("semicolon needs no quotes") << QStringList{"a;b"} << "a;b";
}

void TestColorText::commaText() {
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QCOMPARE(TCMStringList(lines).CommaText(), text);
}

QTEST_GUILESS_MAIN(TestColorText)
#include "tst_colortext.moc"
