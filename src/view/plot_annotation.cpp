#include "view/plot_annotation.h"

#include "curves/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ombrelis {

namespace {

// Beyond 2^53 a double no longer holds every whole number: tick indices
// above it would repeat or skip values.
constexpr double kExactWhole = 9007199254740992.0;

// m x 10^exponent as the double nearest to that decimal; infinity or 0 when
// it lies beyond the doubles.
double decimal(std::int64_t m, int exponent)
{
    const std::string text = std::to_string(m) + 'e' + std::to_string(exponent);
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

// Room around marks and texts, in logical pixels scaled to device pixels.
struct Spacing {
    explicit Spacing(double ratio)
        : tick(devicePixels(5, ratio)),
          gap(devicePixels(4, ratio)),
          pad(devicePixels(8, ratio)),
          swatch(devicePixels(20, ratio)),
          swatchHeight(devicePixels(3, ratio)),
          entryGap(devicePixels(16, ratio))
    { }
    int tick;          // length of a tick mark
    int gap;           // between a mark and its text, and between lines of text
    int pad;           // along the edges of the image
    int swatch;        // length of the coloured bar before a name of the key
    int swatchHeight;  // its thickness
    int entryGap;      // between entries of the key
};

struct Tick {
    double value = 0;
    std::string label;
    int width = 0;
};

int widest(const std::vector<Tick> &ticks)
{
    int width = 0;
    for (const Tick &tick : ticks)
        width = std::max(width, tick.width);
    return width;
}

struct KeyEntry {
    Colour colour = kBlack;
    std::string name;
    int textWidth = 0;
    PixelPoint topLeft;
};

class Annotator {
public:
    Annotator(const CurveStore &store, ClientSize device, double ratio, const TextMeasure &measure)
        : store_(store),
          bounds_(store.current()),
          device_(device),
          ratio_(ratio),
          space_(ratio),
          measure_(measure),
          lineHeight_(measure.height),
          font_(annotationFont(ratio))
    { }

    AnnotatedPlot build();

private:
    int width(const std::string &text) const { return measure_.width(text); }
    std::vector<Tick> labelled(const std::vector<double> &values) const;
    template <typename Room>
    std::vector<Tick> fittedTicks(double low, double high, int axisPixels, Room room) const;
    int layOutKey();
    void chooseVerticalMargins(int keyRows);
    void chooseHorizontalMargins();
    ClientSize inner() const;
    void addMasks(std::vector<ScenePrimitive> &out) const;
    void addMarks(const ScreenMapping &mapping, std::vector<ScenePrimitive> &out) const;
    void addTexts(const ScreenMapping &mapping, std::vector<ScenePrimitive> &out) const;
    SceneText text(int left, int top, std::string content, Colour colour = kBlack) const
    {
        return {{left, top}, std::move(content), font_, colour, kWhite};
    }

    const CurveStore &store_;
    const CurveSlot &bounds_;
    ClientSize device_;
    double ratio_;
    Spacing space_;
    const TextMeasure &measure_;
    int lineHeight_;
    FontDescription font_;
    AnnotationMargins margins_;
    std::vector<Tick> xTicks_;
    std::vector<Tick> yTicks_;
    std::vector<KeyEntry> key_;
    // Where the plot area lies in the image, its right and bottom edges included.
    int plotLeft_ = 0, plotTop_ = 0, plotRight_ = 0, plotBottom_ = 0;
};

std::vector<Tick> Annotator::labelled(const std::vector<double> &values) const
{
    std::vector<std::string> labels = tickLabels(values);
    std::vector<Tick> ticks;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int labelWidth = width(labels[i]);
        ticks.push_back({values[i], std::move(labels[i]), labelWidth});
    }
    return ticks;
}

// The most ticks, ten at most, whose numbers keep room(ticks) pixels apart on
// an axis of axisPixels for its whole range.
template <typename Room>
std::vector<Tick> Annotator::fittedTicks(double low, double high, int axisPixels, Room room) const
{
    const double pixelsPerUnit = axisPixels / std::abs(high - low);
    std::vector<Tick> ticks;
    for (int count = 10; count >= 2; --count) {
        ticks = labelled(axisTicks(low, high, count));
        if (ticks.size() < 2 || (ticks[1].value - ticks[0].value) * pixelsPerUnit >= room(ticks))
            break;
    }
    return ticks;
}

// The key's entries, in drawing order, fill rows from the top of the image,
// each row set against the right edge; the first row leaves the Y title its
// place on the left. Returns the number of rows, at least the title's one.
int Annotator::layOutKey()
{
    for (const DrawnCurve &curve : drawnCurves(store_)) {
        std::string name = store_.slots()[curve.slot].name;
        if (name.empty())
            name = "Courbe " + std::to_string(curve.slot + 1);
        const int textWidth = width(name);
        key_.push_back({curve.colour, std::move(name), textWidth, {}});
    }
    const auto entryWidth = [this](const KeyEntry &e) {
        return space_.swatch + space_.gap + e.textWidth;
    };
    const int titleWidth = width(bounds_.yLegend);
    const int right = device_.width - space_.pad;
    int rows = 1;
    std::size_t first = 0;  // of the row being filled
    while (first < key_.size()) {
        const int rowLeft = rows == 1 ? space_.pad + titleWidth + space_.entryGap : space_.pad;
        if (rows == 1 && entryWidth(key_[first]) > right - rowLeft) {
            ++rows;  // the title's row has no room for it
            continue;
        }
        std::size_t last = first;
        int rowWidth = entryWidth(key_[first]);
        while (last + 1 < key_.size() &&
               rowWidth + space_.entryGap + entryWidth(key_[last + 1]) <= right - rowLeft)
            rowWidth += space_.entryGap + entryWidth(key_[++last]);
        int x = right - rowWidth;
        const int top = space_.pad + (rows - 1) * (lineHeight_ + space_.gap);
        for (std::size_t i = first; i <= last; ++i) {
            key_[i].topLeft = {x, top};
            x += entryWidth(key_[i]) + space_.entryGap;
        }
        first = last + 1;
        if (first < key_.size())
            ++rows;
    }
    return rows;
}

// Above the plot: the title and key rows, then half a line for the number of
// the top tick. Below it: the tick marks, their numbers and the X title. The
// plot's own margin takes a part of either.
void Annotator::chooseVerticalMargins(int keyRows)
{
    const int h = lineHeight_;
    const int top = space_.pad + keyRows * h + (keyRows - 1) * space_.gap + space_.gap + h / 2;
    const int bottom = 1 + space_.tick + space_.gap + h + space_.gap + h + space_.pad;
    const int own = plotArea({0, std::max(0, device_.height - top - bottom)}).top;
    margins_.top = std::max(0, top - own);
    margins_.bottom = std::max(0, bottom - own);
}

// Left: the numbers of the Y ticks and their marks, or half the first number
// of the X axis. Right: half its last number.
void Annotator::chooseHorizontalMargins()
{
    int left = space_.pad;
    if (!yTicks_.empty())
        left += widest(yTicks_) + space_.gap + space_.tick;
    int right = space_.pad;
    if (!xTicks_.empty()) {
        left = std::max(left, space_.pad + xTicks_.front().width / 2);
        right += xTicks_.back().width / 2;
    }
    const int own = plotArea({std::max(0, device_.width - left - right), 0}).left;
    margins_.left = std::max(0, left - own);
    margins_.right = std::max(0, right - own);
}

ClientSize Annotator::inner() const
{
    return {std::max(0, device_.width - margins_.left - margins_.right),
            std::max(0, device_.height - margins_.top - margins_.bottom)};
}

// The editor's plot stops at the edges of its client area: the margins are
// painted over again, so that a curve beyond the bounds never runs into the
// numbers, titles or key.
void Annotator::addMasks(std::vector<ScenePrimitive> &out) const
{
    const int w = device_.width, h = device_.height;
    const int left = margins_.left, top = margins_.top;
    const int right = left + inner().width, bottom = top + inner().height;
    const auto mask = [&out](int l, int t, int r, int b) {
        out.emplace_back(SceneRectangle{l, t, r, b, kWhite, kWhite});
    };
    mask(0, 0, w, top);
    mask(0, bottom, w, h);
    mask(0, top, left, bottom);
    mask(right, top, w, bottom);
}

void Annotator::addMarks(const ScreenMapping &mapping, std::vector<ScenePrimitive> &out) const
{
    const int l = plotLeft_, b = plotBottom_;
    out.emplace_back(SceneLine{{l, plotTop_}, {l, b + 1}});
    out.emplace_back(SceneLine{{l, b}, {plotRight_ + 1, b}});
    for (const Tick &tick : yTicks_) {
        const int y = margins_.top + mapping.pixelY(tick.value);
        out.emplace_back(SceneLine{{l - 1, y}, {l - 1 - space_.tick, y}});
    }
    for (const Tick &tick : xTicks_) {
        const int x = margins_.left + mapping.pixelX(tick.value);
        out.emplace_back(SceneLine{{x, b + 1}, {x, b + 1 + space_.tick}});
    }
}

void Annotator::addTexts(const ScreenMapping &mapping, std::vector<ScenePrimitive> &out) const
{
    const int h = lineHeight_;
    const int yNumbersRight = plotLeft_ - space_.tick - space_.gap;
    for (const Tick &tick : yTicks_) {
        const int y = margins_.top + mapping.pixelY(tick.value);
        out.emplace_back(text(yNumbersRight - tick.width, y - h / 2, tick.label));
    }
    const int xNumbersTop = plotBottom_ + 1 + space_.tick + space_.gap;
    for (const Tick &tick : xTicks_) {
        const int x = margins_.left + mapping.pixelX(tick.value);
        out.emplace_back(text(x - tick.width / 2, xNumbersTop, tick.label));
    }
    const int xTitleLeft = (plotLeft_ + plotRight_ - width(bounds_.xLegend)) / 2;
    out.emplace_back(
        text(std::max(space_.pad, xTitleLeft), xNumbersTop + h + space_.gap, bounds_.xLegend));
    out.emplace_back(text(space_.pad, space_.pad, bounds_.yLegend));
    for (const KeyEntry &entry : key_) {
        const PixelPoint at = entry.topLeft;
        const int barTop = at.y + (h - space_.swatchHeight) / 2;
        out.emplace_back(SceneRectangle{at.x, barTop, at.x + space_.swatch,
                                        barTop + space_.swatchHeight, entry.colour, entry.colour});
        out.emplace_back(text(at.x + space_.swatch + space_.gap, at.y, entry.name, entry.colour));
    }
}

AnnotatedPlot Annotator::build()
{
    chooseVerticalMargins(layOutKey());
    // The Y numbers never overlap: a line and a gap apart.
    yTicks_ = fittedTicks(bounds_.ymin, bounds_.ymax, plotArea(inner()).height,
                          [this](const std::vector<Tick> &) { return lineHeight_ + space_.gap; });
    // The room of the X numbers depends on the margins they give: the first
    // guess is refined once.
    xTicks_ = labelled(axisTicks(bounds_.xmin, bounds_.xmax));
    chooseHorizontalMargins();
    xTicks_ = fittedTicks(bounds_.xmin, bounds_.xmax, plotArea(inner()).width,
                          [this](const std::vector<Tick> &t) { return widest(t) + space_.gap; });
    chooseHorizontalMargins();

    AnnotatedPlot plot{margins_, buildDevicePlotScene(store_, inner(), ratio_)};
    translateScene(plot.scene, margins_.left, margins_.top);
    const std::optional<ScreenMapping> mapping = deviceMapping(bounds_, inner());
    if (!mapping)
        return plot;
    const PlotArea area = plotArea(inner());
    plotLeft_ = margins_.left + area.left;
    plotTop_ = margins_.top + area.top;
    plotRight_ = plotLeft_ + area.width;
    plotBottom_ = plotTop_ + area.height;
    addMasks(plot.scene.primitives);
    addMarks(*mapping, plot.scene.primitives);
    addTexts(*mapping, plot.scene.primitives);
    return plot;
}

}  // namespace

FontDescription annotationFont(double ratio)
{
    FontDescription font = cursorLabelFont(ratio);
    font.emHeight = devicePixels(12, ratio);
    return font;
}

std::vector<double> axisTicks(double low, double high, int maxCount)
{
    if (low > high)
        std::swap(low, high);
    const double range = high - low;
    if (!(range > 0) || !std::isfinite(range) || maxCount < 1)
        return {};
    // A range of a few of the smallest doubles has no step worth a tick.
    const double unit = range / maxCount;
    if (!(unit > 0))
        return {};
    // One power of ten below the first step that could do, whatever log10 rounds.
    int exponent = static_cast<int>(std::floor(std::log10(unit))) - 1;
    for (;; ++exponent) {
        for (const int mantissa : {1, 2, 5}) {
            const double step = decimal(mantissa, exponent);
            if (step == 0)
                continue;
            if (!std::isfinite(step))
                return {};
            const double first = std::ceil(low / step);
            const double last = std::floor(high / step);
            if (last - first + 1 > maxCount)
                continue;
            if (std::max(std::abs(first), std::abs(last)) * mantissa > kExactWhole)
                return {};
            std::vector<double> ticks;
            for (double k = first; k <= last; ++k)  // a whole k: 0, never -0
                ticks.push_back(decimal(static_cast<std::int64_t>(k) * mantissa, exponent));
            return ticks;
        }
    }
}

std::vector<std::string> tickLabels(const std::vector<double> &ticks)
{
    constexpr std::size_t kLongest = 12;
    std::vector<std::string> labels;
    for (double value : ticks) {
        char fixed[kLongest];
        const auto [end, error] =
            std::to_chars(fixed, fixed + kLongest, value, std::chars_format::fixed);
        if (error != std::errc())
            break;  // too long without exponent
        labels.emplace_back(fixed, end);
    }
    if (labels.size() == ticks.size())
        return labels;
    labels.clear();
    for (double value : ticks)
        labels.push_back(shortestText(value));
    return labels;
}

AnnotatedPlot buildAnnotatedPlot(const CurveStore &store, ClientSize client, double ratio,
                                 const TextMeasure &measure)
{
    ratio = plotPixelRatio(ratio);
    const ClientSize device = deviceClient(client, ratio);
    if (store.currentCurve < 0 || store.currentCurve >= kCurveCount)
        return {{}, buildDevicePlotScene(store, device, ratio)};
    return Annotator(store, device, ratio, measure).build();
}

}  // namespace ombrelis
