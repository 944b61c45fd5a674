#include "view/vector_scene_painter.h"

#include "view/scene_painter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <variant>

namespace ombrelis {

namespace {

// The pixel painter fills pixel (x, y) as the unit square from (x, y) to
// (x + 1, y + 1). A one-unit pen centred on x + 0.5 covers exactly that
// column, so every stroked point moves by half a unit; filled areas keep
// their integer corners. Square caps and mitred joins make a stroke cover its
// end and corner pixels as the pixel rules do.
QPointF pixelCentre(PixelPoint p)
{
    return {p.x + 0.5, p.y + 0.5};
}

QPen strokePen(Colour colour)
{
    return QPen(toQColor(colour), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// The outline of columns left..right-1 and rows top..bottom-1 as a stroke.
// In double: the sides of a shape far off the page overflow an int.
QRectF outlineOf(double left, double top, double right, double bottom)
{
    return {left + 0.5, top + 0.5, right - left - 1.0, bottom - top - 1.0};
}

// A closed outline around the four corners of a rectangle, as that rectangle.
template <typename Points> std::optional<QRectF> rectangularOutline(const Points &points)
{
    if (std::size(points) != 5 || points[0] != points[4])
        return std::nullopt;
    const PixelPoint a = points[0], b = points[1], c = points[2], d = points[3];
    const PixelPoint ac{a.x, c.y}, ca{c.x, a.y};
    if (a.x == c.x || a.y == c.y || !((b == ac && d == ca) || (b == ca && d == ac)))
        return std::nullopt;
    return outlineOf(std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x) + 1.0,
                     std::max(a.y, c.y) + 1.0);
}

class ShapePainter {
public:
    explicit ShapePainter(QPainter &painter) : painter_(painter) { }

    void operator()(const SceneLine &line)
    {
        if (line.from == line.to)
            return;  // a line leaves out its last pixel, its only one here
        stroke(line.colour);
        painter_.drawLine(pixelCentre(line.from), pixelCentre(line.to));
    }
    void operator()(const ScenePolyline &line) { outline(line.points, line.colour); }
    void operator()(const SceneMark &mark)
    {
        outline(markOutline(mark.centre, mark.half), mark.colour);
    }
    void operator()(const SceneRectangle &r) { rectangle(r); }
    void operator()(const SceneBars &bars)
    {
        for (const SceneRectangle &r : bars.rectangles)
            rectangle(r);
    }
    void operator()(const SceneBezier &bezier)
    {
        const std::vector<PixelPoint> &p = bezier.points;
        if (p.size() < 4)
            return;
        QPainterPath path(pixelCentre(p[0]));
        for (std::size_t i = 1; i + 2 < p.size(); i += 3)
            path.cubicTo(pixelCentre(p[i]), pixelCentre(p[i + 1]), pixelCentre(p[i + 2]));
        stroke(bezier.colour);
        painter_.drawPath(path);
    }
    void operator()(const SceneText &text)
    {
        if (!font_ || text.font != fontDescription_) {
            fontDescription_ = text.font;
            font_ = resolveFont(text.font);
        }
        drawSceneText(painter_, text, *font_);
        styled_ = false;  // the text set its own pen
    }

private:
    void stroke(Colour colour) { use(colour, std::nullopt); }

    // Pen and brush are set only when they change: in an SVG file every
    // change opens a new group, thousands for a curve drawn as bars.
    void use(std::optional<Colour> pen, std::optional<Colour> fill)
    {
        if (styled_ && pen == pen_ && fill == fill_)
            return;
        styled_ = true;
        pen_ = pen;
        fill_ = fill;
        if (pen)
            painter_.setPen(strokePen(*pen));
        else
            painter_.setPen(Qt::NoPen);
        if (fill)
            painter_.setBrush(toQColor(*fill));
        else
            painter_.setBrush(Qt::NoBrush);
    }

    template <typename Points> void outline(const Points &points, Colour colour)
    {
        if (std::size(points) < 2)
            return;
        stroke(colour);
        if (const std::optional<QRectF> rect = rectangularOutline(points)) {
            painter_.drawRect(*rect);
            return;
        }
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(std::size(points)));
        for (const PixelPoint &p : points)
            polygon.append(pixelCentre(p));
        painter_.drawPolyline(polygon);
    }

    // The ring of pixels in the pen colour, the inside in the fill. A
    // rectangle two pixels wide or high is all ring: one filled area.
    void rectangle(const SceneRectangle &r)
    {
        const double width = double(r.right) - r.left, height = double(r.bottom) - r.top;
        if (width <= 0 || height <= 0)
            return;
        if (width <= 2 || height <= 2) {
            use(std::nullopt, r.pen);
            painter_.drawRect(QRectF(r.left, r.top, width, height));
            return;
        }
        use(r.pen, r.fill);
        painter_.drawRect(outlineOf(r.left, r.top, r.right, r.bottom));
    }

    QPainter &painter_;
    bool styled_ = false;
    std::optional<Colour> pen_;
    std::optional<Colour> fill_;
    FontDescription fontDescription_;
    std::optional<QFont> font_;
};

}  // namespace

void paintSceneShapes(QPainter &painter, const PlotScene &scene)
{
    if (!painter.isActive())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBackgroundMode(Qt::TransparentMode);
    ShapePainter draw(painter);
    for (const ScenePrimitive &primitive : scene.primitives)
        std::visit(draw, primitive);
    painter.restore();
}

}  // namespace ombrelis
