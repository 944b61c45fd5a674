#include "bars/display_bars.h"

#include "widgets/command_ids.h"

#include <QButtonGroup>
#include <QRadioButton>

CDisplayBar::CDisplayBar(DisplayBarFields &fields, QWidget *parent)
    : CAxisBar(QStringLiteral("Display"), 132, QSize(490, 102), Qt::Horizontal, parent), fields_(fields),
      radios_(new QButtonGroup(this))
{
    constexpr auto centred = Qt::AlignHCenter;
    addStatic(QStringLiteral("xmin"), {38, 7, 59, 11}, centred, 1000, true);
    addStatic(QStringLiteral("Xmin"), {99, 7, 16, 11});
    addStatic(QStringLiteral("XLegend"), {164, 7, 190, 13}, centred, 1010, true);
    addStatic(QStringLiteral("Xmax"), {406, 7, 18, 11}, Qt::AlignRight);
    addStatic(QStringLiteral("xmax"), {426, 7, 57, 11}, centred, 1001, true);

    addGroup(QStringLiteral("courbe"), {17, 23, 209, 55});
    addStatic(QStringLiteral("1"), {20, 35, 6, 8});
    addStatic(QStringLiteral("2"), {19, 60, 6, 8});
    addStatic(QStringLiteral("3"), {129, 35, 6, 8});
    addStatic(QStringLiteral("4"), {129, 60, 6, 8});
    const QRect names[] = {{28, 33, 76, 12}, {27, 59, 75, 12}, {137, 33, 74, 12}, {137, 57, 73, 13}};
    const QRect radios[] = {{106, 34, 10, 10}, {104, 60, 11, 10}, {213, 34, 9, 10}, {212, 58, 10, 10}};
    for (std::size_t i = 0; i < kCurveNameIds.size(); ++i) {
        addStatic(QStringLiteral("courbe %1").arg(i + 1), names[i], Qt::AlignLeft, kCurveNameIds[i], true);
        addRadio(kCurveRadios[i], radios[i], radios_);
    }

    addStatic(QStringLiteral("script"), {17, 84, 18, 8});
    addEdit(1015, {41, 81, 173, 14}, Qt::AlignLeft, BarEditStyle{.upperCase = true});

    addGroup(QStringLiteral("mouse"), {235, 33, 59, 62});
    addButton(cmd::Cursor, QStringLiteral("Curseur"), {239, 44, 50, 14});
    addStatic(QStringLiteral("X = "), {239, 66, 16, 8});
    addStatic(QStringLiteral("Y = "), {239, 79, 16, 8});
    addStatic(QStringLiteral("XCursor"), {255, 66, 34, 8}, Qt::AlignLeft, 1016);
    addStatic(QStringLiteral("YCursor"), {255, 79, 34, 8}, Qt::AlignLeft, 1012);

    addGroup(QStringLiteral("Surface"), {317, 37, 75, 29});
    addStatic(QString(), {321, 46, 66, 14}, Qt::AlignLeft, 1044, true);

    addButton(cmd::EditMode, QStringLiteral("Edit"), {417, 27, 50, 14}, true);
    addButton(cmd::Undo, QStringLiteral("Undo"), {417, 49, 50, 14});
    addButton(cmd::Cut, QStringLiteral("Delete"), {417, 71, 50, 14});
    readBeforePassingOn();
}

void CDisplayBar::readControls()
{
    fields_.xminValue = barNumberValue(controlText(control(1000)));
    fields_.xLegendText = barString(controlText(control(1010)));
    fields_.xmaxValue = barNumberValue(controlText(control(1001)));
    for (std::size_t i = 0; i < kCurveNameIds.size(); ++i)
        fields_.curveNames[i] = barString(controlText(control(kCurveNameIds[i])));
    fields_.selectedCurve = -1;
    for (std::size_t i = 0; i < kCurveRadios.size(); ++i) {
        if (static_cast<QRadioButton *>(control(kCurveRadios[i]))->isChecked())
            fields_.selectedCurve = static_cast<int>(i);
    }
    fields_.scriptLine = barString(controlText(control(1015)));
    fields_.cursorXText = barString(controlText(control(1016)));
    fields_.cursorYText = barString(controlText(control(1012)));
    fields_.surfaceText = barString(controlText(control(1044)));
}

void CDisplayBar::writeControls()
{
    setControlText(control(1000), barNumber(fields_.xminValue));
    setControlText(control(1010), barText(fields_.xLegendText));
    setControlText(control(1001), barNumber(fields_.xmaxValue));
    for (std::size_t i = 0; i < kCurveNameIds.size(); ++i)
        setControlText(control(kCurveNameIds[i]), barText(fields_.curveNames[i]));
    // A selection outside 0..3 leaves no button checked.
    radios_->setExclusive(false);
    for (std::size_t i = 0; i < kCurveRadios.size(); ++i)
        static_cast<QRadioButton *>(control(kCurveRadios[i]))->setChecked(fields_.selectedCurve == static_cast<int>(i));
    radios_->setExclusive(true);
    setControlText(control(1015), barText(fields_.scriptLine));
    setControlText(control(1016), barText(fields_.cursorXText));
    setControlText(control(1012), barText(fields_.cursorYText));
    setControlText(control(1044), barText(fields_.surfaceText));
}

CDisplayYBar::CDisplayYBar(DisplayYBarFields &fields, QWidget *parent)
    : CAxisBar(QStringLiteral("DisplayY"), 134, QSize(72, 250), Qt::Vertical, parent), fields_(fields)
{
    constexpr auto centred = Qt::AlignHCenter;
    addStatic(QStringLiteral("ymax"), {7, 7, 58, 9}, centred, 1032, true);
    addStatic(QStringLiteral("Ymax"), {7, 16, 58, 8}, centred);
    addStatic(QStringLiteral("yLegend"), {7, 108, 58, 36}, centred, 1034, true);
    addStatic(QStringLiteral("Ymin"), {7, 225, 58, 8}, centred);
    addStatic(QStringLiteral("ymin"), {7, 234, 58, 9}, centred, 1033, true);
    readBeforePassingOn();
}

void CDisplayYBar::readControls()
{
    fields_.ymaxValue = barNumberValue(controlText(control(1032)));
    fields_.yLegendText = barString(controlText(control(1034)));
    fields_.yminValue = barNumberValue(controlText(control(1033)));
}

void CDisplayYBar::writeControls()
{
    setControlText(control(1032), barNumber(fields_.ymaxValue));
    setControlText(control(1034), barText(fields_.yLegendText));
    setControlText(control(1033), barNumber(fields_.yminValue));
}
