#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QString themeName(ToolPicture picture) {
    switch (picture) {
    case ToolPicture::Open:
        return QStringLiteral("document-open");
    case ToolPicture::New:
        return QStringLiteral("document-new");
    case ToolPicture::Save:
        return QStringLiteral("document-save");
    case ToolPicture::SaveAll:
        return QStringLiteral("document-save-all");
    case ToolPicture::Print:
        return QStringLiteral("document-print");
    case ToolPicture::Undo:
        return QStringLiteral("edit-undo");
    case ToolPicture::Cut:
        return QStringLiteral("edit-cut");
    case ToolPicture::Paste:
        return QStringLiteral("edit-paste");
    case ToolPicture::Previous:
        return QStringLiteral("go-previous");
    case ToolPicture::Next:
        return QStringLiteral("go-next");
    case ToolPicture::Compile:
        return QStringLiteral("run-build");
    case ToolPicture::Run:
        return QStringLiteral("media-playback-start");
    case ToolPicture::JavaHelp:
        return QStringLiteral("help-contents");
    case ToolPicture::Debug:
        return QStringLiteral("debug-run");
    case ToolPicture::Continue:
        return QStringLiteral("media-seek-forward");
    case ToolPicture::StepOver:
        return QStringLiteral("debug-step-over");
    case ToolPicture::StepInto:
        return QStringLiteral("debug-step-into");
    case ToolPicture::StepOut:
        return QStringLiteral("debug-step-out");
    case ToolPicture::Application:
        break;
    }
    return QString();
}

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(40, 90, 190);
const QColor kGreen(30, 140, 60);
const QColor kYellow(235, 190, 60);

void drawPage(QPainter &p, const QRectF &r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
}

void drawFloppy(QPainter &p, const QRectF &r) {
    p.setBrush(kBlue);
    p.drawRect(r);
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + 3, r.top(), r.width() - 6, r.height() * 0.4));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(
        QRectF(r.left() + 4, r.bottom() - r.height() * 0.35, r.width() - 8, r.height() * 0.35));
}

void drawArrow(QPainter &p, bool left) {
    QPolygonF arrow;
    if (left)
        arrow << QPointF(3, 12) << QPointF(11, 4) << QPointF(11, 8) << QPointF(20, 8)
              << QPointF(20, 16) << QPointF(11, 16) << QPointF(11, 20);
    else
        arrow << QPointF(21, 12) << QPointF(13, 4) << QPointF(13, 8) << QPointF(4, 8)
              << QPointF(4, 16) << QPointF(13, 16) << QPointF(13, 20);
    p.setBrush(kBlue);
    p.drawPolygon(arrow);
}

// A step: a curved arrow from the line above down to the line it lands on, past the
// dashes of the lines it steps over (over), into an indented line (into), or out to the
// left (out).
void drawStep(QPainter &p, ToolPicture picture) {
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    if (picture == ToolPicture::StepOver)
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, 2.2));
    QPainterPath path;
    QPolygonF head;
    switch (picture) {
    case ToolPicture::StepOver:
        path.moveTo(4, 14);
        path.cubicTo(4, 2, 20, 2, 20, 14);
        head << QPointF(16, 13) << QPointF(24, 13) << QPointF(20, 19);
        break;
    case ToolPicture::StepInto:
        path.moveTo(6, 2);
        path.lineTo(6, 10);
        path.cubicTo(6, 14, 10, 14, 14, 14);
        head << QPointF(13, 10) << QPointF(13, 18) << QPointF(20, 14);
        break;
    default:
        path.moveTo(18, 16);
        path.lineTo(18, 8);
        path.cubicTo(18, 5, 15, 5, 10, 5);
        head << QPointF(11, 1) << QPointF(11, 9) << QPointF(4, 5);
        break;
    }
    p.drawPath(path);
    p.setPen(QPen(kBlue, 1));
    p.setBrush(kBlue);
    p.drawPolygon(head);
}

void draw(QPainter &p, ToolPicture picture) {
    p.setPen(QPen(kInk, 1.2));
    switch (picture) {
    case ToolPicture::Open: {
        p.setBrush(kYellow);
        QPolygonF folder;
        folder << QPointF(2, 7) << QPointF(8, 7) << QPointF(10, 9) << QPointF(20, 9)
               << QPointF(20, 19) << QPointF(2, 19);
        p.drawPolygon(folder);
        p.setBrush(QColor(250, 215, 110));
        QPolygonF flap;
        flap << QPointF(5, 12) << QPointF(22, 12) << QPointF(19, 19) << QPointF(2, 19);
        p.drawPolygon(flap);
        break;
    }
    case ToolPicture::New:
        drawPage(p, QRectF(5, 2, 14, 19));
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(16, 14), QPointF(16, 22));
        p.drawLine(QPointF(12, 18), QPointF(20, 18));
        break;
    case ToolPicture::Save:
        drawFloppy(p, QRectF(3, 3, 18, 18));
        break;
    case ToolPicture::SaveAll:
        drawFloppy(p, QRectF(2, 2, 14, 14));
        drawFloppy(p, QRectF(8, 8, 14, 14));
        break;
    case ToolPicture::Print:
        drawPage(p, QRectF(7, 2, 10, 8));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        drawPage(p, QRectF(6, 14, 12, 8));
        break;
    case ToolPicture::Undo: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kBlue, 2.4));
        QPainterPath path;
        path.moveTo(7, 9);
        path.cubicTo(14, 5, 22, 9, 19, 17);
        p.drawPath(path);
        p.setPen(QPen(kBlue, 1));
        p.setBrush(kBlue);
        QPolygonF head;
        head << QPointF(3, 10) << QPointF(10, 4) << QPointF(10, 14);
        p.drawPolygon(head);
        break;
    }
    case ToolPicture::Cut:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(7, 3), QPointF(15, 16));
        p.drawLine(QPointF(17, 3), QPointF(9, 16));
        p.setPen(QPen(QColor(200, 40, 40), 2));
        p.drawEllipse(QPointF(7, 18), 3.2, 3.2);
        p.drawEllipse(QPointF(17, 18), 3.2, 3.2);
        break;
    case ToolPicture::Paste:
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(3, 4, 15, 18), 2, 2);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(7, 2, 7, 4));
        drawPage(p, QRectF(10, 9, 11, 13));
        break;
    case ToolPicture::Previous:
        drawArrow(p, true);
        break;
    case ToolPicture::Next:
        drawArrow(p, false);
        break;
    case ToolPicture::Compile: {
        // A hammer: the tool that builds.
        p.setBrush(QColor(150, 100, 50));
        p.save();
        p.translate(12, 12);
        p.rotate(45);
        p.drawRect(QRectF(-1.8, -3, 3.6, 14));
        p.setBrush(QColor(120, 120, 130));
        p.drawRect(QRectF(-7, -9, 14, 6));
        p.restore();
        break;
    }
    case ToolPicture::Run: {
        p.setBrush(kGreen);
        QPolygonF play;
        play << QPointF(6, 3) << QPointF(20, 12) << QPointF(6, 21);
        p.drawPolygon(play);
        break;
    }
    case ToolPicture::Debug: {
        // A bug: body, head and legs.
        p.setBrush(QColor(200, 60, 40));
        p.drawEllipse(QRectF(7, 8, 10, 13));
        p.setBrush(kInk);
        p.drawEllipse(QRectF(9, 3, 6, 6));
        p.setPen(QPen(kInk, 1.4));
        for (const qreal y : {11.0, 15.0, 19.0}) {
            p.drawLine(QPointF(7, y), QPointF(3, y - 2));
            p.drawLine(QPointF(17, y), QPointF(21, y - 2));
        }
        break;
    }
    case ToolPicture::Continue: {
        p.setBrush(kGreen);
        QPolygonF play;
        play << QPointF(9, 4) << QPointF(20, 12) << QPointF(9, 20);
        p.drawPolygon(play);
        p.setBrush(kInk);
        p.drawRect(QRectF(3, 4, 3, 16));
        break;
    }
    case ToolPicture::StepOver:
    case ToolPicture::StepInto:
    case ToolPicture::StepOut:
        drawStep(p, picture);
        break;
    case ToolPicture::Application: {
        // A quill over a page.
        drawPage(p, QRectF(3, 3, 15, 19));
        p.setBrush(kBlue);
        QPainterPath feather;
        feather.moveTo(8, 20);
        feather.cubicTo(10, 12, 15, 5, 22, 1);
        feather.cubicTo(20, 8, 15, 14, 8, 20);
        p.drawPath(feather);
        break;
    }
    case ToolPicture::JavaHelp: {
        p.setBrush(QColor(200, 60, 40));
        p.drawRoundedRect(QRectF(4, 2, 15, 20), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 5, 9, 4));
        p.setPen(QPen(kPaper, 1.2));
        p.drawLine(QPointF(7, 13), QPointF(16, 13));
        p.drawLine(QPointF(7, 16), QPointF(16, 16));
        break;
    }
    }
}

} // namespace

QIcon DrawnToolIcon(ToolPicture picture) {
    QIcon icon;
    for (const int size : {24, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        draw(painter, picture);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ToolIcon(ToolPicture picture) {
    const QIcon themed = QIcon::fromTheme(themeName(picture));
    return themed.isNull() ? DrawnToolIcon(picture) : themed;
}
