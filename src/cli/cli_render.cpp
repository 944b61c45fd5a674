#include "cli/cli_render.h"

#include "view/plot_scene.h"
#include "view/scene_painter.h"

#include <QBuffer>
#include <QGuiApplication>

#include <memory>

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
Step applyViewOptions(const CliArguments &arguments, CurveStore &store)
{
    store.smoothing = !arguments.has("--sampled");
    store.interpolationOption = arguments.has("--interpolation");
    store.editMode = arguments.has("--edit");
    store.showAxes = arguments.has("--axes");
    store.showFrame = arguments.has("--frame");
    if (const std::string *cursor = arguments.value("--cursor")) {
        const auto index = parseIntegerIn(*cursor, 0, kMaxSampledPoints - 1);
        if (!index)
            return usageError("--cursor attend un indice de 0 à 4095, pas « " + *cursor + " »");
        store.cursorOn = true;
        store.cursorIndex = *index;
    }
    return std::nullopt;
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

Step writePng(const std::string &path, const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return usageError("impossible de coder l'image PNG");
    return writeFile(path, png.toStdString());
}

}  // namespace

Step renderCommand(const CliArguments &arguments)
{
    const auto &files = arguments.positional;
    if (files.empty() || files.size() > static_cast<std::size_t>(kCurveCount))
        return usageError("de un à quatre fichiers .crv attendus");
    const std::string *out = arguments.value("--out");
    if (!out)
        return usageError("--out IMAGE.png attendu");
    ClientSize client{600, 400};
    if (const std::string *size = arguments.value("--size")) {
        const auto parsed = parseSize(*size);
        if (!parsed)
            return usageError("--size attend LxH, de 1 à 8192 pixels par côté, pas « " + *size + " »");
        client = *parsed;
    }

    auto store = std::make_unique<CurveStore>();
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (auto failure = loadCurve(*store, static_cast<int>(k), files[k]))
            return failure;
    }
    if (auto failure = prepareWindow(arguments, *store))
        return failure;
    if (auto failure = applyViewOptions(arguments, *store))
        return failure;

    const auto application = ensureGuiApplication();
    const PlotScene scene = buildPlotScene(*store, client);
    const QImage image = renderScene(scene, QSize(client.width, client.height),
                                     toQColor(kPlotBackground));
    return writePng(*out, image);
}
