// The printed page: layout arithmetic, a PDF read back with pdftotext, and the colours of
// the two views on an image of a page.

#include "editor/PrintLayout.h"
#include "editor/PrintRenderer.h"

#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QStringList JavaLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("public class Zeile%1 { int wert = %1; } // Kommentar").arg(i);
    return lines;
}

PrintDocument DocumentOf(TColorMemo &memo, const QStringList &lines, bool colored) {
    PrintDocument document;
    document.Title = QStringLiteral("Fenster.java");
    document.Lines = lines;
    document.Font = memo.font();
    document.Rules = colored ? &memo.ColorRules() : nullptr;
    document.Options = memo.Options();
    document.Palette = memo.palette();
    document.Print.Assign(memo.PrintOptions());
    return document;
}

QString Run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

qreal TenPerCharacter(QStringView piece) {
    return qreal(piece.size()) * 10;
}

int PdfInfoPages(const QString &pdf) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestPrintRenderer : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void wrapLine_data();
    void wrapLine();
    void wrappedRowsFitAndKeepEveryCharacter();
    void longLinesWrapOnPaper();
    void pdfPagesAndText();
    void colorsOfTheTwoViews();
};

void TestPrintRenderer::layout() {
    TCMPrintMargins margins; // 100 = one inch on every side
    // A page of 1100 x 1700 pixels at 100 dpi: 900 x 1500 inside the margins.
    PrintLayout l = LayOutPages(QRect(0, 0, 1100, 1700), 100, margins, 20, 10, 250);
    QCOMPARE(l.Header, QRect(100, 100, 900, 20));
    QCOMPARE(l.Footer, QRect(100, 1580, 900, 20));
    QCOMPARE(l.Body.top(), 140); // header and a blank line above
    QCOMPARE(l.RowsPerPage, (1500 - 80) / 20);
    QCOMPARE(l.PageCount, 4); // 71 + 71 + 71 + 37
    QCOMPARE(l.RowsOn(3), 250 - 3 * 71);
    QCOMPARE(l.RowsOn(4), 0);
    QCOMPARE(l.FirstRow(3), 3 * 71);
    QCOMPARE(int(l.Rows.size()), 250);
    QCOMPARE(l.Rows[249].Line, 249);
    QCOMPARE(l.Numbers.width(), 4 * 10); // three digits and a gap
    QCOMPARE(l.Body.left(), 140);
    QCOMPARE(PageFooter(0), QStringLiteral("Seite 1"));
    // No lines still give one page; margins that leave no room are dropped.
    l = LayOutPages(QRect(0, 0, 1100, 1700), 100, margins, 20, 10, 0);
    QCOMPARE(l.PageCount, 1);
    margins.Top = margins.Bottom = 900;
    l = LayOutPages(QRect(0, 0, 1100, 1700), 100, margins, 20, 10, 10);
    QCOMPARE(l.Header.top(), 0);
    QVERIFY(l.RowsPerPage >= 1);

    // Broken lines take more rows, and the pages follow the rows.
    l = LayOutPages(QRect(0, 0, 1100, 1700), 100, TCMPrintMargins(), 20, 10, 3);
    std::vector<PrintRow> rows;
    AppendRows(rows, 0, 5, {});
    for (int line = 1; line < 3; ++line)
        AppendRows(rows, line, 100 * 71, {100 * 71 / 2, 100 * 71 - 1});
    AppendRows(rows, 3, 0, {});
    l.SetRows(rows);
    QCOMPARE(int(l.Rows.size()), 1 + 3 + 3 + 1);
    QCOMPARE(l.PageCount, 1);
    QCOMPARE(l.Rows[2].Line, 1);
    QCOMPARE(l.Rows[2].Start, 100 * 71 / 2);
    QCOMPARE(l.Rows[2].Length, 100 * 71 - 1 - 100 * 71 / 2);
    QVERIFY(l.Rows[2].Continued() && l.Rows[3].Continued() && !l.Rows[4].Continued());
    QCOMPARE(l.Rows[7].Length, 0); // an empty line is one empty row
    rows.clear();
    for (int line = 0; line < 3; ++line) {
        std::vector<int> breaks;
        for (int at = 10; at < 600; at += 10)
            breaks.push_back(at);
        AppendRows(rows, line, 600, breaks);
    }
    l.SetRows(rows);
    QCOMPARE(l.PageCount, 3); // 180 rows on pages of 71
    QCOMPARE(l.RowsOn(2), 180 - 2 * 71);
}

void TestPrintRenderer::wrapLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width"); // ten pixels a character, tab stops every 40
    QTest::addColumn<QList<int>>("breaks");
    QTest::newRow("fits") << "abcde" << 50 << QList<int>{};
    QTest::newRow("empty") << "" << 50 << QList<int>{};
    QTest::newRow("after the last blank") << "ab cdefgh" << 50 << QList<int>{3, 8};
    QTest::newRow("a blank that does not fit ends its row") << "abc def ghi" << 70 << QList<int>{8};
    QTest::newRow("hard without blanks") << "abcdefghij" << 30 << QList<int>{3, 6, 9};
    QTest::newRow("indentation is no break") << "    abcdefghij" << 60 << QList<int>{6, 12};
    QTest::newRow("a tab past the edge ends its row") << "\tab\tcd" << 75 << QList<int>{4};
    QTest::newRow("tabs count from the row's start") << "abcdef\tx" << 45 << QList<int>{4, 7};
    QTest::newRow("a character wider than the body") << "ab" << 5 << QList<int>{1};
}

void TestPrintRenderer::wrapLine() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QList<int>, breaks);
    const std::vector<int> got = WrapLine(text, width, 40, TenPerCharacter);
    QCOMPARE(QList<int>(got.begin(), got.end()), breaks);
}

void TestPrintRenderer::wrappedRowsFitAndKeepEveryCharacter() {
    // Random lines of words, blanks and tabs against a plain measure: the rows are the line
    // in order, each fits (but for a blank that ends it or a lone character), and a row broken
    // inside a word could take no further character.
    QRandomGenerator random(20240611);
    const QString alphabet = QStringLiteral("aaaaabbbcdeW  \t.;(\u00e4");
    for (int round = 0; round < 2000; ++round) {
        QString text;
        for (int n = int(random.bounded(300)); n > 0; --n)
            text += alphabet[int(random.bounded(alphabet.size()))];
        const qreal width = 5 + random.bounded(400);
        const qreal tab = 1 + random.bounded(80);
        const auto measure = [](QStringView piece) {
            qreal w = 0;
            for (QChar c : piece)
                w += c == u'W' ? 17 : c == u'.' ? 4 : 9;
            return w;
        };
        const auto rowWidth = [&](QStringView row) {
            qreal x = 0;
            for (QChar c : row)
                x = c == u'\t' ? (std::floor(x / tab) + 1) * tab : x + measure(QStringView(&c, 1));
            return x;
        };
        const std::vector<int> breaks = WrapLine(text, width, tab, measure);
        std::vector<PrintRow> rows;
        AppendRows(rows, 0, int(text.size()), breaks);
        QString joined;
        for (size_t i = 0; i < rows.size(); ++i) {
            const PrintRow &row = rows[i];
            const QStringView piece = QStringView(text).mid(row.Start, row.Length);
            joined += piece;
            QVERIFY(row.Length > 0 || text.isEmpty());
            QVERIFY(i + 1 == rows.size() || rows[i + 1].Start == row.Start + row.Length);
            const bool blankEnd =
                !piece.isEmpty() && (piece.back() == u' ' || piece.back() == u'\t');
            const QStringView ink = blankEnd ? piece.chopped(1) : piece;
            QVERIFY2(row.Length == 1 || rowWidth(ink) <= width + 1e-9,
                     qPrintable(QStringLiteral("round %1 row %2").arg(round).arg(i)));
            if (i + 1 < rows.size() && !blankEnd && !piece.contains(u' ') && !piece.contains(u'\t'))
                QVERIFY(rowWidth(QStringView(text).mid(row.Start, row.Length + 1)) > width);
        }
        QCOMPARE(joined, text);
    }
    // A very long line costs about its own length in measuring, not its square.
    const QString line(20000, u'x');
    qsizetype measured = 0;
    const std::vector<int> breaks = WrapLine(line, 1000, 40, [&](QStringView piece) {
        measured += piece.size();
        return qreal(piece.size()) * 10;
    });
    QCOMPARE(int(breaks.size()), 199);
    QVERIFY2(measured < 30 * line.size(), qPrintable(QString::number(measured)));
}

void TestPrintRenderer::pdfPagesAndText() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    TColorMemo memo;
    SetupEditorColorMemo(memo);
    const QStringList lines = JavaLines(130);
    const PrintDocument document = DocumentOf(memo, lines, true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    int expectedPages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        const QPageLayout page = writer.pageLayout();
        const PrintRenderer renderer(document, page.fullRectPixels(300), 300);
        expectedPages = renderer.Layout().PageCount;
        QCOMPARE(expectedPages,
                 (130 + renderer.Layout().RowsPerPage - 1) / renderer.Layout().RowsPerPage);
        QVERIFY(expectedPages >= 2);
        QVERIFY(PrintPages(document, writer));
    }
    QCOMPARE(PdfInfoPages(pdf), expectedPages);

    // The first page reads: header, the first lines with their numbers, ..., footer.
    const QString first =
        Run(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    QStringList read;
    for (const QString &line : first.split(u'\n')) {
        if (!line.trimmed().isEmpty())
            read << line.simplified();
    }
    QVERIFY2(read.size() > 4, qPrintable(first));
    QCOMPARE(read[0], QStringLiteral("Fenster.java"));
    QCOMPARE(read[1], QStringLiteral("1 ") + lines[0]);
    QCOMPARE(read[2], QStringLiteral("2 ") + lines[1]);
    QCOMPARE(read.last(), QStringLiteral("Seite 1"));
    const QString last =
        Run(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(expectedPages), pdf, QStringLiteral("-")});
    QVERIFY(last.contains(QStringLiteral("Seite %1").arg(expectedPages)));
    QVERIFY(last.contains(lines.last()));

    // A page range prints just those pages.
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        QVERIFY(PrintPages(document, writer, 2, 2));
    }
    QCOMPARE(PdfInfoPages(pdf), 1);
    QVERIFY(Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(u"Seite 2"));
}

void TestPrintRenderer::longLinesWrapOnPaper() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    TColorMemo memo;
    SetupEditorColorMemo(memo);
    QString words;
    for (int i = 1; i <= 40; ++i)
        words += QStringLiteral("der Browser oder cmd%1 ").arg(i);
    const QStringList lines = {
        QStringLiteral("class Lang {"),
        QStringLiteral("    // ") + words.trimmed(),
        QStringLiteral("    String s = \"") + QString(400, u'x') + QStringLiteral("Ende\";"),
        QStringLiteral("}"),
    };
    const PrintDocument document = DocumentOf(memo, lines, true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lang.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QVERIFY(PrintPages(document, writer));
    }
    QCOMPARE(PdfInfoPages(pdf), 1);

    // Read back row by row: a number starts each line, the mark each continuation row.
    const QString text =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList rows;
    for (const QString &line : text.split(u'\n')) {
        if (!line.trimmed().isEmpty())
            rows << line.simplified();
    }
    QVERIFY2(rows.size() > 6, qPrintable(text));
    QCOMPARE(rows.first(), QStringLiteral("Fenster.java"));
    QCOMPARE(rows.last(), QStringLiteral("Seite 1"));
    QStringList printed;
    int continuations = 0;
    for (const QString &row : rows.mid(1, rows.size() - 2)) {
        if (row.startsWith(ContinuationMark())) {
            QVERIFY(!printed.isEmpty());
            printed.last() += row.mid(ContinuationMark().size());
            ++continuations;
        } else {
            const qsizetype blank = row.indexOf(u' ');
            QCOMPARE(row.left(blank), QString::number(printed.size() + 1));
            printed << row.mid(blank + 1);
        }
    }
    QVERIFY2(continuations >= 4, qPrintable(text));
    // Every character is on paper (blanks aside, which text extraction does not keep).
    QCOMPARE(printed.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(QString(printed[i]).remove(u' '), QString(lines[i]).remove(u' '));

    // Nothing stands in the right margin of an inch.
    const QString boxes =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\"")).match(boxes);
    QVERIFY2(page.hasMatch(), qPrintable(boxes.left(500)));
    const double limit = page.captured(1).toDouble() - 72 + 0.5;
    int wordCount = 0;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"[\\d.]+\" "
                                          "xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"))
            .globalMatch(boxes);
    while (it.hasNext()) {
        const QRegularExpressionMatch word = it.next();
        ++wordCount;
        QVERIFY2(word.captured(1).toDouble() <= limit,
                 qPrintable(word.captured(2) + u' ' + word.captured(1)));
    }
    QVERIFY(wordCount > 40);
}

void TestPrintRenderer::colorsOfTheTwoViews() {
    // A page painted on an image: the colour view shows the rule colours, the monochrome view
    // only black on white (and the greys of smoothed edges).
    TColorMemo memo;
    SetupEditorColorMemo(memo);
    auto colouredPixels = [&](bool colored) {
        const PrintDocument document = DocumentOf(memo, JavaLines(20), colored);
        QImage image(850, 1100, QImage::Format_RGB32);
        image.fill(Qt::white);
        PrintRenderer renderer(document, image.rect(), 100);
        QPainter painter(&image);
        renderer.PaintPage(painter, 0);
        painter.end();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.hsvSaturation() > 100 && c.value() > 60)
                    ++count;
            }
        }
        return count;
    };
    QVERIFY(colouredPixels(true) > 100);
    QCOMPARE(colouredPixels(false), 0);
}

QTEST_MAIN(TestPrintRenderer)
#include "tst_printrenderer.moc"
