#include "app/app_icons.h"

#include "widgets/command_ids.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

#include <functional>

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kGrey(192, 192, 192);
const QColor kCurveRed(255, 0, 0);

QIcon drawn(int width, int height, const std::function<void(QPainter &)> &draw)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(kInk);
    draw(painter);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

// A sheet of paper with a folded corner, its top left at (x, y).
void drawPage(QPainter &p, int x, int y, int width, int height)
{
    const int fold = 3;
    const QPoint outline[] = {{x, y}, {x + width - fold, y}, {x + width, y + fold},
                              {x + width, y + height}, {x, y + height}};
    p.setBrush(kPaper);
    p.drawPolygon(outline, 5);
    p.drawLine(x + width - fold, y, x + width - fold, y + fold);
    p.drawLine(x + width - fold, y + fold, x + width, y + fold);
}

void drawFloppy(QPainter &p, int x, int y)
{
    p.setBrush(kNavy);
    p.drawRect(x, y, 10, 10);
    p.fillRect(x + 2, y + 1, 7, 4, kPaper);
    p.fillRect(x + 3, y + 7, 5, 3, kGrey);
}

void drawNew(QPainter &p)
{
    drawPage(p, 3, 1, 10, 12);
}

void drawSaveAll(QPainter &p)
{
    drawFloppy(p, 4, 0);
    drawFloppy(p, 1, 4);
}

void drawCut(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.drawLine(QPointF(5.5, 9), QPointF(10.5, 1));
    p.drawLine(QPointF(10.5, 9), QPointF(5.5, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 11), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 11), 2.5, 2.5);
}

void drawCopy(QPainter &p)
{
    drawPage(p, 1, 1, 8, 9);
    drawPage(p, 6, 4, 8, 10);
}

void drawPaste(QPainter &p)
{
    p.setBrush(QColor(160, 110, 40));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(kGrey);
    p.drawRect(4, 1, 4, 2);
    drawPage(p, 7, 6, 7, 8);
}

void drawAxes(QPainter &p)
{
    p.drawLine(3, 1, 3, 12);
    p.drawLine(3, 12, 14, 12);
    p.drawLine(2, 2, 4, 2);  // arrow heads
    p.drawLine(13, 11, 13, 13);
    p.setPen(kCurveRed);
    p.drawLine(4, 10, 7, 7);
    p.drawLine(7, 7, 10, 7);
    p.drawLine(10, 7, 13, 3);
}

void drawFrame(QPainter &p)
{
    p.setBrush(kPaper);
    p.drawRect(1, 1, 13, 12);
    p.drawRect(3, 3, 9, 8);
}

void drawTangentLength(QPainter &p)
{
    p.setPen(QColor(0, 0, 255));
    p.drawLine(2, 12, 13, 2);
    p.fillRect(1, 11, 3, 3, kInk);
    p.fillRect(12, 1, 3, 3, kInk);
    p.setPen(kCurveRed);
    p.setBrush(kCurveRed);
    p.drawEllipse(6, 5, 3, 3);
}

void drawCurveColour(QPainter &p)
{
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(1, 2, 4, 11);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(6, 2, 4, 11);
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(11, 2, 4, 11);
}

void drawAbout(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kNavy);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 0, 14, 14));
    QPainterPath mark;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    mark.addText(QPointF(4.5, 11.5), font, QStringLiteral("?"));
    p.setBrush(kPaper);
    p.drawPath(mark);
}

}  // namespace

QIcon toolbarIcon(int commandId)
{
    void (*draw)(QPainter &) = nullptr;
    switch (commandId) {
    case cmd::FileNew: draw = drawNew; break;
    case cmd::SaveAll: draw = drawSaveAll; break;
    case cmd::Cut: draw = drawCut; break;
    case cmd::Copy: draw = drawCopy; break;
    case cmd::Paste: draw = drawPaste; break;
    case cmd::Axes: draw = drawAxes; break;
    case cmd::Frame: draw = drawFrame; break;
    case cmd::TangentLength: draw = drawTangentLength; break;
    case cmd::CurveColour: draw = drawCurveColour; break;
    case cmd::AppAbout: draw = drawAbout; break;
    default: return {};
    }
    return drawn(kToolbarButtonWidth, kToolbarButtonHeight, draw);
}

QIcon applicationIcon()
{
    // The installed hicolor icon, drawn here without needing Qt's SVG icon plugin.
    QSvgRenderer svg(QStringLiteral(":/icons/ombrelis.svg"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon documentIcon()
{
    return drawn(16, 16, [](QPainter &p) {
        drawPage(p, 2, 0, 11, 15);
        p.setPen(kCurveRed);
        p.drawLine(4, 12, 7, 6);
        p.drawLine(7, 6, 11, 9);
    });
}
