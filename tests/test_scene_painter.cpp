#include "scene_support.h"
#include "view/scene_painter.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using namespace ombrelis;

Q_DECLARE_METATYPE(PixelPoint)
Q_DECLARE_METATYPE(SceneRectangle)
Q_DECLARE_METATYPE(std::vector<PixelPoint>)

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();
const QColor kGrey(128, 128, 128);  // a background that no primitive uses
const QSize kSize(80, 60);

QImage render(ScenePrimitive primitive)
{
    PlotScene scene;
    scene.primitives.push_back(std::move(primitive));
    return renderScene(scene, kSize, kGrey);
}

bool isColour(const QImage &image, int x, int y, Colour colour)
{
    return image.pixel(x, y) == toQColor(colour).rgb();
}

bool isBackground(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == kGrey.rgb();
}

int countOf(const QImage &image, Colour colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isColour(image, x, y, colour) ? 1 : 0;
    return count;
}

// The smallest rectangle holding every pixel that is not background.
QRect paintedBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!isBackground(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A scene of every kind of primitive, mostly around an image of kSize and
// now and then far outside it, with pens, marks and labels as a screen of
// `ratio` device pixels per pixel draws them.
PlotScene randomScene(std::mt19937 &random, double ratio)
{
    std::uniform_int_distribution<int> near(-20, 100);
    std::uniform_int_distribution<int> kind(0, 6);
    std::uniform_int_distribution<int> count(1, 12);
    std::uniform_int_distribution<int> percent(0, 99);
    const Colour palette[] = {kBlack, kWhite, kBlue, 0x0000FF, 0x00FF00, 0x336699};
    const auto colour = [&] { return palette[random() % std::size(palette)]; };
    const auto point = [&]() -> PixelPoint {
        if (percent(random) < 3)
            return {percent(random) < 50 ? kIntMin : kIntMax, near(random)};
        return {near(random), near(random)};
    };
    PlotScene scene;
    scene.lineWidth = lineWidthAt(ratio);
    const int primitives = count(random) * 3;
    for (int n = 0; n < primitives; ++n) {
        switch (kind(random)) {
        case 0:
            scene.primitives.push_back(SceneLine{point(), point(), colour()});
            break;
        case 1: {
            ScenePolyline line{{}, colour()};
            for (int k = count(random); k >= 0; --k)
                line.points.push_back(point());
            scene.primitives.push_back(line);
            break;
        }
        case 2: {
            const PixelPoint a = point();
            const PixelPoint b = point();
            scene.primitives.push_back(SceneRectangle{std::min(a.x, b.x), std::min(a.y, b.y),
                                                      std::max(a.x, b.x), std::max(a.y, b.y),
                                                      colour(), colour()});
            break;
        }
        case 3:
            scene.primitives.push_back(SceneBezier{{point(), point(), point(), point()}, colour()});
            break;
        case 4:
            scene.primitives.push_back(
                SceneMark{point(), colour(), devicePixels(kMarkHalf, ratio)});
            break;
        case 5:
            scene.primitives.push_back(SceneText{point(), "12.50", cursorLabelFont(ratio)});
            break;
        default: {
            // Overlapping rectangles of every shape, one over another.
            SceneBars bars;
            for (int k = count(random) * 2; k > 0; --k) {
                const PixelPoint a = point();
                const PixelPoint b = point();
                bars.rectangles.push_back({std::min(a.x, b.x), std::min(a.y, b.y),
                                           std::max(a.x, b.x), std::max(a.y, b.y), colour(),
                                           colour()});
            }
            scene.primitives.push_back(std::move(bars));
            break;
        }
        }
    }
    return scene;
}

// Bounds of the current curve as a user may set them: ordinary, mirrored,
// empty, huge, negative, above zero.
void setRandomBounds(CurveSlot &slot, std::mt19937 &random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    switch (random() % 6) {
    case 0:
        slot.xmin = 0, slot.xmax = 1000, slot.ymin = 0, slot.ymax = 1000;
        break;
    case 1:  // mirrored
        slot.xmin = 1000, slot.xmax = -50, slot.ymin = 800, slot.ymax = -100;
        break;
    case 2:  // zero width: nothing is drawn
        slot.xmin = slot.xmax = 500, slot.ymin = 0, slot.ymax = 1000;
        break;
    case 3:  // a narrow window onto huge values
        slot.xmin = 1e9 * unit(random), slot.xmax = slot.xmin + 1e-3;
        slot.ymin = -1e12, slot.ymax = 1e12;
        break;
    case 4:  // negative only
        slot.xmin = -2000, slot.xmax = -10, slot.ymin = -900, slot.ymax = -100;
        break;
    default:  // y = 0 below the plot
        slot.xmin = 0, slot.xmax = 1000, slot.ymin = 200 + 300 * unit(random), slot.ymax = 1200;
        break;
    }
}

// Computed curves drawn as bars: up to four of 2 to 4096 points spread over
// and past the bounds of the current one, now and then out of order.
std::unique_ptr<CurveStore> randomBarsStore(std::mt19937 &random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    auto store = makeStore();
    store->smoothing = false;
    store->currentCurve = int(random() % kCurveCount);
    store->showAxes = random() % 2;
    store->showFrame = random() % 2;
    editSlot(*store, store->currentCurve,
             [&](CurveSlot &current) { setRandomBounds(current, random); });
    const CurveSlot &bounds = store->current();
    const Colour palette[] = {kBlack, 0x0000FF, 0x00FF00, kBlue, 0x336699, kWhite};
    for (int k = 0; k < kCurveCount; ++k) {
        if (k != store->currentCurve && random() % 4 == 0)
            continue;
        editSlot(*store, k, [&](CurveSlot &slot) {
            slot.colour = palette[random() % std::size(palette)];
            slot.interpolationFlag = 1;
            slot.samplingCount =
                std::clamp(int(std::exp2(12 * unit(random))) + 1, 2, kMaxSampledPoints);
            const bool shuffled = random() % 8 == 0;
            const double x0 = bounds.xmin - (bounds.xmax - bounds.xmin) * 0.2 * unit(random);
            const double width = (bounds.xmax - bounds.xmin) * (0.2 + 1.2 * unit(random));
            for (int j = 0; j < slot.samplingCount; ++j) {
                const double t = shuffled ? unit(random) : double(j) / (slot.samplingCount - 1);
                const double y =
                    bounds.ymin + (bounds.ymax - bounds.ymin) * (1.4 * unit(random) - 0.2);
                slot.sampledPoints[j] = {x0 + width * t, y};
            }
        });
    }
    if (random() % 4 == 0) {
        store->cursorOn = true;
        store->cursorIndex = int(random() % store->current().samplingCount);
    }
    return store;
}

// The client sizes the bars are checked at: both ends of the range first,
// then sizes spread over it, small ones more often (large images dominate
// the run time under the sanitizers).
QSize clientSizeForRun(int n, std::mt19937 &random)
{
    if (n == 0)
        return {1, 1};
    if (n == 1)
        return {1920, 1080};
    std::uniform_real_distribution<double> unit(0, 1);
    const auto side = [&](int largest) {
        const double u = unit(random);
        return 1 + int((largest - 1) * (n % 4 == 0 ? u : u * u));
    };
    const int width = side(1920);
    return {width, side(1080)};
}

// Over a grey image, or over any image that the painting clears to grey.
QImage paintedWith(const PlotScene &scene, PaintPath path,
                   QImage::Format format = QImage::Format_RGB32, QSize size = kSize,
                   bool clears = false)
{
    QImage image(size, format);
    image.fill(clears ? Qt::red : kGrey);
    QPainter painter(&image);
    if (clears)
        paintScene(painter, scene, kGrey, path);
    else
        paintScene(painter, scene, path);
    return image;
}

// Lines, outlines and rectangles only: the primitives whose pixels the
// scene's rules fix.
PlotScene ruledScene()
{
    PlotScene scene;
    scene.primitives.push_back(SceneLine{{3, 4}, {37, 21}, kBlue});
    scene.primitives.push_back(ScenePolyline{{{5, 30}, {20, 12}, {36, 30}}, kBlack});
    scene.primitives.push_back(SceneRectangle{8, 2, 30, 9, 0x0000FF, kWhite});
    scene.primitives.push_back(SceneMark{{30, 20}, kBlack});
    return scene;
}

}  // namespace

class TestScenePainter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coloursAreBgrWords();
    void lineLeavesOutItsLastPixel_data();
    void lineLeavesOutItsLastPixel();
    void polylineLeavesOutOnlyItsLastPixel_data();
    void polylineLeavesOutOnlyItsLastPixel();
    void rectangleCoversLeftTopToRightBottomExclusive_data();
    void rectangleCoversLeftTopToRightBottomExclusive();
    void bezierCoversItsEndsAndFollowsTheCurve();
    void markIsA7By7Ring();
    void widePensCoverWholeDevicePixels_data();
    void widePensCoverWholeDevicePixels();
    void textSitsOnAnOpaqueCellAtItsTopLeft();
    void missingFamilyFallsBackToAMonospacedFace();
    void sceneFromTheStorePaintsTheCursor();
    void coordinatesAtTheIntLimits();
    void painterStateIsKept();
    void fastPathAppliesOnlyWhereItIsExact();
    void fastPathMatchesTheReferenceOnRandomScenes_data();
    void fastPathMatchesTheReferenceOnRandomScenes();
    void referenceFollowsThePainterTransform();
    void emptySizeGivesANullImage();
};

void TestScenePainter::coloursAreBgrWords()
{
    QCOMPARE(toQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(toQColor(kBlue), QColor(0, 0, 255));
    QCOMPARE(toQColor(0x123456), QColor(0x56, 0x34, 0x12));
}

void TestScenePainter::lineLeavesOutItsLastPixel_data()
{
    QTest::addColumn<PixelPoint>("from");
    QTest::addColumn<PixelPoint>("to");
    QTest::newRow("rightwards") << PixelPoint{10, 10} << PixelPoint{40, 10};
    QTest::newRow("leftwards") << PixelPoint{40, 10} << PixelPoint{10, 10};
    QTest::newRow("downwards") << PixelPoint{20, 5} << PixelPoint{20, 50};
    QTest::newRow("upwards, like the cursor line") << PixelPoint{20, 50} << PixelPoint{20, 5};
    QTest::newRow("diagonal down-right") << PixelPoint{5, 5} << PixelPoint{45, 45};
    QTest::newRow("diagonal up-left") << PixelPoint{45, 45} << PixelPoint{5, 5};
    QTest::newRow("shallow up-right") << PixelPoint{3, 40} << PixelPoint{70, 20};
    QTest::newRow("steep down-left") << PixelPoint{50, 2} << PixelPoint{41, 55};
    QTest::newRow("one pixel long") << PixelPoint{30, 30} << PixelPoint{31, 31};
}

void TestScenePainter::lineLeavesOutItsLastPixel()
{
    QFETCH(PixelPoint, from);
    QFETCH(PixelPoint, to);
    const QImage image = render(SceneLine{from, to, kBlue});
    QVERIFY(isColour(image, from.x, from.y, kBlue));
    QVERIFY(isBackground(image, to.x, to.y));
    const int length = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    QCOMPARE(countOf(image, kBlue), length);
    const QRect box(QPoint(std::min(from.x, to.x), std::min(from.y, to.y)),
                    QPoint(std::max(from.x, to.x), std::max(from.y, to.y)));
    QVERIFY(box.contains(paintedBounds(image)));
}

void TestScenePainter::polylineLeavesOutOnlyItsLastPixel_data()
{
    QTest::addColumn<std::vector<PixelPoint>>("points");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("lastDrawn");
    QTest::newRow("open corner") << std::vector<PixelPoint>{{10, 10}, {30, 10}, {30, 30}} << 40
                                 << false;
    QTest::newRow("closed outline covers every corner")
        << std::vector<PixelPoint>{{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}} << 80 << true;
    QTest::newRow("ending on a pixel drawn before")
        << std::vector<PixelPoint>{{10, 20}, {30, 20}, {20, 10}, {20, 20}} << 40 << true;
    QTest::newRow("repeated last point is still left out")
        << std::vector<PixelPoint>{{10, 10}, {20, 10}, {20, 10}} << 10 << false;
    QTest::newRow("a single point draws nothing")
        << std::vector<PixelPoint>{{10, 10}} << 0 << false;
    QTest::newRow("repeated point draws nothing")
        << std::vector<PixelPoint>{{10, 10}, {10, 10}} << 0 << false;
}

void TestScenePainter::polylineLeavesOutOnlyItsLastPixel()
{
    QFETCH(std::vector<PixelPoint>, points);
    QFETCH(int, count);
    QFETCH(bool, lastDrawn);
    const QImage image = render(ScenePolyline{points, kBlack});
    QCOMPARE(countOf(image, kBlack), count);
    QCOMPARE(isColour(image, points.back().x, points.back().y, kBlack), lastDrawn);
}

void TestScenePainter::rectangleCoversLeftTopToRightBottomExclusive_data()
{
    QTest::addColumn<SceneRectangle>("rectangle");
    QTest::addColumn<QRect>("covered");  // columns and rows covered, empty for none
    QTest::newRow("bar") << SceneRectangle{10, 5, 20, 40, 0x0000FF, kWhite}
                         << QRect(QPoint(10, 5), QPoint(19, 39));
    QTest::newRow("one column: all pen")
        << SceneRectangle{10, 5, 11, 40, 0x0000FF, kWhite} << QRect(QPoint(10, 5), QPoint(10, 39));
    QTest::newRow("no width: nothing")
        << SceneRectangle{10, 5, 10, 40, 0x0000FF, kWhite} << QRect();
    QTest::newRow("no height: nothing")
        << SceneRectangle{10, 5, 20, 5, 0x0000FF, kWhite} << QRect();
    QTest::newRow("int limits: the border lies outside")
        << SceneRectangle{kIntMin, kIntMin, kIntMax, kIntMax, 0x0000FF, kWhite}
        << QRect(QPoint(-1, -1), QPoint(kSize.width(), kSize.height()));
}

void TestScenePainter::rectangleCoversLeftTopToRightBottomExclusive()
{
    QFETCH(SceneRectangle, rectangle);
    QFETCH(QRect, covered);
    const QImage image = render(rectangle);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = covered.contains(x, y);
            const bool border = inside && (x == covered.left() || x == covered.right() ||
                                           y == covered.top() || y == covered.bottom());
            const Colour expected = border ? rectangle.pen : rectangle.fill;
            if (!inside)
                QVERIFY2(isBackground(image, x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
            else
                QVERIFY2(isColour(image, x, y, expected),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
}

void TestScenePainter::bezierCoversItsEndsAndFollowsTheCurve()
{
    const QImage straight = render(SceneBezier{{{10, 30}, {30, 30}, {50, 30}, {70, 30}}, kBlack});
    QCOMPARE(countOf(straight, kBlack), 61);
    QCOMPARE(paintedBounds(straight), QRect(QPoint(10, 30), QPoint(70, 30)));

    // An arch whose top, at t = 0.5, is (40, 20).
    const QImage arch = render(SceneBezier{{{10, 50}, {10, 10}, {70, 10}, {70, 50}}, 0x0000FF});
    QVERIFY(isColour(arch, 10, 50, 0x0000FF));
    QVERIFY(isColour(arch, 70, 50, 0x0000FF));
    QCOMPARE(paintedBounds(arch).top(), 20);
    QVERIFY(isColour(arch, 40, 20, 0x0000FF));
    QVERIFY(isBackground(arch, 40, 35));
}

void TestScenePainter::markIsA7By7Ring()
{
    const QImage image = render(SceneMark{{20, 20}, kBlack});
    QCOMPARE(countOf(image, kBlack), 24);
    QCOMPARE(paintedBounds(image), QRect(QPoint(17, 17), QPoint(23, 23)));
    QVERIFY(isBackground(image, 20, 20));
    QVERIFY(isBackground(image, 18, 18));
}

void TestScenePainter::widePensCoverWholeDevicePixels_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("side");  // of the drawn mark, in device pixels
    QTest::newRow("150 %") << 1.5 << 12;
    QTest::newRow("200 %") << 2.0 << 14;
    QTest::newRow("300 %") << 3.0 << 21;
}

// Each pixel of a line grows into a square of the pen's width to its right
// and below: a mark is a ring of that width, a straight line a band.
void TestScenePainter::widePensCoverWholeDevicePixels()
{
    QFETCH(double, ratio);
    QFETCH(int, side);
    const int width = lineWidthAt(ratio);
    const int half = devicePixels(kMarkHalf, ratio);
    PlotScene scene;
    scene.lineWidth = width;
    scene.primitives.push_back(SceneMark{{30, 30}, kBlack, half});
    scene.primitives.push_back(SceneLine{{5, 55}, {70, 55}, kBlue});
    scene.primitives.push_back(SceneRectangle{50, 5, 75, 25, 0x0000FF, kWhite});
    for (PaintPath path : {PaintPath::Fastest, PaintPath::Reference}) {
        const QImage image = paintedWith(scene, path);
        QCOMPARE(countOf(image, kBlack), side * side - (side - 2 * width) * (side - 2 * width));
        QVERIFY(isColour(image, 30 - half, 30 - half, kBlack));
        QVERIFY(isColour(image, 30 - half + side - 1, 30 - half + side - 1, kBlack));
        QVERIFY(isBackground(image, 30 - half + width, 30 - half + width));
        QCOMPARE(countOf(image, kBlue), (65 + width - 1) * width);
        QCOMPARE(countOf(image, 0x0000FF), 25 * 20 - (25 - 2 * width) * (20 - 2 * width));
    }
}

// The glyphs depend on the installed face; the cell's corner does not.
void TestScenePainter::textSitsOnAnOpaqueCellAtItsTopLeft()
{
    const QImage image = render(SceneText{{10, 15}, "500.00", cursorLabelFont()});
    const QRect cell = paintedBounds(image);
    QCOMPARE(cell.topLeft(), QPoint(10, 15));
    QVERIFY(cell.width() > 6 && cell.height() >= 10);
    int black = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            QVERIFY(isColour(image, x, y, kWhite) || isColour(image, x, y, kBlack));
            black += isColour(image, x, y, kBlack) ? 1 : 0;
        }
    }
    QVERIFY(black > 6);
    QCOMPARE(resolveFont(cursorLabelFont()).pixelSize(), 10);
}

void TestScenePainter::missingFamilyFallsBackToAMonospacedFace()
{
    const QFont font = resolveFont({"No Such Family For Ombrelis", 10, 400, false});
    QCOMPARE(font.pixelSize(), 10);
    QCOMPARE(font.weight(), QFont::Normal);
    const QStringList families = QFontDatabase::families();
    if (std::none_of(families.begin(), families.end(),
                     [](const QString &f) { return QFontDatabase::isFixedPitch(f); }))
        QSKIP("no monospaced face is installed");
    for (const QFont &face : {font, resolveFont(cursorLabelFont())}) {
        const QFontMetrics metrics(face);
        const int width = metrics.horizontalAdvance(QLatin1Char('0'));
        for (char c : std::string("123456789.-iW"))
            QCOMPARE(metrics.horizontalAdvance(QLatin1Char(c)), width);
    }
}

// The cursor example of a 600 x 400 window: line from (300, 380) up to
// (300, 20) without its last pixel, the grip below it.
void TestScenePainter::sceneFromTheStorePaintsTheCursor()
{
    auto store = makeStore();
    store->smoothing = false;
    store->interpolationOption = true;
    editSlot(*store, 0, [&](CurveSlot &c) { setFlatComputedCurve(c, 3, 490); });
    store->cursorOn = true;
    store->cursorIndex = 1;
    const QImage image = renderScene(paintedScene(*store, {600, 400}), {600, 400}, kGrey);
    QVERIFY(isColour(image, 300, 21, kBlack));
    QVERIFY(isColour(image, 300, 100, kBlack));
    QVERIFY(isBackground(image, 300, 20));
    QVERIFY(isColour(image, 294, 380, kBlack));
    QVERIFY(isColour(image, 294, 392, kBlack));
    QVERIFY(isColour(image, 297, 392, kBlack));
    QVERIFY(isBackground(image, 297, 386));  // inside the grip
    QVERIFY(isBackground(image, 293, 386));
    QVERIFY(isColour(image, 20, 203, kBlack));                                        // the curve
    QVERIFY(isColour(image, 300, 203, kWhite) || isColour(image, 300, 203, kBlack));  // label
}

void TestScenePainter::coordinatesAtTheIntLimits()
{
    PlotScene scene;
    scene.primitives.push_back(SceneLine{{kIntMin, 30}, {kIntMax, 30}, kBlack});
    scene.primitives.push_back(SceneLine{{40, kIntMax}, {40, kIntMin}, kBlack});
    scene.primitives.push_back(
        SceneBezier{{{kIntMin, 0}, {kIntMax, 9}, {kIntMin, 9}, {kIntMax, 0}}, kBlack});
    scene.primitives.push_back(SceneMark{{kIntMax, kIntMin}});
    scene.primitives.push_back(SceneText{{kIntMax, 10}, "1.00", cursorLabelFont()});
    scene.primitives.push_back(SceneText{{kIntMin, kIntMin}, "1.00", cursorLabelFont()});
    const QImage image = renderScene(scene, kSize, kGrey);
    for (int x = 0; x < kSize.width(); ++x)
        QVERIFY(isColour(image, x, 30, kBlack));
    for (int y = 0; y < kSize.height(); ++y)
        QVERIFY(isColour(image, 40, y, kBlack));
    QVERIFY(isBackground(image, 60, 50));
}

void TestScenePainter::painterStateIsKept()
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter painter(&image);
    const QPen pen(Qt::green, 3);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, true);
    PlotScene scene;
    scene.primitives.push_back(SceneLine{{0, 0}, {10, 10}, kBlue});
    scene.primitives.push_back(SceneText{{0, 0}, "1.00", cursorLabelFont()});
    paintScene(painter, scene);
    QCOMPARE(painter.pen(), pen);
    QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
    QVERIFY(!painter.hasClipping());
}

void TestScenePainter::fastPathAppliesOnlyWhereItIsExact()
{
    QImage image(kSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QVERIFY(canPaintDirectly(painter));
    painter.setClipRect(0, 0, 10, 10);
    QVERIFY(!canPaintDirectly(painter));
    painter.setClipping(false);
    painter.translate(1, 0);
    QVERIFY(!canPaintDirectly(painter));
    painter.resetTransform();
    painter.setOpacity(0.5);
    QVERIFY(!canPaintDirectly(painter));
    painter.setOpacity(1);
    painter.setCompositionMode(QPainter::CompositionMode_Xor);
    QVERIFY(!canPaintDirectly(painter));
    painter.end();
    QImage small(kSize, QImage::Format_RGB16);
    QPainter other(&small);
    QVERIFY(!canPaintDirectly(other));
}

// The fast path must give exactly the reference's pixels, Qt's Béziers and
// texts interleaved, on images of every format it writes: random primitives
// around a small image, and the bars of random curves at client sizes from
// 1 x 1 to 1920 x 1080.
void TestScenePainter::fastPathMatchesTheReferenceOnRandomScenes_data()
{
    QTest::addColumn<bool>("bars");
    QTest::addColumn<int>("scenes");
    QTest::addColumn<double>("ratio");
    QTest::newRow("primitives") << false << 300 << 1.0;
    QTest::newRow("bars of random curves") << true << 300 << 1.0;
    QTest::newRow("primitives at 200 %") << false << 300 << 2.0;
    QTest::newRow("bars of random curves at 200 %") << true << 100 << 2.0;
    QTest::newRow("primitives at 150 %") << false << 300 << 1.5;
    QTest::newRow("bars of random curves at 150 %") << true << 100 << 1.5;
}

// Both paths fill the same runs in device pixels, so they agree exactly at
// any ratio.
void TestScenePainter::fastPathMatchesTheReferenceOnRandomScenes()
{
    QFETCH(bool, bars);
    QFETCH(int, scenes);
    QFETCH(double, ratio);
    std::mt19937 random((bars ? 12 : 11) + unsigned(ratio * 10) - 10);
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_ARGB32_Premultiplied};
    for (int n = 0; n < scenes; ++n) {
        QSize size = kSize;
        PlotScene scene;
        if (bars) {
            const QSize client = clientSizeForRun(n, random);
            scene =
                paintedScene(*randomBarsStore(random), {client.width(), client.height()}, ratio);
            const ClientSize device = deviceClient({client.width(), client.height()}, ratio);
            size = QSize(device.width, device.height);
        } else {
            scene = randomScene(random, ratio);
        }
        const QImage::Format format = formats[n % 3];
        const QImage reference = paintedWith(scene, PaintPath::Reference, format, size);
        const QImage fast = paintedWith(scene, PaintPath::Fastest, format, size, n % 2 == 1);
        if (fast != reference) {
            const QString stem = QDir::temp().filePath(QStringLiteral("ombrelis-scene-%1-").arg(n));
            fast.save(stem + QStringLiteral("fast.png"));
            reference.save(stem + QStringLiteral("reference.png"));
            QFAIL(qPrintable(QStringLiteral("scene %1 (%2 x %3) differs, see %4*.png")
                                 .arg(n)
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(stem)));
        }
    }
}

// A translated or scaled painter (a high-density screen) takes the reference
// path, whose runs move and grow with the painter.
void TestScenePainter::referenceFollowsThePainterTransform()
{
    const QImage plain = paintedWith(ruledScene(), PaintPath::Fastest);
    QImage moved(kSize, QImage::Format_RGB32);
    moved.fill(kGrey);
    QPainter painter(&moved);
    painter.translate(7, 3);
    paintScene(painter, ruledScene());
    painter.end();
    QImage doubled(kSize * 2, QImage::Format_RGB32);
    doubled.fill(kGrey);
    QPainter scaled(&doubled);
    scaled.scale(2, 2);
    paintScene(scaled, ruledScene());
    scaled.end();
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            QCOMPARE(moved.pixel(x + 7, y + 3), plain.pixel(x, y));
            QCOMPARE(doubled.pixel(2 * x + 1, 2 * y), plain.pixel(x, y));
            QCOMPARE(doubled.pixel(2 * x, 2 * y + 1), plain.pixel(x, y));
        }
    }
}

void TestScenePainter::emptySizeGivesANullImage()
{
    QVERIFY(renderScene(PlotScene{}, QSize(0, 10), kGrey).isNull());
    const QImage blank = renderScene(PlotScene{}, kSize, kGrey);
    QCOMPARE(paintedBounds(blank), QRect());
}

QTEST_MAIN(TestScenePainter)
#include "test_scene_painter.moc"
