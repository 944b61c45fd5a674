#include "view/annotated_plot.h"

#include "view/scene_painter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>

namespace ombrelis {

PlotScene annotatedPlotScene(const CurveStore &store, ClientSize client, double ratio)
{
    const QFontMetrics metrics(resolveFont(annotationFont(plotPixelRatio(ratio))));
    const TextMeasure measure{[&metrics](const std::string &text) {
                                  return metrics.horizontalAdvance(QString::fromStdString(text));
                              },
                              metrics.height()};
    return buildAnnotatedPlot(store, client, ratio, measure).scene;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}

}  // namespace ombrelis
