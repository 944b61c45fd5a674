#pragma once

#include "view/plot_scene.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

class QPainter;

namespace ombrelis {

// Draws a plot scene with QPainter, one pixel of the scene to one unit of the
// painter (no antialiasing), following the scene's pixel rules. Used for the
// view's paint and for rendering a plot into an image.

// What the plot is painted over: the window colour of a plot view.
inline constexpr Colour kPlotBackground = kWhite;

// A 0x00BBGGRR colour as a QColor.
QColor toQColor(Colour colour);

// The face the painter writes `font` with: the described family, or a
// monospaced face of the same em height when that family is not installed.
QFont resolveFont(const FontDescription &font);

// `text` in `font` (resolved from text.font) over its opaque cell: the cell is
// the text's advance wide and the font's height high, its top-left corner at
// text.topLeft, the text on the font's baseline within it.
void drawSceneText(QPainter &painter, const SceneText &text, const QFont &font);

// Lines, outlines and rectangles are filled as runs of pixels. The reference
// path fills each run with QPainter and suits any device; when the painter
// draws one to one into a 32-bit image without clip, the fastest path writes
// the same runs straight into the image.
enum class PaintPath {
    Fastest,
    Reference
};

// Whether the fastest path writes straight into the device of `painter`.
bool canPaintDirectly(QPainter &painter);

// Paints every primitive of `scene` in order over what the device holds (an
// inactive painter paints nothing). The painter's state is left as it was.
void paintScene(QPainter &painter, const PlotScene &scene, PaintPath path = PaintPath::Fastest);

// The same over the device first cleared to `background`: the fastest path
// clears it band by band as it writes the bars, while each band is in cache.
void paintScene(QPainter &painter, const PlotScene &scene, QColor background,
                PaintPath path = PaintPath::Fastest);

// The pixels that a widget's painter paints, as an image of `size` device
// pixels over the window's backing store, when they take a frame of that
// size one to one and nothing clips them; a null image otherwise. Painting
// into it spares copying a frame painted elsewhere: tens of megabytes a
// paint on a high-density screen.
QImage unclippedBackingArea(QPainter &widgetPainter, QSize size);

// The scene painted over `background` into a new image of `size` (a null
// image when the size is empty).
QImage renderScene(const PlotScene &scene, QSize size, QColor background);

}  // namespace ombrelis
