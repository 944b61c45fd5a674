#include "curves/crv_format.h"
#include "curves/curve_store.h"
#include "curves/number_text.h"
#include "curves/recovery_record.h"
#include "curves/windows1252.h"
#include "test_support.h"
#include "worked_example.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <random>
#include <type_traits>

using namespace ombrelis;

namespace {

// No conversion to bool: an optional message tested true on a refusal, so
// `if (status)` would read backwards.
static_assert(!std::is_constructible_v<bool, Status>);

std::string withoutCarriageReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}

// Parses into a fresh slot; fails the test on a refusal.
std::unique_ptr<CurveSlot> parsed(std::string_view bytes)
{
    auto slot = makeSlot();
    const Status read = parseCurveFile(bytes, "test.crv", *slot);
    if (!read.ok())
        qWarning("refused: %s", read.message().c_str());
    return read.ok() ? std::move(slot) : nullptr;
}

void compareUsedFields(const CurveSlot &a, const CurveSlot &b)
{
    QCOMPARE(a.xLegend, b.xLegend);
    QCOMPARE(a.yLegend, b.yLegend);
    QCOMPARE(a.xmin, b.xmin);
    QCOMPARE(a.xmax, b.xmax);
    QCOMPARE(a.ymin, b.ymin);
    QCOMPARE(a.ymax, b.ymax);
    QCOMPARE(a.sampleCount, b.sampleCount);
    QCOMPARE(a.interpolationFlag, b.interpolationFlag);
    QCOMPARE(a.samplingCount, b.samplingCount);
    for (int i = 0; i < a.sampleCount; ++i) {
        QCOMPARE(a.samples[i], b.samples[i]);
        QCOMPARE(a.startTangents[i], b.startTangents[i]);
        QCOMPARE(a.endTangents[i], b.endTangents[i]);
    }
    for (int j = 0; j < a.samplingCount; ++j)
        QCOMPARE(a.sampledPoints[j], b.sampledPoints[j]);
}

double roundedToSixDecimals(double value)
{
    return readLeadingReal(std::to_string(value));  // std::to_string writes %f
}

// A curve of random legends, bounds, samples and points, the counts within
// the capacities.
std::unique_ptr<CurveSlot> randomSlot(std::mt19937 &random)
{
    std::uniform_real_distribution<double> small(-1000.0, 1000.0);
    std::uniform_real_distribution<double> exponent(-3.0, 12.0);
    const auto anyReal = [&] {
        const double magnitude = std::pow(10.0, exponent(random));
        return small(random) < 0 ? -magnitude : small(random) / 1000.0 * magnitude;
    };
    const std::vector<std::string> legends = {
        "", "temps (s)", "Énergie é à ç", "Œuvre €‰ ‘x’", "tab\there", "ÿ\xC2\x81\xC2\x8D"};
    auto slot = makeSlot();
    slot->xLegend = legends[random() % legends.size()];
    slot->yLegend = legends[random() % legends.size()];
    slot->xmin = anyReal();
    slot->xmax = anyReal();
    slot->ymin = anyReal();
    slot->ymax = anyReal();
    slot->sampleCount = random() % (kMaxSamples + 1);
    for (int i = 0; i < slot->sampleCount; ++i) {
        slot->samples[i] = {anyReal(), anyReal()};
        slot->startTangents[i] = {anyReal(), anyReal()};
        slot->endTangents[i] = {anyReal(), anyReal()};
    }
    slot->interpolationFlag = random() % 2;
    slot->samplingCount = 16 + random() % 300;
    for (int j = 0; j < slot->samplingCount; ++j)
        slot->sampledPoints[j] = {anyReal(), anyReal()};
    return slot;
}

}  // namespace

class TestCrvFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleIsWrittenByteForByte();
    void workedExampleReadsBack();
    void lfOnlyFileReadsIdentically();
    void randomSlotsRoundTripToSixDecimals();
    void recoveryRecordsRoundTrip();
    void commentLinesAreSkippedBetweenFields();
    void commentInsideSampleLoopIsASampleLine();
    void legendStartingWithSemicolonShiftsFields();
    void blankAndShortFilesReadAsEmptyAndZero();
    void faultsReadPastAreTold_data();
    void faultsReadPastAreTold();
    void countsOfZeroOrLessReadNoDataLines();
    void storedCountsOutsideCommandRangeLoadAsWritten();
    void readingKeepsFieldsTheFileDoesNotHold();
    void countsAboveCapacityAreRefused_data();
    void countsAboveCapacityAreRefused();
    void linesWithoutSeparatorsStayOnTheirLine();
    void truncatedAtEveryByteNeverCrashes();
    void binaryNoiseNeverCrashes();
    void tenMegabyteLineIsRead();
    void loadCurveNamesAndSelectsTheSlot();
    void statusIsDoneOrRefused();
    void numberPrefixes_data();
    void numberPrefixes();
    void integerPrefixes_data();
    void integerPrefixes();
    void everyByteRoundTripsThroughWindows1252();
    void unrepresentableCharactersBecomeQuestionMarks();
    void capitalsStayInsideTheCodePage();
};

void TestCrvFormat::workedExampleIsWrittenByteForByte()
{
    QCOMPARE(formatCurveFile(*workedExampleSlot()), kWorkedExampleFile);
}

void TestCrvFormat::workedExampleReadsBack()
{
    const auto slot = parsed(kWorkedExampleFile);
    QVERIFY(slot);
    compareUsedFields(*slot, *workedExampleSlot());
}

void TestCrvFormat::lfOnlyFileReadsIdentically()
{
    const auto slot = parsed(withoutCarriageReturns(kWorkedExampleFile));
    QVERIFY(slot);
    compareUsedFields(*slot, *workedExampleSlot());
}

void TestCrvFormat::randomSlotsRoundTripToSixDecimals()
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        const auto slot = randomSlot(random);
        const auto back = parsed(formatCurveFile(*slot));
        QVERIFY(back);
        const auto six = [](CurvePoint p) {
            return CurvePoint{roundedToSixDecimals(p.x), roundedToSixDecimals(p.y)};
        };
        QCOMPARE(back->xLegend, slot->xLegend);
        QCOMPARE(back->yLegend, slot->yLegend);
        QCOMPARE(back->xmin, roundedToSixDecimals(slot->xmin));
        QCOMPARE(back->ymax, roundedToSixDecimals(slot->ymax));
        QCOMPARE(back->sampleCount, slot->sampleCount);
        QCOMPARE(back->samplingCount, slot->samplingCount);
        QCOMPARE(back->interpolationFlag, slot->interpolationFlag);
        for (int i = 0; i < slot->sampleCount; ++i) {
            QCOMPARE(back->samples[i], six(slot->samples[i]));
            QCOMPARE(back->startTangents[i], six(slot->startTangents[i]));
            QCOMPARE(back->endTangents[i], six(slot->endTangents[i]));
        }
        for (int j = 0; j < slot->samplingCount; ++j)
            QCOMPARE(back->sampledPoints[j], six(slot->sampledPoints[j]));
    }
}

// A window's recovery record gives back the same window: written again,
// every curve has the same .crv bytes and the same name, folder, flag and
// colour. Cut anywhere, it is refused and changes nothing.
void TestCrvFormat::recoveryRecordsRoundTrip()
{
    std::mt19937 random(20280517);
    const auto anyBytes = [&] {
        std::string text(random() % 12, '\0');
        for (char &c : text)
            c = static_cast<char>(random());
        return text;
    };
    for (int round = 0; round < 60; ++round) {
        auto store = std::make_unique<CurveStore>();
        for (int i = 0; i < kCurveCount; ++i) {
            const auto slot = randomSlot(random);
            slot->name = anyBytes();
            slot->folder = anyBytes();
            slot->active = random() % 2;
            slot->colour = random() & 0xFFFFFF;
            store->replaceSlot(i, *slot);
        }
        store->currentCurve = static_cast<int>(random() % kCurveCount);
        const std::string state = formatRecoveryState(*store, anyBytes());
        const std::int64_t changed = random() * std::int64_t{1000};
        const std::string record = formatRecoveryRecord(changed, state);

        auto back = std::make_unique<CurveStore>();
        RecoveredWindow window;
        QVERIFY(parseRecoveryRecord(record, *back, window).ok());
        QCOMPARE(formatRecoveryState(*back, window.title), state);
        QCOMPARE(window.lastChangeMs, changed);
        QVERIFY(
            !parseRecoveryRecord(record.substr(0, random() % record.size()), *back, window).ok());
        QCOMPARE(formatRecoveryState(*back, window.title), state);
    }
}

void TestCrvFormat::commentLinesAreSkippedBetweenFields()
{
    std::string file = kWorkedExampleFile;
    file.insert(0, ";une\r\n;deux\r\n");
    const auto flag = file.find(";Flag");
    file.insert(flag, ";encore un commentaire\r\n");
    const auto slot = parsed(file);
    QVERIFY(slot);
    compareUsedFields(*slot, *workedExampleSlot());
}

void TestCrvFormat::commentInsideSampleLoopIsASampleLine()
{
    std::string file = kWorkedExampleFile;
    file.insert(file.find("900.000000 300.000000\t"), ";commentaire\r\n");
    const auto slot = parsed(file);
    QVERIFY(slot);
    QCOMPARE(slot->samples[1], CurvePoint{});  // ";commentaire" read as numbers: 0
    QCOMPARE(slot->startTangents[1], CurvePoint{});
    // The real second sample line is then where the flag should be: its leading 900.
    QCOMPARE(slot->interpolationFlag, 900);
}

void TestCrvFormat::legendStartingWithSemicolonShiftsFields()
{
    auto slot = workedExampleSlot();
    slot->xLegend = ";x";
    const auto back = parsed(formatCurveFile(*slot));
    QVERIFY(back);
    QCOMPARE(back->xLegend, "0.000000");  // the Xmin line
    QCOMPARE(back->xmin, 1000.0);
    QCOMPARE(back->xmax, 0.0);  // the "Y" legend
}

void TestCrvFormat::blankAndShortFilesReadAsEmptyAndZero()
{
    const auto empty = parsed("");
    QVERIFY(empty);
    QVERIFY(empty->xLegend.empty());
    QCOMPARE(empty->xmax, 0.0);
    QCOMPARE(empty->sampleCount, 0);
    QCOMPARE(empty->samplingCount, 0);

    // A blank line where a value is expected is that value.
    const auto blank = parsed(";Légende\r\n\r\n;Xmin\r\n\r\n;Xmax\r\n7\r\n");
    QVERIFY(blank);
    QVERIFY(blank->xLegend.empty());
    QCOMPARE(blank->xmin, 0.0);
    QCOMPARE(blank->xmax, 7.0);
    QVERIFY(blank->yLegend.empty());
    QCOMPARE(blank->ymax, 0.0);

    // A file cut after its sample count reads the missing samples as 0.
    const std::string cut = kWorkedExampleFile.substr(0, kWorkedExampleFile.find(";Coord"));
    const auto shortFile = parsed(cut);
    QVERIFY(shortFile);
    QCOMPARE(shortFile->sampleCount, 2);
    QCOMPARE(shortFile->samples[1], CurvePoint{});
    QCOMPARE(shortFile->samplingCount, 0);
}

void TestCrvFormat::faultsReadPastAreTold_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    const auto changed = [](std::string_view from, std::string_view to) {
        std::string file = kWorkedExampleFile;
        file.replace(file.find(from), from.size(), to);
        return QByteArray::fromStdString(file);
    };
    const QString incomplete = "Fichier de courbe incomplet « t.crv » : il s'arrête avant %1 ; "
                               "ce qui manque est lu comme vide ou nul.";
    const QString malformed = "Fichier de courbe mal formé « t.crv » : ligne %1.";
    QTest::newRow("empty") << QByteArray() << incomplete.arg("la légende de l'axe des X");
    QTest::newRow("hello/world") << QByteArray("hello/world") << incomplete.arg("Xmin");
    QTest::newRow("cut in a point line")
        << changed("300.000000 90.000000\r\n600.000000 210.000000\r\n900.000000 300.000000\r\n",
                   "300.0")
        << malformed.arg("24 (point échantillonné 2 sur 4), un nombre est attendu ; 0 est lu à sa "
                         "place. Il s'arrête aussi avant le point échantillonné 3 sur 4 ; ce qui "
                         "manque est lu comme vide ou nul");
    QTest::newRow("no number") << changed("\t50.000000 0.000000\r\n", "\r\n")
                               << malformed.arg("16 (échantillon 1 sur 2), un nombre est attendu ; "
                                                "0 est lu à sa place");
    QTest::newRow("nan bound") << changed("0.000000\r\n;Xmax", "nan\r\n;Xmax")
                               << malformed.arg("4 (Xmin), la valeur lue n'est pas un nombre fini "
                                                "(nan)");
    QTest::newRow("infinite value")
        << changed("600.000000 210.000000", "600 -1e999")
        << malformed.arg("25 (point échantillonné 3 sur 4), la valeur lue n'est pas un nombre "
                         "fini (-inf)");
    QTest::newRow("negative count")
        << changed("\r\n2\r\n", "\r\n-1\r\n")
        << malformed.arg("14 (nombre d'échantillons), le nombre -1 est négatif ; aucune ligne "
                         "n'est lue pour lui. Il s'arrête aussi avant le point échantillonné 9 sur "
                         "900 ; ce qui manque est lu comme vide ou nul");
    QTest::newRow("worked example") << QByteArray::fromStdString(kWorkedExampleFile) << QString();
    for (const char *example : {"wave.crv", "ramp.crv", "parabola.crv"}) {
        QFile file(qEnvironmentVariable("OMBRELIS_EXAMPLES") + '/' + example);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(example) << file.readAll() << QString();
    }
}

// Read as leniently as ever, and told.
void TestCrvFormat::faultsReadPastAreTold()
{
    QFETCH(QByteArray, bytes);
    auto slot = makeSlot();
    std::string fault = "?";
    QVERIFY(parseCurveFile(bytes.toStdString(), "t.crv", *slot, &fault).ok());
    QTEST(QString::fromStdString(fault), "fault");
}

void TestCrvFormat::countsOfZeroOrLessReadNoDataLines()
{
    for (const char *count : {"0", "-5"}) {
        auto slot = makeSlot();
        slot->sampleCount = 0;
        slot->samplingCount = 0;
        std::string file = formatCurveFile(*slot);
        const auto replaceCount = [&](std::string_view label) {
            const auto at = file.find(label) + label.size() + 2;
            file.replace(at, 1, count);
        };
        replaceCount(";Nombre d'echantillons");
        replaceCount(";Nombre de points echantillon\xE9s");
        auto target = makeSlot();
        target->samples[0] = {1, 1};
        target->sampledPoints[0] = {2, 2};
        QVERIFY(parseCurveFile(file, "n.crv", *target).ok());
        QCOMPARE(target->sampleCount, std::atoi(count));
        QCOMPARE(target->samplingCount, std::atoi(count));
        QCOMPARE(target->samples[0], (CurvePoint{1, 1}));
        QCOMPARE(target->sampledPoints[0], (CurvePoint{2, 2}));
    }
}

void TestCrvFormat::storedCountsOutsideCommandRangeLoadAsWritten()
{
    const auto slot = parsed(kWorkedExampleFile);
    QVERIFY(slot);
    QCOMPARE(slot->samplingCount, 4);
    QCOMPARE(slot->sampledPoints[1], (CurvePoint{300, 90}));
}

void TestCrvFormat::readingKeepsFieldsTheFileDoesNotHold()
{
    auto slot = makeSlot();
    slot->name = "avant";
    slot->colour = 0x00FF00;
    slot->active = true;
    slot->scriptText = "C1*2";
    slot->samples[5] = {5, 5};
    slot->sampledPoints[10] = {10, 10};
    QVERIFY(parseCurveFile(kWorkedExampleFile, "x.crv", *slot).ok());
    QCOMPARE(slot->name, "avant");
    QCOMPARE(slot->colour, Colour(0x00FF00));
    QCOMPARE(slot->active, true);
    QCOMPARE(slot->scriptText, "C1*2");
    QCOMPARE(slot->samples[5], (CurvePoint{5, 5}));
    QCOMPARE(slot->sampledPoints[10], (CurvePoint{10, 10}));
}

void TestCrvFormat::countsAboveCapacityAreRefused_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("17 samples")
        << ";Nombre d'echantillons"
        << "17"
        << "Fichier de courbe invalide « big.crv » : 17 échantillons, 16 au plus.";
    QTest::newRow("40 samples")
        << ";Nombre d'echantillons"
        << "40"
        << "Fichier de courbe invalide « big.crv » : 40 échantillons, 16 au plus.";
    QTest::newRow("huge sample count saturates")
        << ";Nombre d'echantillons"
        << "99999999999999999999"
        << "Fichier de courbe invalide « big.crv » : 2147483647 échantillons, 16 au plus.";
    QTest::newRow("4097 points") << ";Nombre de points echantillon\xC3\xA9s"
                                 << "4097"
                                 << "Fichier de courbe invalide « big.crv » : 4097 points "
                                    "échantillonnés, 4096 au plus.";
}

void TestCrvFormat::countsAboveCapacityAreRefused()
{
    QFETCH(QString, label);
    QFETCH(QString, count);
    QFETCH(QString, message);
    std::string file = kWorkedExampleFile;
    const std::string labelBytes = encodeWindows1252(label.toStdString());
    const auto at = file.find(labelBytes) + labelBytes.size() + 2;
    file.replace(at, file.find("\r\n", at) - at, count.toStdString());

    auto slot = makeSlot();
    slot->xLegend = "intact";
    const Status read = parseCurveFile(file, "big.crv", *slot);
    QVERIFY(!read.ok());
    QCOMPARE(QString::fromStdString(read.message()), message);
    QCOMPARE(slot->xLegend, "intact");
    QCOMPARE(slot->sampleCount, 0);
    QCOMPARE(slot->samplingCount, 64);
}

void TestCrvFormat::linesWithoutSeparatorsStayOnTheirLine()
{
    std::string file = withoutCarriageReturns(kWorkedExampleFile);
    const auto replaceLine = [&](std::string_view from, std::string_view to) {
        const auto at = file.find(from);
        file.replace(at, from.size(), to);
    };
    replaceLine("0.000000 0.000000\t-50.000000 0.000000\t50.000000 0.000000", "12.5");
    replaceLine("900.000000 300.000000\t850.000000 300.000000\t950.000000 300.000000", "1 2\t3 4");
    replaceLine("300.000000 90.000000", "300");
    const auto slot = parsed(file);
    QVERIFY(slot);
    QCOMPARE(slot->samples[0], (CurvePoint{12.5, 0}));
    QCOMPARE(slot->startTangents[0], CurvePoint{});
    QCOMPARE(slot->endTangents[0], CurvePoint{});
    QCOMPARE(slot->samples[1], (CurvePoint{1, 2}));
    QCOMPARE(slot->startTangents[1], (CurvePoint{3, 4}));
    QCOMPARE(slot->endTangents[1], CurvePoint{});
    QCOMPARE(slot->sampledPoints[1], (CurvePoint{300, 0}));
    QCOMPARE(slot->sampledPoints[2], (CurvePoint{600, 210}));
}

void TestCrvFormat::truncatedAtEveryByteNeverCrashes()
{
    auto full = makeSlot();
    full->sampleCount = kMaxSamples;
    for (int i = 0; i < kMaxSamples; ++i)
        setSample(*full, i, 60.0 * i, 10.0 * i, 5);
    full->samplingCount = 64;
    const std::string file = formatCurveFile(*full);
    auto slot = makeSlot();
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const std::string cut = file.substr(0, length);
        QVERIFY(parseCurveFile(cut, "cut.crv", *slot).ok());
        QVERIFY(slot->sampleCount <= kMaxSamples);
        QVERIFY(slot->samplingCount <= kMaxSampledPoints);
    }
    QCOMPARE(slot->samples[15], full->samples[15]);
}

void TestCrvFormat::binaryNoiseNeverCrashes()
{
    std::mt19937 random(7);
    auto slot = makeSlot();
    for (int round = 0; round < 300; ++round) {
        std::string noise(random() % 5000, '\0');
        for (char &c : noise)
            c = static_cast<char>(random() % 256);
        // Some rounds keep the digits and line breaks that make counts plausible.
        if (round % 2 == 0) {
            for (char &c : noise)
                c = "0123456789 \t\n;-.e"[static_cast<unsigned char>(c) % 18];
        }
        const Status read = parseCurveFile(noise, "bruit.crv", *slot);
        Q_UNUSED(read);
        QVERIFY(slot->sampleCount <= kMaxSamples);
        QVERIFY(slot->samplingCount <= kMaxSampledPoints);
    }
}

void TestCrvFormat::tenMegabyteLineIsRead()
{
    const std::string digits(10'000'000, '7');
    std::string file = kWorkedExampleFile;
    file.replace(file.find("\r\nX\r\n") + 2, 1, digits);  // the X legend
    file.replace(file.find("300.000000 90.000000"), 20, "1" + digits + " " + digits);
    const auto slot = parsed(file);
    QVERIFY(slot);
    QCOMPARE(slot->xLegend.size(), digits.size());
    QVERIFY(std::isinf(slot->sampledPoints[1].x));
    QVERIFY(std::isinf(slot->sampledPoints[1].y));
    QCOMPARE(slot->sampledPoints[2], (CurvePoint{600, 210}));
}

void TestCrvFormat::loadCurveNamesAndSelectsTheSlot()
{
    auto store = std::make_unique<CurveStore>();
    QVERIFY(store->loadCurve(2, kWorkedExampleFile, {"dossier/onde", "dossier/onde.crv"}, "dossier")
                .ok());
    QCOMPARE(store->currentCurve, 2);
    QCOMPARE(store->slots()[2].name, "dossier/onde");
    QCOMPARE(store->slots()[2].sampleCount, 2);

    std::string tooMany = kWorkedExampleFile;
    tooMany.replace(tooMany.find("\r\n2\r\n"), 5, "\r\n99\r\n");
    const Status refusal = store->loadCurve(1, tooMany, {"trop", "trop.crv"}, {});
    QVERIFY(!refusal.ok());
    QVERIFY(refusal.message().find("« trop.crv »") != std::string::npos);
    QCOMPARE(store->currentCurve, 2);
    QVERIFY(store->slots()[1].name.empty());
}

void TestCrvFormat::statusIsDoneOrRefused()
{
    QVERIFY(Status::done().ok());
    QVERIFY(Status::done().message().empty());
    const Status refused = Status::refused("non");
    QVERIFY(!refused.ok());
    QCOMPARE(refused.message(), "non");
    QVERIFY(!Status::refused({}).ok());  // a refusal without text is still one
}

void TestCrvFormat::numberPrefixes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "1000.000000" << 1000.0;
    QTest::newRow("negative") << "-0.500000" << -0.5;
    QTest::newRow("leading blanks") << " \t 12.5" << 12.5;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("stops at garbage") << "4.5abc" << 4.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("dangling exponent") << "2e" << 2.0;
    QTest::newRow("point first") << ".25" << 0.25;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("text") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    QTest::newRow("hex is not decimal") << "0x10" << 0.0;
    QTest::newRow("infinity") << "inf" << qInf();
    QTest::newRow("negative infinity") << "-inf" << -qInf();
    QTest::newRow("overflow") << "1e999" << qInf();
    QTest::newRow("negative overflow") << "-123456e400" << -qInf();
    QTest::newRow("underflow") << "1e-999" << 0.0;
    QTest::newRow("tiny mantissa large exponent") << "0.0000001e3" << 0.0001;
}

void TestCrvFormat::numberPrefixes()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLeadingReal(text.toStdString()), value);
    QVERIFY(std::isnan(readLeadingReal("nan")));
    QVERIFY(std::isnan(readLeadingReal("-nan")));
}

void TestCrvFormat::integerPrefixes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "64" << 64;
    QTest::newRow("blanks and sign") << "  -12x" << -12;
    QTest::newRow("real") << "4.9" << 4;
    QTest::newRow("none") << ";x" << 0;
    QTest::newRow("saturates up") << "123456789012" << 2147483647;
    QTest::newRow("saturates down") << "-123456789012" << int(-2147483647 - 1);
    QTest::newRow("minimum") << "-2147483648" << int(-2147483647 - 1);
}

void TestCrvFormat::integerPrefixes()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(readLeadingInt(text.toStdString()), value);
}

void TestCrvFormat::everyByteRoundTripsThroughWindows1252()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = decodeWindows1252(all);
    QCOMPARE(encodeWindows1252(utf8), all);
    QCOMPARE(decodeWindows1252("\xE9"), "é");
    QCOMPARE(decodeWindows1252("\x80\x9C"), "€œ");
    QCOMPARE(decodeWindows1252("\x81"), "\xC2\x81");
}

void TestCrvFormat::unrepresentableCharactersBecomeQuestionMarks()
{
    QCOMPARE(encodeWindows1252("α→b"), "??b");
    QCOMPARE(encodeWindows1252("\xC2\x80"), "?");  // U+0080: 0x80 is the euro sign
    QCOMPARE(encodeWindows1252("a\xFF"
                               "b"),
             "a?b");                                // not UTF-8
    QCOMPARE(encodeWindows1252("\xE2\x82"), "??");  // cut sequence
    QVERIFY(isWindows1252Representable(U'€'));
    QVERIFY(!isWindows1252Representable(U'α'));
}

// Every character of the code page against Unicode's simple capital, kept
// only when the code page holds it: µ and ß stay, ÿ becomes Ÿ.
void TestCrvFormat::capitalsStayInsideTheCodePage()
{
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string utf8 = decodeWindows1252(std::string(1, static_cast<char>(b)));
        const char32_t c = QString::fromStdString(utf8).toUcs4().at(0);
        const char32_t unicodeCapital = QChar::toUpper(c);
        const char32_t expected = isWindows1252Representable(unicodeCapital) ? unicodeCapital : c;
        QVERIFY2(windows1252Capital(c) == expected, qPrintable(QString::number(b, 16)));
        QCOMPARE(QString::fromStdString(upperCaseWindows1252(utf8)),
                 QString::fromUcs4(&expected, 1));
        changed += expected != c;
    }
    QCOMPARE(changed, 60);  // a-z, à-þ but ÷, š, œ, ž and ÿ
    QCOMPARE(upperCaseWindows1252("temps (µs) ß 日本😀 \xFF"), "TEMPS (µS) ß 日本😀 \xFF");

    QVERIFY(checkWindows1252("Durée € ÿ").ok());
    QCOMPARE(checkWindows1252("a😀日").message(),
             "le caractère « 😀 » (U+1F600) ne s'écrit pas en Windows-1252");
    QCOMPARE(checkWindows1252("a\xE9t\xE9").message(), "l'octet 0xE9 n'est pas de l'UTF-8");
}

QTEST_APPLESS_MAIN(TestCrvFormat)
#include "test_crv_format.moc"
