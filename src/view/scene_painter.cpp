#include "view/scene_painter.h"

#include "view/column_spans.h"
#include "view/pixel_runs.h"
#include "view/vector_state.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

namespace ombrelis {

namespace {

// Far beyond any device: coordinates are clamped to it before they meet Qt's
// int geometry (QRect), which would overflow at the int limits.
constexpr int kSafeLimit = 1 << 24;
constexpr PixelRect kSafeBox{-kSafeLimit, -kSafeLimit, kSafeLimit, kSafeLimit};

bool isSafe(PixelPoint p)
{
    return p.x >= -kSafeLimit && p.x <= kSafeLimit && p.y >= -kSafeLimit && p.y <= kSafeLimit;
}

QRgb toOpaqueRgb(Colour colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The scene area that can reach the device, with a pixel to spare.
PixelRect reachableBox(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    bool invertible = false;
    const QTransform toScene = painter.deviceTransform().inverted(&invertible);
    if (!device || !invertible)
        return kSafeBox;
    // Device pixels: a widget measures itself in logical pixels, an image in
    // its own; scaling by the ratio covers both.
    const qreal ratio = std::max<qreal>(1, device->devicePixelRatio());
    const QRectF area =
        toScene.mapRect(QRectF(0, 0, device->width() * ratio, device->height() * ratio));
    const auto clampEdge = [](qreal v) {
        return std::isfinite(v) ? static_cast<int>(std::clamp<qreal>(v, -kSafeLimit, kSafeLimit))
                                : kSafeLimit;
    };
    const PixelRect box{
        clampEdge(std::floor(area.left()) - 1), clampEdge(std::floor(area.top()) - 1),
        clampEdge(std::ceil(area.right()) + 2), clampEdge(std::ceil(area.bottom()) + 2)};
    return box.isEmpty() ? kSafeBox : box;
}

// Rectangles that follow one another in a scene, in drawing order.
using RectangleRun = std::span<const std::span<const SceneRectangle>>;

// Fills runs of pixels with QPainter: the reference, right on any device.
class PainterSink {
public:
    explicit PainterSink(QPainter &painter) : painter_(painter), clip_(reachableBox(painter)) { }
    const PixelRect &clip() const { return clip_; }
    void settle() { }
    void fill(const PixelRect &r, Colour colour)
    {
        const QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        painter_.fillRect(rect, toQColor(colour));
    }
    // One after the other, as the device would draw them.
    void fillRectangles(RectangleRun run, int lineWidth)
    {
        for (std::span<const SceneRectangle> rects : run) {
            for (const SceneRectangle &r : rects) {
                const PixelRect rect{r.left, r.top, r.right, r.bottom};
                const PixelRect outer = intersected(rect, clip_);
                if (outer.isEmpty())
                    continue;
                fill(outer, r.pen);
                const PixelRect inner = intersected(interior(rect, lineWidth), clip_);
                if (!inner.isEmpty())
                    fill(inner, r.fill);
            }
        }
    }

private:
    QPainter &painter_;
    PixelRect clip_;
};

unsigned cores()
{
    static const unsigned count = std::thread::hardware_concurrency();  // reads a file
    return count;
}

// Writes runs straight into an image that a painter paints one to one, with
// no clip and opaque colours: the same pixels as PainterSink, without the
// cost of a call into the paint engine per run.
//
// Given a background, the image is cleared as part of the painting: a full
// frame is tens of megabytes at 200 %, and clearing it in a pass of its own
// costs as much again as writing the bars over it. Runs that come before the
// first bars wait; the bars' band walk then clears each band, lays those runs
// and writes the spans while the band is in cache.
class ImageSink {
public:
    explicit ImageSink(QImage &image, std::optional<QRgb> background = std::nullopt)
        : bits_(image.bits()),
          stride_(image.bytesPerLine()),
          clip_{0, 0, image.width(), image.height()},
          background_(background)
    { }
    const PixelRect &clip() const { return clip_; }
    void fill(const PixelRect &r, Colour colour)
    {
        if (background_)
            waiting_.push_back({r, colour});
        else
            write(r, toOpaqueRgb(colour));
    }
    // Only the pixels that stay visible, each written once: thousands of
    // bars narrower than a pixel hide one another.
    void fillRectangles(RectangleRun run, int lineWidth)
    {
        spans_.clear();
        ColumnResolver resolver(
            clip_,
            [this](std::span<const ColumnSpan> spans) {
                spans_.insert(spans_.end(), spans.begin(), spans.end());
            },
            lineWidth);
        for (auto it = run.rbegin(); it != run.rend(); ++it)
            resolver.addUnder(*it);
        resolver.flush();
        fillColumns();
    }
    // Clears the image, if that is still to do, and lays the waiting runs;
    // before anything that writes into the image by other means.
    void settle()
    {
        if (!background_)
            return;
        prepareRows(clip_.top, clip_.bottom);
        background_.reset();
        waiting_.clear();
    }

private:
    struct WaitingRun {
        PixelRect rect;
        Colour colour;
    };

    void write(const PixelRect &r, QRgb rgb) const
    {
        if (r.right - r.left == 1) {  // a column: the common run of steep lines and thin bars
            uchar *pixel = bits_ + r.top * stride_ + r.left * qsizetype(sizeof(QRgb));
            for (int y = r.top; y < r.bottom; ++y, pixel += stride_)
                *reinterpret_cast<QRgb *>(pixel) = rgb;
            return;
        }
        for (int y = r.top; y < r.bottom; ++y) {
            QRgb *row = rowAt(y);
            std::fill(row + r.left, row + r.right, rgb);
        }
    }

    // Rows top..bottom-1 cleared and the waiting runs laid over them.
    void prepareRows(int top, int bottom) const
    {
        if (!background_)
            return;
        for (int y = top; y < bottom; ++y) {
            QRgb *row = rowAt(y);
            std::fill(row + clip_.left, row + clip_.right, *background_);
        }
        for (const WaitingRun &run : waiting_) {
            PixelRect part = run.rect;
            part.top = std::max(part.top, top);
            part.bottom = std::min(part.bottom, bottom);
            if (!part.isEmpty())
                write(part, toOpaqueRgb(run.colour));
        }
    }

    // Band by band of rows: walking down one column at a time over the whole
    // image would touch a new page with nearly every pixel. A band spans
    // about 128 KiB, so that its rows' pages stay within reach of the address
    // cache on a wide image (a 4K frame at 200 %) too. Each band visits only
    // the spans that reach into it: those starting there, and those carried
    // on from the bands above. Bands share no pixel, so two threads share
    // the bands of a large image, a block of bands at a time.
    void fillColumns()
    {
        constexpr qsizetype kBandBytes = 128 * 1024;
        rows_ = static_cast<int>(std::clamp<qsizetype>(kBandBytes / stride_, 8, 64));
        const std::size_t bands = clip_.isEmpty() ? 0 : bandOf(clip_.bottom - 1) + 1;
        // The spans in order of their first band, by counting; first_[b] is
        // where band b's spans begin.
        first_.assign(bands + 1, 0);
        for (const ColumnSpan &span : spans_)
            ++first_[bandOf(span.top) + 1];
        for (std::size_t i = 1; i < first_.size(); ++i)
            first_[i] += first_[i - 1];
        cursor_ = first_;
        byBand_.resize(spans_.size());
        for (const ColumnSpan &span : spans_)
            byBand_[cursor_[bandOf(span.top)]++] = span;

        constexpr std::size_t kBlock = 16;  // bands
        const std::size_t blocks = (bands + kBlock - 1) / kBlock;
        std::atomic<std::size_t> nextBlock{0};
        const auto work = [&](std::vector<ColumnSpan> &active) {
            for (std::size_t block; (block = nextBlock.fetch_add(1)) < blocks;)
                fillBands(block * kBlock, std::min(bands, (block + 1) * kBlock), active);
        };
        // A helper thread pays off on a large image only, and on a machine
        // with a second core.
        constexpr std::int64_t kSharedPixels = 2'000'000;
        std::optional<std::jthread> helper;  // joins however this ends
        if (std::int64_t{clip_.right - clip_.left} * (clip_.bottom - clip_.top) >= kSharedPixels &&
            cores() > 1) {
            try {
                helper.emplace([&] { work(helperActive_); });
            } catch (const std::system_error &) {
                // No thread to be had: this one does every band.
            }
        }
        work(active_);
        if (helper)
            helper->join();
        background_.reset();
        waiting_.clear();
    }

    std::size_t bandOf(int y) const
    {
        return static_cast<std::size_t>((y - std::int64_t{clip_.top}) / rows_);
    }

    // Bands first..last-1, each prepared and then written with its spans.
    // Reads the sorted spans and writes only these bands' rows.
    void fillBands(std::size_t first, std::size_t last, std::vector<ColumnSpan> &active) const
    {
        const int firstRow = clip_.top + static_cast<int>(first) * rows_;
        active.clear();
        for (std::size_t i = 0; i < first_[first]; ++i) {  // carried on from above
            if (byBand_[i].bottom > firstRow)
                active.push_back(byBand_[i]);
        }
        std::size_t next = first_[first];
        for (std::size_t b = first; b < last; ++b) {
            const int band = clip_.top + static_cast<int>(b) * rows_;
            const int bandEnd = std::min(band + rows_, clip_.bottom);
            prepareRows(band, bandEnd);
            active.insert(active.end(), byBand_.begin() + std::ptrdiff_t(next),
                          byBand_.begin() + std::ptrdiff_t(first_[b + 1]));
            next = first_[b + 1];
            std::size_t kept = 0;
            for (const ColumnSpan &span : active) {
                const int top = std::max(span.top, band);
                const int bottom = std::min(span.bottom, bandEnd);
                const QRgb rgb = toOpaqueRgb(span.colour);
                uchar *pixel = bits_ + top * stride_ + span.x * qsizetype(sizeof(QRgb));
                for (int y = top; y < bottom; ++y, pixel += stride_)
                    *reinterpret_cast<QRgb *>(pixel) = rgb;
                if (span.bottom > bandEnd)
                    active[kept++] = span;
            }
            active.resize(kept);
        }
    }

    QRgb *rowAt(int y) const { return reinterpret_cast<QRgb *>(bits_ + y * stride_); }

    uchar *bits_;
    qsizetype stride_;
    PixelRect clip_;
    std::optional<QRgb> background_;  // the colour the image is still to be cleared to
    std::vector<WaitingRun> waiting_;
    // Scratch of fillColumns, kept from one run of rectangles to the next.
    int rows_ = 1;  // per band
    std::vector<ColumnSpan> spans_;
    std::vector<std::size_t> first_;
    std::vector<std::size_t> cursor_;
    std::vector<ColumnSpan> byBand_;
    std::vector<ColumnSpan> active_;
    std::vector<ColumnSpan> helperActive_;
};

// The image a painter draws into when ImageSink gives the same pixels.
QImage *directImage(QPainter &painter)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image || !painter.paintEngine() ||
        painter.paintEngine()->type() != QPaintEngine::Raster)
        return nullptr;
    auto *image = static_cast<QImage *>(device);
    const QImage::Format format = image->format();
    const bool rgb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    if (!rgb32 || !painter.deviceTransform().isIdentity() || painter.hasClipping() ||
        painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

bool isMonospaced(const QFont &font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    return width > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == width &&
           metrics.horizontalAdvance(QLatin1Char('W')) == width &&
           metrics.horizontalAdvance(QLatin1Char('.')) == width;
}

// Resolving a face asks the font database; a scene's labels share one.
class FontCache {
public:
    const QFont &get(const FontDescription &description)
    {
        if (!font_ || description != description_) {
            description_ = description;
            font_ = resolveFont(description);
        }
        return *font_;
    }

private:
    FontDescription description_;
    std::optional<QFont> font_;
};

}  // namespace

void drawSceneText(QPainter &painter, const SceneText &text, const QFont &font)
{
    if (!isSafe(text.topLeft))
        return;  // its cell lies wholly outside any device
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QString string = QString::fromStdString(text.text);
    const QRect cell(text.topLeft.x, text.topLeft.y, metrics.horizontalAdvance(string),
                     metrics.height());
    painter.fillRect(cell, toQColor(text.background));
    painter.setPen(toQColor(text.colour));
    painter.drawText(QPointF(cell.left(), cell.top() + metrics.ascent()), string);
}

namespace {

// Lines, outlines, Béziers and rectangles go through the pixel rules into
// `Sink`, with a pen `lineWidth` pixels wide; texts are Qt's own in either
// case.
template <typename Sink> class PrimitivePainter {
public:
    PrimitivePainter(QPainter &painter, Sink &sink, int lineWidth)
        : painter_(painter),
          sink_(sink),
          lineWidth_(std::max(1, lineWidth)),
          reach_(reachOfWidened(sink.clip(), lineWidth_))
    { }

    void operator()(const SceneLine &line)
    {
        fillLines(std::array<PixelPoint, 2>{line.from, line.to}, line.colour);
    }
    void operator()(const ScenePolyline &line) { fillLines(line.points, line.colour); }
    void operator()(const SceneMark &mark)
    {
        const auto outline = markOutline(mark.centre, mark.half);
        fillLines(outline, mark.colour);
    }
    void operator()(const SceneRectangle &r) { fillRectangles(std::span(&r, 1)); }
    void operator()(const SceneBars &bars) { fillRectangles(bars.rectangles); }
    void fillRectangles(std::span<const SceneRectangle> rects)
    {
        sink_.fillRectangles(RectangleRun(&rects, 1), lineWidth_);
    }
    void fillRectangles(RectangleRun run) { sink_.fillRectangles(run, lineWidth_); }
    void operator()(const SceneBezier &bezier)
    {
        runs_.clear();
        appendBezierRuns(bezier.points, reach_, runs_);
        fillRuns(bezier.colour);
    }
    void operator()(const SceneText &text)
    {
        sink_.settle();
        drawSceneText(painter_, text, fonts_.get(text.font));
    }

private:
    // Each line leaves out its last pixel, which the next line starts on.
    template <typename Points> void fillLines(const Points &points, Colour colour)
    {
        runs_.clear();
        for (std::size_t i = 0; i + 1 < std::size(points); ++i)
            appendLineRuns(points[i], points[i + 1], reach_, runs_);
        fillRuns(colour);
    }

    // Wide runs overlap one another; the colour is opaque, so filling a
    // pixel twice changes nothing.
    void fillRuns(Colour colour)
    {
        if (lineWidth_ == 1) {
            for (const PixelRect &run : runs_)
                sink_.fill(run, colour);
            return;
        }
        for (const PixelRect &run : runs_) {
            const PixelRect wide = intersected(widened(run, lineWidth_), sink_.clip());
            if (!wide.isEmpty())
                sink_.fill(wide, colour);
        }
    }

    QPainter &painter_;
    Sink &sink_;
    int lineWidth_;
    PixelRect reach_;  // where runs are walked: every pixel whose pen reaches the clip
    FontCache fonts_;
    std::vector<PixelRect> runs_;
};

template <typename Sink> void paintWith(QPainter &painter, Sink &sink, const PlotScene &scene)
{
    PrimitivePainter<Sink> draw(painter, sink, scene.lineWidth);
    const std::vector<ScenePrimitive> &primitives = scene.primitives;
    // The bars of every curve drawn in that style follow one another and are
    // filled together.
    std::vector<std::span<const SceneRectangle>> run;
    for (std::size_t i = 0; i < primitives.size();) {
        run.clear();
        for (; i < primitives.size(); ++i) {
            if (const auto *rectangle = std::get_if<SceneRectangle>(&primitives[i]))
                run.emplace_back(rectangle, 1);
            else if (const auto *bars = std::get_if<SceneBars>(&primitives[i]))
                run.emplace_back(bars->rectangles);
            else
                break;
        }
        if (!run.empty())
            draw.fillRectangles(run);
        else
            std::visit(draw, primitives[i++]);
    }
    sink.settle();
}

}  // namespace

QColor toQColor(Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont resolveFont(const FontDescription &description)
{
    QFont font(QString::fromStdString(description.family));
    font.setPixelSize(std::max(1, description.emHeight));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
    font.setItalic(description.italic);
    font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
    if (isMonospaced(font))
        return font;
    // The font database's own idea of monospaced faces, when the substitute
    // the platform picked is proportional.
    QStringList candidates{QFontDatabase::systemFont(QFontDatabase::FixedFont).family()};
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family))
            candidates.append(family);
    }
    for (const QString &family : candidates) {
        QFont fixed = font;
        fixed.setFamily(family);
        if (isMonospaced(fixed))
            return fixed;
    }
    return font;
}

namespace {

void paintOver(QPainter &painter, const PlotScene &scene, std::optional<QColor> background,
               PaintPath path)
{
    if (!painter.isActive())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    QImage *image = path == PaintPath::Fastest ? directImage(painter) : nullptr;
    // Any other device, or a colour the image does not hold as it is, is
    // cleared by the painter first: the whole device, whatever the transform.
    if (background && (!image || !background->isValid() || background->alpha() != 255)) {
        if (const QPaintDevice *device = painter.device()) {
            painter.save();
            painter.resetTransform();
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(QRect(0, 0, device->width(), device->height()), *background);
            painter.restore();
        }
        background.reset();
    }
    clearUpperVectorState();  // after the painter's own set-up
    if (image) {
        ImageSink sink(*image, background ? std::optional<QRgb>(background->rgb()) : std::nullopt);
        paintWith(painter, sink, scene);
    } else {
        PainterSink sink(painter);
        paintWith(painter, sink, scene);
    }
    painter.restore();
}

}  // namespace

void paintScene(QPainter &painter, const PlotScene &scene, PaintPath path)
{
    paintOver(painter, scene, std::nullopt, path);
}

void paintScene(QPainter &painter, const PlotScene &scene, QColor background, PaintPath path)
{
    paintOver(painter, scene, background, path);
}

bool canPaintDirectly(QPainter &painter)
{
    return directImage(painter) != nullptr;
}

QImage unclippedBackingArea(QPainter &widgetPainter, QSize size)
{
    QPaintEngine *engine = widgetPainter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || engine->type() != QPaintEngine::Raster ||
        device->devType() != QInternal::Image || widgetPainter.hasClipping())
        return {};
    auto *store = static_cast<QImage *>(device);
    const QImage::Format format = store->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const QTransform toDevice = widgetPainter.deviceTransform();
    const QRectF mapped = toDevice.mapRect(QRectF(widgetPainter.window()));
    const QRect area = mapped.toRect();
    // The repaint manager clips every widget paint to what must be painted,
    // which also leaves out any window lying over this one.
    const QRegion clip = engine->systemClip();
    if (toDevice.type() > QTransform::TxScale || QRectF(area) != mapped || area.size() != size ||
        !store->rect().contains(area) || clip.isEmpty() ||
        !QRegion(area).subtracted(clip).isEmpty())
        return {};
    uchar *origin =
        store->bits() + area.top() * store->bytesPerLine() + area.left() * qsizetype(sizeof(QRgb));
    return QImage(origin, size.width(), size.height(), store->bytesPerLine(), format);
}

QImage renderScene(const PlotScene &scene, QSize size, QColor background)
{
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintScene(painter, scene, background);
    return image;
}

}  // namespace ombrelis
