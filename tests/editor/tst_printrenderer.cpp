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
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
    QCOMPARE(l.LinesPerPage, (1500 - 80) / 20);
    QCOMPARE(l.PageCount, 4); // 71 + 71 + 71 + 37
    QCOMPARE(l.LinesOn(3), 250 - 3 * 71);
    QCOMPARE(l.LinesOn(4), 0);
    QCOMPARE(l.Numbers.width(), 4 * 10); // three digits and a gap
    QCOMPARE(l.Body.left(), 140);
    QCOMPARE(PageFooter(0), QStringLiteral("Seite 1"));
    // No lines still give one page; margins that leave no room are dropped.
    l = LayOutPages(QRect(0, 0, 1100, 1700), 100, margins, 20, 10, 0);
    QCOMPARE(l.PageCount, 1);
    margins.Top = margins.Bottom = 900;
    l = LayOutPages(QRect(0, 0, 1100, 1700), 100, margins, 20, 10, 10);
    QCOMPARE(l.Header.top(), 0);
    QVERIFY(l.LinesPerPage >= 1);
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
                 (130 + renderer.Layout().LinesPerPage - 1) / renderer.Layout().LinesPerPage);
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
