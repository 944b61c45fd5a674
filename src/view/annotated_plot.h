#pragma once

#include "view/plot_annotation.h"

#include <QByteArray>

class QImage;

namespace ombrelis {

// The plot for a report (buildAnnotatedPlot), its texts measured in the face
// the painter writes them with. Fonts need a QGuiApplication.
PlotScene annotatedPlotScene(const CurveStore &store, ClientSize client, double ratio = 1);

// The image as the bytes of a PNG file; empty if it cannot be encoded.
QByteArray pngBytes(const QImage &image);

}  // namespace ombrelis
