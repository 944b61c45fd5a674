#include "app/app_icons.h"

#include "framework/command_ids.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

#include <functional>
#include <memory>

namespace ombrelis {

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
    const QPoint outline[] = {{x, y},
                              {x + width - fold, y},
                              {x + width, y + fold},
                              {x + width, y + height},
                              {x, y + height}};
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

// The "?" of DejaVu Sans Bold at 12 pixels, set at (4.5, 11.5), in 1/64
// pixel: the glyph's own outline, so that the button needs no text shaping
// and no longer depends on which fonts are installed.
struct OutlineStep {
    enum Kind {
        Move,
        Line,
        Quad
    } kind;
    double x, y;    // the end point
    double cx, cy;  // the control point of a quadratic segment
};

constexpr OutlineStep moveTo(double x, double y)
{
    return {OutlineStep::Move, x, y, 0, 0};
}
constexpr OutlineStep lineTo(double x, double y)
{
    return {OutlineStep::Line, x, y, 0, 0};
}
constexpr OutlineStep quadTo(double cx, double cy, double x, double y)
{
    return {OutlineStep::Quad, x, y, cx, cy};
}

// clang-format off
constexpr OutlineStep kQuestionMark[] = {
    moveTo(554, 547),           lineTo(419, 547),           lineTo(419, 529),
    quadTo(419, 498, 431, 474), quadTo(443, 450, 483, 413), lineTo(507, 392),
    quadTo(528, 372, 538, 355), quadTo(548, 338, 548, 320), quadTo(548, 294, 530, 279.5),
    quadTo(512, 265, 480, 265), quadTo(450, 265, 414.5, 277.5), quadTo(379, 290, 341, 314),
    lineTo(341, 197),           quadTo(386, 181, 423.5, 173.5), quadTo(461, 166, 496, 166),
    quadTo(588, 166, 636, 203.5), quadTo(684, 241, 684, 312), quadTo(684, 349, 669, 378),
    quadTo(654, 407, 619, 440), lineTo(595, 462),           quadTo(570, 485, 562, 499),
    quadTo(554, 513, 554, 530), lineTo(554, 547),
    // the dot
    moveTo(419, 602),           lineTo(554, 602),           lineTo(554, 736),
    lineTo(419, 736),           lineTo(419, 602),
};
// clang-format on

QPainterPath questionMark()
{
    constexpr double kUnit = 64.0;
    QPainterPath path;
    for (const OutlineStep &step : kQuestionMark) {
        const QPointF to(step.x / kUnit, step.y / kUnit);
        switch (step.kind) {
        case OutlineStep::Move:
            path.moveTo(to);
            break;
        case OutlineStep::Line:
            path.lineTo(to);
            break;
        case OutlineStep::Quad:
            path.quadTo(QPointF(step.cx / kUnit, step.cy / kUnit), to);
            break;
        }
    }
    return path;
}

void drawAbout(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kNavy);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 0, 14, 14));
    p.setBrush(kPaper);
    p.drawPath(questionMark());
}

}  // namespace

QIcon toolbarIcon(int commandId)
{
    void (*draw)(QPainter &) = nullptr;
    switch (commandId) {
    case cmd::FileNew:
        draw = drawNew;
        break;
    case cmd::SaveAll:
        draw = drawSaveAll;
        break;
    case cmd::Cut:
        draw = drawCut;
        break;
    case cmd::Copy:
        draw = drawCopy;
        break;
    case cmd::Paste:
        draw = drawPaste;
        break;
    case cmd::Axes:
        draw = drawAxes;
        break;
    case cmd::Frame:
        draw = drawFrame;
        break;
    case cmd::TangentLength:
        draw = drawTangentLength;
        break;
    case cmd::CurveColour:
        draw = drawCurveColour;
        break;
    case cmd::AppAbout:
        draw = drawAbout;
        break;
    default:
        return {};
    }
    return drawn(kToolbarButtonWidth, kToolbarButtonHeight, draw);
}

namespace {

constexpr int kApplicationIconSides[] = {16, 24, 32, 48, 64, 128};

QImage renderedSide(QSvgRenderer &svg, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image;
}

// The application's icon renders a size only when first asked for: most are
// never shown, and a window system without window icons asks for none. It
// answers as an icon holding every size would: the smallest size at least
// as large as asked, else the largest, scaled down to fit.
class ApplicationIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return withSideFor(size).pixmap(size, 1.0, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio =
            painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = sideFor(size);
        QSize actual(side, side);
        if (side > size.width() || side > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const int side : kApplicationIconSides)
                sizes.append(QSize(side, side));
        }
        return sizes;
    }
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new ApplicationIconEngine(*this); }

private:
    static int sideFor(const QSize &size)
    {
        const qint64 area = qint64(size.width()) * size.height();
        for (const int side : kApplicationIconSides) {
            if (qint64(side) * side >= area)
                return side;
        }
        return std::end(kApplicationIconSides)[-1];
    }

    // The rendered sizes, with the one `size` is answered from among them.
    const QIcon &withSideFor(const QSize &size)
    {
        const int side = sideFor(size);
        if (!rendered_.availableSizes().contains(QSize(side, side))) {
            if (!svg_)
                svg_ = std::make_shared<QSvgRenderer>(QStringLiteral(":/icons/ombrelis.svg"));
            rendered_.addPixmap(QPixmap::fromImage(renderedSide(*svg_, side)));
        }
        return rendered_;
    }

    std::shared_ptr<QSvgRenderer> svg_;
    QIcon rendered_;
};

}  // namespace

QIcon renderedApplicationIcon()
{
    // The installed hicolor icon, drawn here without needing Qt's SVG icon plugin.
    QSvgRenderer svg(QStringLiteral(":/icons/ombrelis.svg"));
    QIcon icon;
    for (const int side : kApplicationIconSides)
        icon.addPixmap(QPixmap::fromImage(renderedSide(svg, side)));
    return icon;
}

QIcon applicationIcon()
{
    return QIcon(new ApplicationIconEngine);
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

}  // namespace ombrelis
