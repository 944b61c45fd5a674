#include "cli/cli_render.h"

#include "view/annotated_plot.h"
#include "view/plot_scene.h"
#include "view/scene_painter.h"
#include "view/vector_scene_painter.h"
#include "view/vector_state.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <memory>

namespace ombrelis {

namespace {

constexpr int kMaxImageSide = 8192;

// "WxH" with both sides from 1 to 8192.
std::optional<ClientSize> parseSize(const std::string &text)
{
    const auto cross = text.find('x');
    if (cross == std::string::npos)
        return std::nullopt;
    const auto width = parseIntegerIn(std::string_view(text).substr(0, cross), 1, kMaxImageSide);
    const auto height = parseIntegerIn(std::string_view(text).substr(cross + 1), 1, kMaxImageSide);
    if (!width || !height)
        return std::nullopt;
    return ClientSize{*width, *height};
}

// The view options the flags set.
Status applyViewOptions(const CliArguments &arguments, CurveStore &store)
{
    store.smoothing = !arguments.has("--sampled");
    store.interpolationOption = arguments.has("--interpolation");
    store.editMode = arguments.has("--edit");
    store.showAxes = arguments.has("--axes");
    store.showFrame = arguments.has("--frame");
    if (const std::string *cursor = arguments.value("--cursor")) {
        const auto index = parseIntegerIn(*cursor, 0, kMaxSampledPoints - 1);
        if (!index)
            return Status::refused("--cursor attend un indice de 0 à 4095, pas « " + *cursor +
                                   " »");
        store.cursorOn = true;
        store.cursorIndex = *index;
    }
    return Status::done();
}

// Fonts need a GUI application; the tool makes one on the offscreen platform
// when it is not running inside one already.
std::unique_ptr<QGuiApplication> ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "ombrelis-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

Status writePng(const std::string &path, const PlotScene &scene, QSize client)
{
    const QByteArray png = pngBytes(renderScene(scene, client, toQColor(kPlotBackground)));
    if (png.isEmpty())
        return Status::refused("impossible de coder l'image PNG");
    return writeFile(path, png.toStdString());
}

// Vector output draws the scene as shapes, one scene pixel to one unit of the
// page, so that the file laid over the PNG covers the same pixels.
void paintVector(QPainter &painter, const PlotScene &scene, QSize client)
{
    painter.fillRect(QRect(QPoint(0, 0), client), toQColor(kPlotBackground));
    paintSceneShapes(painter, scene);
}

// QSvgGenerator gives the drawing's size in millimetres, which viewers turn
// into pixels at a resolution of their own; in pixels it shows at the PNG's
// size everywhere.
QByteArray withSizeInPixels(const QByteArray &svg, QSize client)
{
    static const QRegularExpression size(QStringLiteral(R"(<svg width="[^"]*" height="[^"]*")"));
    return QString::fromUtf8(svg)
        .replace(size, QStringLiteral(R"(<svg width="%1px" height="%2px")")
                           .arg(client.width())
                           .arg(client.height()))
        .toUtf8();
}

Status writeSvg(const std::string &path, const PlotScene &scene, QSize client)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(client);
    generator.setResolution(96);  // a CSS pixel
    generator.setViewBox(QRect(QPoint(0, 0), client));
    generator.setTitle(QStringLiteral("Ombrelis"));
    QPainter painter;
    if (!painter.begin(&generator))
        return Status::refused("impossible de coder l'image SVG");
    paintVector(painter, scene, client);
    painter.end();
    return writeFile(path, withSizeInPixels(svg, client).toStdString());
}

// One page the size of the client area, a scene pixel being a point.
Status writePdf(const std::string &path, const PlotScene &scene, QSize client)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("ombrelis-cli"));
        writer.setResolution(72);
        writer.setPageMargins(QMarginsF());
        writer.setPageSize(
            QPageSize(QSizeF(client), QPageSize::Point, QString(), QPageSize::ExactMatch));
        QPainter painter;
        if (!painter.begin(&writer))
            return Status::refused("impossible de coder le document PDF");
        painter.setWindow(QRect(QPoint(0, 0), client));
        painter.setViewport(QRect(0, 0, writer.width(), writer.height()));
        paintVector(painter, scene, client);
        painter.end();
    }
    return writeFile(path, pdf.toStdString());
}

using Writer = Status (*)(const std::string &, const PlotScene &, QSize);

// The kind of file --out names by its extension.
Writer writerFor(const std::string &path)
{
    if (path.ends_with(".png"))
        return writePng;
    if (path.ends_with(".svg"))
        return writeSvg;
    if (path.ends_with(".pdf"))
        return writePdf;
    return nullptr;
}

}  // namespace

Status renderCommand(const CliArguments &arguments, std::ostream &faults)
{
    const auto &files = arguments.positional;
    if (files.empty() || files.size() > static_cast<std::size_t>(kCurveCount))
        return Status::refused("de un à quatre fichiers .crv attendus");
    const std::string *out = arguments.value("--out");
    if (!out)
        return Status::refused("--out IMAGE.png, IMAGE.svg ou IMAGE.pdf attendu");
    const Writer writer = writerFor(*out);
    if (!writer)
        return Status::refused("--out doit finir par .png, .svg ou .pdf, pas « " + *out + " »");
    ClientSize client{600, 400};
    if (const std::string *size = arguments.value("--size")) {
        const auto parsed = parseSize(*size);
        if (!parsed)
            return Status::refused("--size attend LxH, de 1 à 8192 pixels par côté, pas « " +
                                   *size + " »");
        client = *parsed;
    }
    double scale = 1;
    if (const std::string *text = arguments.value("--scale")) {
        const auto parsed = parseDecimalIn(*text, 1, 4);
        if (!parsed)
            return Status::refused("--scale attend un facteur de 1 à 4, pas « " + *text + " »");
        // Vector files are drawn in logical units, whatever the screen.
        if (writer != writePng && *parsed != 1)
            return Status::refused("--scale ne s'applique qu'aux images .png");
        scale = *parsed;
    }

    auto store = std::make_unique<CurveStore>();
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (Status step = loadCurve(*store, static_cast<int>(k), files[k], faults); !step.ok())
            return step;
    }
    if (Status step = prepareWindow(arguments, *store); !step.ok())
        return step;
    if (Status step = applyViewOptions(arguments, *store); !step.ok())
        return step;

    const auto application = ensureGuiApplication();
    clearUpperVectorState();  // after Qt's start-up
    const PlotScene scene = arguments.has("--annotate") ? annotatedPlotScene(*store, client, scale)
                                                        : buildPlotScene(*store, client, scale);
    const ClientSize device = deviceClient(client, scale);
    return writer(*out, scene, QSize(device.width, device.height));
}

}  // namespace ombrelis
