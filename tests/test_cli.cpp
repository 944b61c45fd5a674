#include "cli/cli_commands.h"
#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "curves/data_table.h"
#include "scene_support.h"
#include "test_support.h"
#include "view/plot_scene.h"
#include "view/scene_painter.h"
#include "worked_example.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>
#include <sys/stat.h>

using namespace ombrelis;

namespace {

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

CliResult cli(const std::vector<std::string> &words)
{
    std::ostringstream out, err;
    const int code = runCli(words, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

std::string example(const char *name)
{
    return qEnvironmentVariable("OMBRELIS_EXAMPLES").toStdString() + '/' + name;
}

// The example `name`.crv into `slot`, as the editor opens a document.
bool readExample(CurveStore &store, int slot, const char *name)
{
    const std::string base = example(name);
    return readCurveFile(store, slot, QString::fromStdString(base + ".crv"),
                         CurveFileNames::ofBaseName(base), nullptr);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every compressed stream of a PDF file, inflated: the page's among them.
QString inflatedStreams(const QByteArray &pdf)
{
    QString content;
    for (qsizetype at = pdf.indexOf("/FlateDecode"); at >= 0;
         at = pdf.indexOf("/FlateDecode", at)) {
        const qsizetype begin = pdf.indexOf("stream\n", at) + 7;
        at = pdf.indexOf("endstream", begin);
        if (begin < 7 || at <= begin)
            return {};
        content += QString::fromLatin1(qUncompress(
            QByteArray::fromHex("00010000") + pdf.mid(begin, at - begin)));  // a size hint first
    }
    return content;
}

// The texts Qt wrote on a PDF page: each BT..ET block's glyphs read back
// through the font's ToUnicode map. `content` holds the file's streams, the
// page's inflated.
QStringList pdfTexts(const QString &content)
{
    QMap<int, QChar> unicode;
    const QRegularExpression range(QStringLiteral(R"(<([0-9A-F]{4})> <[0-9A-F]{4}> \[([^\]]*)\])"));
    const QRegularExpression code(QStringLiteral("<([0-9A-F]{4})>"));
    for (const auto &match : range.globalMatch(content)) {
        int glyph = match.captured(1).toInt(nullptr, 16);
        for (const auto &target : code.globalMatch(match.captured(2)))
            unicode[glyph++] = QChar(target.captured(1).toUShort(nullptr, 16));
    }
    QStringList texts;
    const QRegularExpression block(QStringLiteral("BT\n(.*?)ET"),
                                   QRegularExpression::DotMatchesEverythingOption);
    for (const auto &match : block.globalMatch(content)) {
        QString text;
        for (const auto &glyph : QRegularExpression(QStringLiteral("<([0-9A-F]{4})> Tj"))
                                     .globalMatch(match.captured(1)))
            text += unicode.value(glyph.captured(1).toInt(nullptr, 16));
        texts.append(text);
    }
    return texts;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::vector<double>)

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void infoPrintsTheFileFields();
    void pointsResampleLikeTheEditor();
    void pointsOfAComputedCurveAreStored();
    void areaIsTheSurfaceText();
    void convertWritesCanonicalFiles();
    void scriptWorkedExample();
    void scriptMessagesAndExitCodes();
    void renderPaintsTheEditorsScene();
    void renderVectorFiles_data();
    void renderVectorFiles();
    void renderAnnotated();
    void manyFiles();
    void jsonRoundTrip();
    void importRows_data();
    void importRows();
    void badUsage_data();
    void badUsage();
    void helpAndVersion();
    void binaryReportsThroughExitCodes();
    void lostOutputIsAFailure_data();
    void lostOutputIsAFailure();

private:
    std::string file(const char *name) const { return dir_.filePath(name).toStdString(); }
    void write(const char *name, const std::string &bytes) const;
    QTemporaryDir dir_;
};

void TestCli::write(const char *name, const std::string &bytes) const
{
    QFile out(dir_.filePath(name));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes.data(), qint64(bytes.size()));
}

void TestCli::initTestCase()
{
    QVERIFY(dir_.isValid());
    write("worked.crv", kWorkedExampleFile);

    // The sampler's two-sample curve at (200, 0) and (800, 1000), 16 stored points.
    auto slot = makeSlot();
    slot->sampleCount = 2;
    setSample(*slot, 0, 200, 0, 50);
    setSample(*slot, 1, 800, 1000, 50);
    slot->samplingCount = 16;
    write("two.crv", formatCurveFile(*slot));

    // Curve 1 of the script's worked example: three points, no samples.
    auto three = makeSlot();
    three->samplingCount = 3;
    three->sampledPoints[0] = {0, 0};
    three->sampledPoints[1] = {500, 100};
    three->sampledPoints[2] = {1000, 200};
    write("three.crv", formatCurveFile(*three));
    auto five = makeSlot();
    five->samplingCount = 5;
    write("five.crv", formatCurveFile(*five));

    std::string tooMany = kWorkedExampleFile;
    tooMany.replace(tooMany.find("\r\n2\r\n"), 5, "\r\n17\r\n");
    write("trop.crv", tooMany);
    QVERIFY(mkfifo(qPrintable(dir_.filePath("tube.crv")), 0600) == 0);
}

void TestCli::infoPrintsTheFileFields()
{
    const CliResult result = cli({"info", file("worked.crv")});
    QCOMPARE(result.code, 0);
    QCOMPARE(result.out, "xLegend: X\nyLegend: Y\nxmin: 0.000000\nxmax: 1000.000000\n"
                         "ymin: 0.000000\nymax: 1000.000000\nsampleCount: 2\n"
                         "samplingCount: 4\ninterpolationFlag: 0\n");
    QVERIFY(result.err.empty());
    QVERIFY(cli({"info", example("wave.crv")}).out.starts_with("xLegend: temps (ms)\n"));
}

void TestCli::pointsResampleLikeTheEditor()
{
    const auto stored = lines(cli({"points", file("two.crv")}).out);
    QCOMPARE(stored.size(), std::size_t(16));
    QCOMPARE(stored[0], "0.000000 0.000000");

    const auto resampled = lines(cli({"points", file("two.crv"), "--count", "64"}).out);
    QCOMPARE(resampled.size(), std::size_t(64));
    QVERIFY(resampled[13].starts_with("206.349206 3.234"));
    QVERIFY(resampled[14].starts_with("222.222222 20.886"));
    QVERIFY(resampled[31].starts_with("492.063492 485.353"));
    QVERIFY(resampled[50].starts_with("793.650794 996.765"));
    QCOMPARE(resampled[63], "1000.000000 0.000000");

    const auto csv = lines(cli({"points", file("two.crv"), "--count", "64", "--csv"}).out);
    QCOMPARE(csv.size(), std::size_t(65));
    QCOMPARE(csv[0], "x,y");
    QCOMPARE(csv[1], "0,0");
    QCOMPARE(csv[2], QString::number(1000.0 / 63, 'g', 17).toStdString() + ",0");
}

void TestCli::pointsOfAComputedCurveAreStored()
{
    // The parabola example is flagged: --count leaves its 64 computed points.
    const auto points = lines(cli({"points", example("parabola.crv"), "--count", "16"}).out);
    QCOMPARE(points.size(), std::size_t(64));
    QCOMPARE(points[63], "1000.000000 1000.000000");
    // The worked example's two samples do not reach x = 1000: ymin there.
    const auto worked = lines(cli({"points", file("worked.crv")}).out);
    QCOMPARE(worked.size(), std::size_t(4));
    QCOMPARE(worked[3], "1000.000000 0.000000");
}

void TestCli::areaIsTheSurfaceText()
{
    const CliResult ramp = cli({"area", example("ramp.crv")});
    QCOMPARE(ramp.code, 0);
    QCOMPARE(ramp.out, "500000.00\n");
    QCOMPARE(cli({"area", example("parabola.crv")}).out,
             QString::asprintf("%.2f\n", 1e9 / 3 * (1 + 0.5 / (63.0 * 63.0)) / 1000).toStdString());

    // A cut file is read as it stands, with one line that says so.
    write("cut.crv",
          contentOf(QString::fromStdString(example("parabola.crv"))).left(700).toStdString());
    const CliResult cut = cli({"area", file("cut.crv")});
    QCOMPARE(cut.code, 0);
    QVERIFY(!cut.out.empty());
    QCOMPARE(cut.err,
             "ombrelis-cli : Fichier de courbe mal formé « " + file("cut.crv") +
                 " » : ligne 38 (point échantillonné 18 sur 64), un nombre est attendu ; 0 "
                 "est lu à sa place. Il s'arrête aussi avant le point échantillonné 19 sur "
                 "64 ; ce qui manque est lu comme vide ou nul.\n");
}

void TestCli::convertWritesCanonicalFiles()
{
    QCOMPARE(cli({"convert", example("wave.crv"), "--out", file("wave.crv")}).code, 0);
    QCOMPARE(contentOf(dir_.filePath("wave.crv")),
             contentOf(QString::fromStdString(example("wave.crv"))));

    std::string lfOnly = kWorkedExampleFile;
    std::erase(lfOnly, '\r');
    write("lf.crv", lfOnly);
    QCOMPARE(cli({"convert", file("lf.crv"), "--out", file("crlf.crv")}).code, 0);
    QCOMPARE(contentOf(dir_.filePath("crlf.crv")).toStdString(), kWorkedExampleFile);

    QCOMPARE(cli({"convert", file("worked.crv"), "--out", file("worked.csv")}).code, 0);
    QCOMPARE(contentOf(dir_.filePath("worked.csv")), "x,y\n0,0\n300,90\n600,210\n900,300\n");
    // Regression: 0.350621 was written 0.35062100000000002.
    QCOMPARE(cli({"convert", example("wave.crv"), "--out", file("wave.csv")}).code, 0);
    QVERIFY(
        contentOf(dir_.filePath("wave.csv")).startsWith("x,y\n0,0.350621\n15.873016,39.866094\n"));
}

void TestCli::scriptWorkedExample()
{
    const CliResult result = cli({"script", "C2=C1*2+X", "--c1", file("three.crv"), "--c2",
                                  file("five.crv"), "--current", "2", "--out", file("c2.crv")});
    QCOMPARE(result.code, 0);
    QVERIFY(result.out.empty());
    QVERIFY(result.err.empty());
    const CliResult points = cli({"points", file("c2.crv")});
    QCOMPARE(points.out, "0.000000 0.000000\n250.000000 350.000000\n500.000000 700.000000\n"
                         "750.000000 1050.000000\n1000.000000 1400.000000\n");
    QVERIFY(cli({"info", file("c2.crv")}).out.ends_with("interpolationFlag: 1\n"));

    // Regression: a target with control samples was resampled back to its old curve.
    const std::vector<std::string> doubled = {
        "script", "C2=C1*2", "--c1", file("three.crv"), "--c2", file("two.crv"), "--current", "1"};
    const std::string expected =
        "0.000000 0.000000\n500.000000 200.000000\n1000.000000 400.000000\n";
    QCOMPARE(cli(doubled).out, expected);
    auto toFile = doubled;
    toFile.insert(toFile.end(), {"--out", file("doubled.crv")});
    QCOMPARE(cli(toFile).code, 0);
    QCOMPARE(cli({"points", file("doubled.crv")}).out, expected);
    const std::string info = cli({"info", file("doubled.crv")}).out;
    QVERIFY2(info.find("sampleCount: 0\n") != std::string::npos, info.c_str());
    QVERIFY(info.ends_with("interpolationFlag: 1\n"));

    // Without --out the target's points are printed; --count sets the grid.
    const auto printed = lines(cli({"script", "X/2", "--count", "16"}).out);
    QCOMPARE(printed.size(), std::size_t(16));
    QCOMPARE(printed[15], "1000.000000 500.000000");
}

void TestCli::scriptMessagesAndExitCodes()
{
    const CliResult unbalanced =
        cli({"script", "C1=(C2", "--c2", file("three.crv"), "--out", file("c1.crv")});
    QCOMPARE(unbalanced.code, kExitScriptFailed);
    QCOMPARE(unbalanced.err,
             "Parenthésage incorrecte dans le script!\nSyntaxe incorrecte pour le script!\n");
    QVERIFY(!QFile::exists(dir_.filePath("c1.crv")));  // a faulty line computes nothing

    const CliResult badLeft = cli({"script", "C5=X", "--out", file("c5.crv")});
    QCOMPARE(badLeft.code, kExitScriptFailed);
    QCOMPARE(badLeft.err, "Affectation avec membre gauche incorrect!\n");
    QVERIFY(!QFile::exists(dir_.filePath("c5.crv")));

    const std::string ramp = example("ramp.crv");
    const CliResult full =
        cli({"script", "X", "--c1", ramp, "--c2", ramp, "--c3", ramp, "--c4", ramp});
    QCOMPARE(full.code, kExitScriptFailed);
    QCOMPARE(full.err, "Place indisponible pour le script!\n");
    QVERIFY(full.out.empty());
}

void TestCli::renderPaintsTheEditorsScene()
{
    const std::string wave = example("wave.crv"), ramp = example("ramp.crv");
    const CliResult result =
        cli({"render", wave, ramp, "--out", file("plot.png"), "--size", "320x240", "--current", "2",
             "--sampled", "--axes", "--frame", "--cursor", "7", "--count", "32"});
    QCOMPARE(result.code, 0);
    QVERIFY2(result.err.empty(), result.err.c_str());

    // The same window built by hand: curves 1 and 2, 32 points, bars, axes, frame, cursor.
    auto store = std::make_unique<CurveStore>();
    QVERIFY(readExample(*store, 0, "wave"));
    QVERIFY(readExample(*store, 1, "ramp"));
    store->setSamplingCount(32);
    store->currentCurve = 1;
    store->smoothing = false;
    store->showAxes = store->showFrame = store->cursorOn = true;
    store->cursorIndex = 7;
    const QImage expected = renderScene(paintedScene(*store, {320, 240}), {320, 240}, Qt::white);
    const QImage rendered(dir_.filePath("plot.png"));
    QCOMPARE(rendered.size(), QSize(320, 240));
    QCOMPARE(rendered.convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(rendered.pixelColor(0, 0), QColor(Qt::white));

    // --scale draws the editor's scene at that device pixel ratio.
    const CliResult scaled = cli({"render", wave, ramp, "--out", file("plot2.png"), "--size",
                                  "320x240", "--current", "2", "--sampled", "--axes", "--frame",
                                  "--cursor", "7", "--count", "32", "--scale", "1.5"});
    QCOMPARE(scaled.code, 0);
    const QImage sharp(dir_.filePath("plot2.png"));
    QCOMPARE(sharp.size(), QSize(480, 360));
    QCOMPARE(sharp.convertToFormat(QImage::Format_RGB32),
             renderScene(paintedScene(*store, {320, 240}, 1.5), {480, 360}, Qt::white));
}

void TestCli::renderVectorFiles_data()
{
    QTest::addColumn<std::vector<std::string>>("options");
    QTest::addColumn<bool>("smoothed");  // the curve is a Bézier path
    QTest::newRow("smoothed, axes, frame") << std::vector<std::string>{"--axes", "--frame"} << true;
    QTest::newRow("edit mode, cursor")
        << std::vector<std::string>{"--edit", "--cursor", "40", "--frame"} << true;
    QTest::newRow("bars") << std::vector<std::string>{"--sampled", "--count", "48"} << false;
    QTest::newRow("polyline, cursor")
        << std::vector<std::string>{"--sampled", "--interpolation", "--axes", "--cursor", "9"}
        << false;
}

void TestCli::renderVectorFiles()
{
    QFETCH(std::vector<std::string>, options);
    QFETCH(bool, smoothed);
    for (const char *name : {"v.png", "v.svg", "v.pdf"}) {
        std::vector<std::string> words = {"render", example("wave.crv"), "--size", "320x240",
                                          "--out",  file(name)};
        words.insert(words.end(), options.begin(), options.end());
        const CliResult result = cli(words);
        QVERIFY2(result.code == 0, result.err.c_str());
    }

    // Shapes, not pixels: a path of cubic segments, no rectangle a pixel or two
    // wide. Regression: the size was given in millimetres.
    const QString svgText = QString::fromUtf8(contentOf(dir_.filePath("v.svg")));
    QVERIFY(svgText.contains(QStringLiteral(R"(<svg width="320px" height="240px")")));
    QCOMPARE(svgText.contains(QRegularExpression(QStringLiteral(R"(<path[^>]* d="M[^"]*C)"))),
             smoothed);
    QVERIFY(!svgText.contains(
        QRegularExpression(QStringLiteral(R"(<rect[^>]* width="[12]" height="[12]")"))));

    // Laid over the PNG, the SVG rasterised at the client size inks the same
    // pixels to within one, both ways.
    QSvgRenderer svg(dir_.filePath("v.svg"));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox(), QRect(0, 0, 320, 240));
    QImage raster(320, 240, QImage::Format_RGB32);
    raster.fill(Qt::red);
    QPainter painter(&raster);
    svg.render(&painter);
    painter.end();
    const QImage png = QImage(dir_.filePath("v.png")).convertToFormat(QImage::Format_RGB32);
    // Ink in one of the 3 x 3 pixels around (x, y), or at (x, y) alone.
    const auto inked = [](const QImage &image, int x, int y, int below, int reach = 1) {
        for (int k = 0; k < 9; ++k) {
            const QPoint p(x + (k % 3 - 1) * reach, y + (k / 3 - 1) * reach);
            if (image.rect().contains(p) && image.pixelColor(p).lightness() < below)
                return true;
        }
        return false;
    };
    int ink = 0;  // the PNG's; the SVG's faint edges of smoothed strokes are left out
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            ink += inked(png, x, y, 255, 0);
            if ((inked(png, x, y, 255, 0) && !inked(raster, x, y, 250)) ||
                (inked(raster, x, y, 128, 0) && !inked(png, x, y, 255)))
                QFAIL(qPrintable(QStringLiteral("the inks differ at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(ink > 300);
    QCOMPARE(raster.pixelColor(160, 200), png.pixelColor(160, 200));  // the background, painted

    // The PDF is one page with the client's aspect ratio, drawn with paths.
    const QByteArray pdf = contentOf(dir_.filePath("v.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n"), 1);
    const auto box = QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"))
                         .match(QString::fromLatin1(pdf));
    QVERIFY(box.hasMatch());
    QVERIFY(qAbs(box.captured(1).toDouble() / box.captured(2).toDouble() - 320.0 / 240.0) < 0.01);
    QVERIFY(!pdf.contains("/Subtype /Image"));
    const QString content = inflatedStreams(pdf);
    QVERIFY(content.contains(QRegularExpression(QStringLiteral("\n[SB]\n"))));  // stroked paths
    if (!smoothed)
        return;
    // No PDF rasteriser is at hand: the curve's path is compared with the
    // scene instead, every control point at the centre of its pixel.
    auto store = std::make_unique<CurveStore>();
    QVERIFY(readExample(*store, 0, "wave"));
    store->editMode = options.front() == "--edit";
    QList<QPointF> expected, drawn;
    for (const ScenePrimitive &primitive : paintedScene(*store, {320, 240}).primitives) {
        if (const auto *bezier = std::get_if<SceneBezier>(&primitive)) {
            for (std::size_t i = 1; i < bezier->points.size(); ++i)
                expected.append({bezier->points[i].x + 0.5, bezier->points[i].y + 0.5});
        }
    }
    const QString number = QStringLiteral("([-\\d.]+) ");
    const auto curveTo =
        QRegularExpression(QStringLiteral("^") + number.repeated(6) + QStringLiteral("c$"),
                           QRegularExpression::MultilineOption);
    for (const auto &match : curveTo.globalMatch(content)) {
        for (int k = 1; k <= 6; k += 2)
            drawn.append({match.captured(k).toDouble(), match.captured(k + 1).toDouble()});
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(drawn, expected);
}

// Around the same plot: tick numbers, axis titles and the key, as text in
// vector files; the image keeps the size asked for.
void TestCli::renderAnnotated()
{
    for (const char *name : {"a.png", "a.svg", "a.pdf"}) {
        std::vector<std::string> words = {"render", example("wave.crv"), example("ramp.crv"),
                                          "--size", "500x300",           "--annotate",
                                          "--out",  file(name)};
        if (QByteArray(name).endsWith("png"))
            words.insert(words.end(), {"--scale", "2"});
        const CliResult result = cli(words);
        QVERIFY2(result.code == 0, result.err.c_str());
    }
    QCOMPARE(QImage(dir_.filePath("a.png")).size(), QSize(1000, 600));
    const QStringList texts = {"temps (ms)", "amplitude", "wave", "ramp", "-400", "0", "1000"};
    const QString svg = QString::fromUtf8(contentOf(dir_.filePath("a.svg")));
    QVERIFY(svg.contains(QRegularExpression(QStringLiteral(R"(<path[^>]* d="M[^"]*C)"))));
    for (const QString &text : texts)
        QVERIFY2(svg.contains(QStringLiteral(">%1</text>").arg(text)), qPrintable(text));
    const QByteArray pdf = contentOf(dir_.filePath("a.pdf"));
    QStringList inPdf = pdfTexts(inflatedStreams(pdf) + QString::fromLatin1(pdf));
    inPdf.replaceInStrings(QStringLiteral("\t"), QStringLiteral(" "));  // Qt may map a space so
    for (const QString &text : texts)
        QVERIFY2(inPdf.contains(text), qPrintable(inPdf.join('|')));
}

void TestCli::manyFiles()
{
    const std::string three = file("three.crv"), worked = file("worked.crv");
    const std::string comma = file("a,b.crv"), absent = file("absent.crv");
    write("a,b.crv", contentOf(dir_.filePath("three.crv")).toStdString());
    const auto single = [](const char *command, const std::string &path) {
        return cli({command, path}).out;
    };
    struct Row {
        std::vector<std::string> words;
        std::string out;
        int code;
        std::size_t errorLines;
    };
    const Row rows[] = {
        {{"area", three}, single("area", three), 0, 0},
        {{"area", three, worked},
         three + '\t' + single("area", three) + worked + '\t' + single("area", worked),
         0,
         0},
        {{"area", absent, three, file("trop.crv")},
         three + '\t' + single("area", three),
         kExitUsage,
         2},
        {{"area", absent}, "", kExitUsage, 1},
        {{"info", worked, three},
         "file: " + worked + '\n' + single("info", worked) + "\nfile: " + three + '\n' +
             single("info", three),
         0,
         0},
        {{"points", three, three},
         three + "\t0.000000 0.000000\n" + three + "\t500.000000 100.000000\n" + three +
             "\t1000.000000 200.000000\n" + three + "\t0.000000 0.000000\n" + three +
             "\t500.000000 100.000000\n" + three + "\t1000.000000 200.000000\n",
         0,
         0},
        {{"points", "--csv", comma, absent, three},
         "file,x,y\n\"" + comma + "\",0,0\n\"" + comma + "\",500,100\n\"" + comma +
             "\",1000,200\n" + three + ",0,0\n" + three + ",500,100\n" + three + ",1000,200\n",
         kExitUsage,
         1},
    };
    for (const Row &row : rows) {
        const CliResult result = cli(row.words);
        QCOMPARE(result.out, row.out);
        QCOMPARE(result.code, row.code);
        QCOMPARE(lines(result.err).size(), row.errorLines);
    }
}

// Any character in a legend, a value JSON cannot hold, several files.
void TestCli::jsonRoundTrip()
{
    auto odd = makeSlot();
    odd->xLegend = "\"t\" \\ \x01 é";
    odd->ymax = std::numeric_limits<double>::infinity();
    write("odd.crv", formatCurveFile(*odd));
    const auto parsed = [](const std::vector<std::string> &words) {
        const CliResult result = cli(words);
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
        return error.error == QJsonParseError::NoError && result.code == 0 ? document
                                                                           : QJsonDocument();
    };
    const QJsonObject info = parsed({"info", "--json", file("odd.crv")}).object();
    QCOMPARE(info["file"].toString().toStdString(), file("odd.crv"));
    QCOMPARE(info["xLegend"].toString().toStdString(), odd->xLegend);
    QVERIFY(info["ymax"].isNull());
    QCOMPARE(info["samplingCount"].toInt(), odd->samplingCount);

    // Numbers read back exactly: the points as the CSV's full precision gives them.
    const QJsonArray points =
        parsed({"points", "--json", "--count", "32", file("two.crv"), file("three.crv")}).array();
    QCOMPARE(points.size(), 2);
    const auto csv = lines(cli({"points", "--csv", "--count", "32", file("two.crv")}).out);
    const QJsonArray two = points[0]["points"].toArray();
    QCOMPARE(two.size(), 32);
    for (qsizetype j = 0; j < two.size(); ++j) {
        const QStringList xy = QString::fromStdString(csv[std::size_t(j) + 1]).split(',');
        QVERIFY(two[j][0].toDouble() == xy[0].toDouble() &&
                two[j][1].toDouble() == xy[1].toDouble());
    }
    QCOMPARE(points[1]["file"].toString().toStdString(), file("three.crv"));

    const QJsonArray area =
        parsed({"area", "--json", example("ramp.crv"), file("three.crv")}).array();
    QCOMPARE(area.size(), 2);
    QCOMPARE(QString::number(area[0]["area"].toDouble(), 'f', 2), "500000.00");
}

void TestCli::importRows_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<std::vector<std::string>>("options");
    QTest::addColumn<QString>("error");               // a part of the message; empty when imported
    QTest::addColumn<QString>("legends");             // "x|y" of the written curve
    QTest::addColumn<std::vector<double>>("bounds");  // xmin xmax ymin ymax
    const std::vector<std::string> none;
    QTest::newRow("comma, header names the legends")
        << QByteArray("temps,tension\n0,1\n1.5,2\n3,-2\n") << none << QString() << "temps|tension"
        << std::vector<double>{0, 3, -2, 2};
    QTest::newRow("semicolon, CRLF, flat curve widened")
        << QByteArray("0;5\r\n2;5\r\n") << none << QString() << "X|Y"
        << std::vector<double>{0, 2, 4, 6};
    QTest::newRow("tab, quoted header, legend given")
        << QByteArray("\"t\"\t\"v\"\n-1\t0.25\n1e1\t +3\n")
        << std::vector<std::string>{"--y-legend", "tension (V)"} << QString() << "t|tension (V)"
        << std::vector<double>{-1, 10, 0.25, 3};
    QTest::newRow("blank lines and byte order mark")
        << QByteArray("\xEF\xBB\xBFx;y\n\n1;2\n  \n3;4\n") << none << QString() << "x|y"
        << std::vector<double>{1, 3, 2, 4};
    QTest::newRow("three values") << QByteArray("0,1,2\n1,2\n") << none << "ligne 1 :" << QString()
                                  << std::vector<double>{};
    QTest::newRow("decimal comma")
        << QByteArray("x;y\n0,5;1\n") << none << "ligne 2 :" << QString() << std::vector<double>{};
    QTest::newRow("not a number") << QByteArray("x,y\n0,1\n1,abc\n") << none
                                  << "ligne 3 :" << QString() << std::vector<double>{};
    QTest::newRow("infinity is not a measure")
        << QByteArray("0,1\n1,inf\n") << none << "ligne 2 :" << QString() << std::vector<double>{};
    QTest::newRow("x not ascending") << QByteArray("0,1\n2,1\n2,3\n") << none << "ligne 3 : les x"
                                     << QString() << std::vector<double>{};
    QTest::newRow("x equal at six decimals")
        << QByteArray("0.0000001,1\n0.0000002,1\n") << none << "ligne 2 : les x" << QString()
        << std::vector<double>{};
    QTest::newRow("one row") << QByteArray("x,y\n0,1\n") << none << "au moins deux" << QString()
                             << std::vector<double>{};
    QByteArray many = "x,y\n";
    for (int i = 0; i <= 4096; ++i)
        many += QByteArray::number(i) + ",1\n";
    QTest::newRow("4097 rows") << many << none << "ligne 4098 : plus de 4096" << QString()
                               << std::vector<double>{};
    QTest::newRow("legend on two lines")
        << QByteArray("0,1\n1,2\n") << std::vector<std::string>{"--x-legend", "a\nb"} << "légende"
        << QString() << std::vector<double>{};
    QTest::newRow("legend read back as a comment")
        << QByteArray("0,1\n1,2\n") << std::vector<std::string>{"--y-legend", ";y"} << "légende"
        << QString() << std::vector<double>{};
    // Legends are composed, then refused rather than written as "?".
    QTest::newRow("combining accents composed")
        << QByteArray("e\xCC\x81,y\n0,1\n1,2\n")
        << std::vector<std::string>{"--y-legend", "cafe\xCC\x81"} << QString() << "é|café"
        << std::vector<double>{0, 1, 1, 2};
    QTest::newRow("header outside Windows-1252")
        << QByteArray("\n日本,😀\n0,1\n1,2\n") << none << "ligne 2 : le caractère « 日 » (U+65E5)"
        << QString() << std::vector<double>{};
    QTest::newRow("option outside Windows-1252")
        << QByteArray("0,1\n1,2\n") << std::vector<std::string>{"--x-legend", "temps 日本"}
        << "--x-legend : le caractère « 日 »" << QString() << std::vector<double>{};
    QTest::newRow("header not UTF-8")
        << QByteArray("t,\xB5s\n0,1\n1,2\n") << none << "ligne 1 : l'octet 0xB5" << QString()
        << std::vector<double>{};
    QTest::newRow("header name replaced by the option")
        << QByteArray("日,v\n0,1\n1,2\n") << std::vector<std::string>{"--x-legend", "t"}
        << QString() << "t|v" << std::vector<double>{0, 1, 1, 2};
}

void TestCli::importRows()
{
    QFETCH(QByteArray, csv);
    QFETCH(std::vector<std::string>, options);
    QFETCH(QString, error);
    QFETCH(QString, legends);
    QFETCH(std::vector<double>, bounds);
    write("data.csv", csv.toStdString());
    QFile::remove(dir_.filePath("data.crv"));
    std::vector<std::string> words = {"import", file("data.csv"), "--out", file("data.crv")};
    words.insert(words.end(), options.begin(), options.end());
    const CliResult result = cli(words);
    QVERIFY(result.out.empty());
    if (!error.isEmpty()) {
        QCOMPARE(result.code, kExitUsage);
        QCOMPARE(lines(result.err).size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(result.err).contains(error), result.err.c_str());
        QVERIFY(!QFile::exists(dir_.filePath("data.crv")));
        return;
    }
    QVERIFY2(result.code == 0, result.err.c_str());
    auto curve = makeSlot();
    const std::string written = contentOf(dir_.filePath("data.crv")).toStdString();
    QVERIFY(parseCurveFile(written, "data.crv", *curve).ok());
    QCOMPARE(QString::fromStdString(curve->xLegend + '|' + curve->yLegend), legends);
    QCOMPARE((std::vector<double>{curve->xmin, curve->xmax, curve->ymin, curve->ymax}), bounds);
    QCOMPARE(curve->interpolationFlag, 1);
    QCOMPARE(curve->sampleCount, 0);

    // points gives the rows back.
    DataTable rows, back;
    QVERIFY(readDataTable(csv.toStdString(), rows).ok());
    QVERIFY(readDataTable(cli({"points", file("data.crv"), "--csv"}).out, back).ok());
    QCOMPARE(back.rows, rows.rows);
}

void TestCli::badUsage_data()
{
    QTest::addColumn<std::vector<std::string>>("words");
    QTest::addColumn<QString>("message");
    const std::string worked = file("worked.crv");
    QTest::newRow("nothing") << std::vector<std::string>{} << "sous-commande attendue";
    QTest::newRow("unknown subcommand") << std::vector<std::string>{"dessine"} << "inconnue";
    QTest::newRow("unknown option")
        << std::vector<std::string>{"info", worked, "--vite"} << "option inconnue";
    QTest::newRow("missing value")
        << std::vector<std::string>{"points", worked, "--count"} << "valeur manquante";
    QTest::newRow("count too small")
        << std::vector<std::string>{"points", worked, "--count", "15"} << "--count";
    QTest::newRow("count too large")
        << std::vector<std::string>{"area", worked, "--count", "4097"} << "--count";
    QTest::newRow("count not a number")
        << std::vector<std::string>{"area", worked, "--count", "1e3"} << "--count";
    QTest::newRow("no file") << std::vector<std::string>{"info"} << "fichier .crv attendu";
    QTest::newRow("CSV and JSON") << std::vector<std::string>{"points", worked, "--csv", "--json"}
                                  << "--csv et --json";
    QTest::newRow("missing file") << std::vector<std::string>{"info", file("absent.crv")}
                                  << "introuvable";
    QTest::newRow("FIFO") << std::vector<std::string>{"info", file("tube.crv")}
                          << "pas un fichier ordinaire";
    QTest::newRow("device") << std::vector<std::string>{"points", "/dev/zero"}
                            << "pas un fichier ordinaire";
    QTest::newRow("refused file") << std::vector<std::string>{"points", file("trop.crv")}
                                  << "17 échantillons";
    QTest::newRow("convert without out") << std::vector<std::string>{"convert", worked} << "--out";
    QTest::newRow("convert to other kind")
        << std::vector<std::string>{"convert", worked, "--out", file("a.txt")} << ".crv ou .csv";
    QTest::newRow("script without line") << std::vector<std::string>{"script"} << "ligne de script";
    QTest::newRow("script current out of range")
        << std::vector<std::string>{"script", "X", "--current", "5"} << "--current";
    QTest::newRow("script missing curve file")
        << std::vector<std::string>{"script", "X", "--c3", file("absent.crv")} << "introuvable";
    QTest::newRow("render without out") << std::vector<std::string>{"render", worked} << "--out";
    QTest::newRow("render without files")
        << std::vector<std::string>{"render", "--out", file("a.png")} << "fichiers .crv";
    QTest::newRow("render five files")
        << std::vector<std::string>{"render", worked, worked,  worked,
                                    worked,   worked, "--out", file("a.png")}
        << "fichiers .crv";
    QTest::newRow("render bad size")
        << std::vector<std::string>{"render", worked, "--out", file("a.png"), "--size", "0x10"}
        << "--size";
    QTest::newRow("render size without x")
        << std::vector<std::string>{"render", worked, "--out", file("a.png"), "--size", "600"}
        << "--size";
    QTest::newRow("render to another kind")
        << std::vector<std::string>{"render", worked, "--out", file("a.gif")}
        << ".png, .svg ou .pdf";
    QTest::newRow("import without out")
        << std::vector<std::string>{"import", file("a.csv")} << "--out";
    QTest::newRow("import missing file")
        << std::vector<std::string>{"import", file("absent.csv"), "--out", file("a.crv")}
        << "introuvable";
    for (const char *scale : {"0.5", "4.5", "2x", "1e0", "nan", ""})
        QTest::addRow("render scale %s", scale)
            << std::vector<std::string>{"render", worked, "--out", file("a.png"), "--scale", scale}
            << "--scale attend un facteur de 1 à 4";
    QTest::newRow("render vector file at a scale")
        << std::vector<std::string>{"render", worked, "--out", file("a.svg"), "--scale", "2"}
        << "--scale ne s'applique qu'aux images .png";
    QTest::newRow("render bad cursor")
        << std::vector<std::string>{"render", worked, "--out", file("a.png"), "--cursor", "-1"}
        << "--cursor";
    QTest::newRow("unwritable output")
        << std::vector<std::string>{"convert", worked, "--out", file("absent/a.crv")}
        << "en écriture (" + qt_error_string(ENOENT) + ")";
}

void TestCli::badUsage()
{
    QFETCH(std::vector<std::string>, words);
    QFETCH(QString, message);
    const CliResult result = cli(words);
    QCOMPARE(result.code, kExitUsage);
    QVERIFY(result.out.empty());
    const auto errorLines = lines(result.err);
    QCOMPARE(errorLines.size(), std::size_t(1));
    QVERIFY2(errorLines[0].starts_with("ombrelis-cli : "), result.err.c_str());
    QVERIFY2(QString::fromStdString(errorLines[0]).contains(message), result.err.c_str());
}

void TestCli::helpAndVersion()
{
    const CliResult help = cli({"--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.find("ombrelis-cli render") != std::string::npos);
    QCOMPARE(cli({"--version"}).out, "ombrelis-cli 1.1\n");

    // The script line is upper-cased, ASCII letters only, as the script box does.
    QVERIFY(help.out.find("majuscules") != std::string::npos);
    const CliResult lower =
        cli({"script", "c2=c1*2+x", "--c1", file("three.crv"), "--current", "1"});
    QCOMPARE(lower.code, 0);
    QCOMPARE(lower.out, "0.000000 0.000000\n500.000000 700.000000\n1000.000000 1400.000000\n");
    QCOMPARE(cli({"script", "c1=\xC3\xA9"}).err, "Syntaxe incorrecte pour le script!\n");
}

void TestCli::binaryReportsThroughExitCodes()
{
    QProcess process;
    process.start(OMBRELIS_CLI, {"area", QString::fromStdString(example("ramp.crv"))});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), "500000.00\n");

    process.start(OMBRELIS_CLI, {"info", dir_.filePath("absent.crv")});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), kExitUsage);
    QVERIFY(process.readAllStandardError().startsWith("ombrelis-cli : "));
}

// Regression: output lost on a full device was reported as a success.
void TestCli::lostOutputIsAFailure_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString ramp = QString::fromStdString(example("ramp.crv"));
    QTest::newRow("info") << QStringList{"info", ramp};
    QTest::newRow("points") << QStringList{"points", ramp};
    QTest::newRow("area") << QStringList{"area", ramp};
    QTest::newRow("script") << QStringList{"script", "X"};
}

void TestCli::lostOutputIsAFailure()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(OMBRELIS_CLI, arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), kExitUsage);
    QCOMPARE(process.readAllStandardError(),
             "ombrelis-cli : impossible d'écrire la sortie standard\n");
}

QTEST_MAIN(TestCli)
#include "test_cli.moc"
