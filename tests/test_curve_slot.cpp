#include "curves/curve_store.h"
#include "test_support.h"

#include <QTest>

#include <memory>

using namespace ombrelis;

class TestCurveSlot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newStoreHasDefaultsEverywhere();
    void resetSlotRestoresDefaults();
    void copySlotCopiesOnlyTheUsedPart();
    void copySlotKeepsDestinationFlags();
    void copySlotIgnoresNegativeCounts();
};

void TestCurveSlot::newStoreHasDefaultsEverywhere()
{
    const auto store = std::make_unique<CurveStore>();
    for (const CurveSlot &slot : store->slots()) {
        QCOMPARE(slot.xLegend, "X");
        QCOMPARE(slot.yLegend, "Y");
        QCOMPARE(slot.xmin, 0.0);
        QCOMPARE(slot.xmax, 1000.0);
        QCOMPARE(slot.ymin, 0.0);
        QCOMPARE(slot.ymax, 1000.0);
        QCOMPARE(slot.sampleCount, 0);
        QCOMPARE(slot.samplingCount, 64);
        QCOMPARE(slot.colour, Colour(255));
        QCOMPARE(slot.active, false);
        QCOMPARE(slot.interpolationFlag, 0);
        QCOMPARE(slot.sampledPoints[4095], CurvePoint{});
    }
    QCOMPARE(store->currentCurve, 0);
    QCOMPARE(store->editMode, false);
    QCOMPARE(store->smoothing, true);
    QCOMPARE(store->tangentLength, 15);
    QCOMPARE(store->currentColour, Colour(0));
    const std::array<bool, 6> marks{false, false, true, false, false, false};
    QCOMPARE(store->samplingMarks, marks);
}

void TestCurveSlot::resetSlotRestoresDefaults()
{
    auto store = std::make_unique<CurveStore>();
    editSlot(*store, 2, [](CurveSlot &slot) {
        slot.name = "courbe";
        slot.colour = 0x00FF00;
        slot.active = true;
        slot.interpolationFlag = 1;
        slot.scriptText = "X^2";
        slot.sampleCount = 3;
        slot.samples[1] = {5, 6};
        slot.sampledPoints[4000] = {1, 2};
    });
    store->resetSlot(2);
    const CurveSlot &slot = store->slots()[2];
    QVERIFY(slot.name.empty());
    QCOMPARE(slot.colour, Colour(255));
    QCOMPARE(slot.active, false);
    QCOMPARE(slot.interpolationFlag, 0);
    QVERIFY(slot.scriptText.empty());
    QCOMPARE(slot.sampleCount, 0);
    QCOMPARE(slot.samples[1], CurvePoint{});
    QCOMPARE(slot.sampledPoints[4000], CurvePoint{});
}

void TestCurveSlot::copySlotCopiesOnlyTheUsedPart()
{
    auto store = std::make_unique<CurveStore>();
    editSlot(*store, 1, [](CurveSlot &dst) {
        dst.sampleCount = 10;
        for (int i = 0; i < 10; ++i) {
            dst.samples[i] = {100.0 + i, 1};
            dst.startTangents[i] = {200.0 + i, 2};
            dst.endTangents[i] = {300.0 + i, 3};
        }
        dst.samplingCount = 64;
        dst.sampledPoints[20] = {7, 7};
    });
    editSlot(*store, 0, [](CurveSlot &src) {
        src.name = "a";
        src.xLegend = "temps";
        src.xmin = -5;
        src.ymax = 50;
        src.sampleCount = 3;
        for (int i = 0; i < 3; ++i)
            src.samples[i] = {double(i), double(i)};
        src.samplingCount = 16;
        src.sampledPoints[15] = {9, 9};
        src.sampledPoints[20] = {8, 8};
    });

    store->copySlot(0, 1);
    const CurveSlot &dst = store->slots()[1];
    QCOMPARE(dst.name, "a");
    QCOMPARE(dst.xLegend, "temps");
    QCOMPARE(dst.xmin, -5.0);
    QCOMPARE(dst.ymax, 50.0);
    QCOMPARE(dst.sampleCount, 3);
    QCOMPARE(dst.samples[2], (CurvePoint{2, 2}));
    // Entries 3 to 9 of the destination stay as they were.
    QCOMPARE(dst.samples[3], (CurvePoint{103, 1}));
    QCOMPARE(dst.startTangents[9], (CurvePoint{209, 2}));
    QCOMPARE(dst.endTangents[5], (CurvePoint{305, 3}));
    QCOMPARE(dst.samplingCount, 16);
    QCOMPARE(dst.sampledPoints[15], (CurvePoint{9, 9}));
    QCOMPARE(dst.sampledPoints[20], (CurvePoint{7, 7}));
}

void TestCurveSlot::copySlotKeepsDestinationFlags()
{
    auto store = std::make_unique<CurveStore>();
    editSlot(*store, 0, [](CurveSlot &src) {
        src.colour = 0x123456;
        src.active = true;
        src.interpolationFlag = 1;
        src.scriptText = "C1";
    });
    editSlot(*store, 4, [](CurveSlot &dst) {
        dst.colour = 0xABCDEF;
        dst.scriptText = "X";
    });
    store->copySlot(0, 4);
    const CurveSlot &dst = store->slots()[4];
    QCOMPARE(dst.colour, Colour(0xABCDEF));
    QCOMPARE(dst.active, false);
    QCOMPARE(dst.interpolationFlag, 0);
    QCOMPARE(dst.scriptText, "X");
}

void TestCurveSlot::copySlotIgnoresNegativeCounts()
{
    auto store = std::make_unique<CurveStore>();
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.sampleCount = -3;
        c.samplingCount = -1;
    });
    editSlot(*store, 1, [&](CurveSlot &c) {
        c.samples[0] = {4, 4};
        c.sampledPoints[0] = {5, 5};
    });
    store->copySlot(0, 1);
    QCOMPARE(store->slots()[1].sampleCount, -3);
    QCOMPARE(store->slots()[1].samplingCount, -1);
    QCOMPARE(store->slots()[1].samples[0], (CurvePoint{4, 4}));
    QCOMPARE(store->slots()[1].sampledPoints[0], (CurvePoint{5, 5}));
}

QTEST_APPLESS_MAIN(TestCurveSlot)
#include "test_curve_slot.moc"
