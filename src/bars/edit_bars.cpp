#include "bars/edit_bars.h"

#include "widgets/command_ids.h"

namespace {

constexpr BarEditStyle kBoundBox{};                                  // scrolls horizontally
constexpr BarEditStyle kShortBox{.scrollsHorizontally = false};     // stops when full
constexpr BarEditStyle kLegendBox{.upperCase = true, .legend = true};

}  // namespace

CEditBar::CEditBar(EditBarFields &fields, QWidget *parent)
    : CAxisBar(QStringLiteral("Edit"), 133, QSize(492, 100), Qt::Horizontal, parent), fields_(fields)
{
    constexpr auto centred = Qt::AlignHCenter;
    addEdit(1017, {56, 7, 52, 12}, centred, kShortBox);
    addStatic(QStringLiteral("Xmin"), {109, 7, 16, 10});
    addEdit(1019, {169, 7, 189, 12}, centred, kLegendBox);
    addStatic(QStringLiteral("Xmax"), {415, 7, 18, 8}, Qt::AlignRight);
    addEdit(1018, {435, 7, 50, 12}, centred, kBoundBox);

    addButton(cmd::Copy, QStringLiteral("Copy"), {13, 26, 38, 14});
    addButton(cmd::Cut, QStringLiteral("Delete"), {13, 48, 38, 14});
    addButton(cmd::Paste, QStringLiteral("Paste"), {13, 70, 38, 14});
    addCheckBox(cmd::VerticalTangents, QStringLiteral("Tangente verticale"), {62, 46, 76, 10});
    addStatic(QStringLiteral("Axes"), {73, 72, 16, 8});
    addCheckBox(cmd::Axes, QString(), {95, 72, 13, 8});
    addButton(cmd::CreateSample, QStringLiteral("Create"), {152, 41, 39, 14});
    addButton(cmd::Undo, QStringLiteral("Undo"), {151, 58, 39, 14});

    addGroup(QStringLiteral("point"), {207, 34, 52, 42});
    addStatic(QStringLiteral("X"), {212, 47, 8, 8});
    addStatic(QStringLiteral("Y"), {212, 62, 8, 8});
    addEdit(1027, {223, 45, 32, 13}, Qt::AlignLeft, kBoundBox);
    addEdit(1028, {222, 60, 33, 12}, Qt::AlignLeft, kBoundBox);

    addGroup(QStringLiteral("mouse"), {313, 24, 61, 57});
    addButton(cmd::Cursor, QStringLiteral("Curseur"), {318, 33, 50, 14});
    addStatic(QStringLiteral("X = "), {320, 52, 16, 8});
    addStatic(QStringLiteral("Y = "), {319, 66, 16, 8});
    addStatic(QStringLiteral("XCursor"), {337, 52, 34, 8}, Qt::AlignLeft, 1030);
    addStatic(QStringLiteral("YCursor"), {337, 65, 34, 8}, Qt::AlignLeft, 1031);

    addButton(cmd::EditMode, QStringLiteral("OK"), {412, 37, 39, 14});
    addButton(cmd::CancelEdit, QStringLiteral("Cancel"), {413, 57, 38, 14});
}

void CEditBar::readControls()
{
    fields_.xminText = barString(controlText(control(1017)));
    fields_.xLegendText = barString(controlText(control(1019)));
    fields_.xmaxText = barString(controlText(control(1018)));
    fields_.pointXText = barString(controlText(control(1027)));
    fields_.pointYText = barString(controlText(control(1028)));
    fields_.cursorXText = barString(controlText(control(1030)));
    fields_.cursorYText = barString(controlText(control(1031)));
}

void CEditBar::writeControls()
{
    setControlText(control(1017), barText(fields_.xminText));
    setControlText(control(1019), barText(fields_.xLegendText));
    setControlText(control(1018), barText(fields_.xmaxText));
    setControlText(control(1027), barText(fields_.pointXText));
    setControlText(control(1028), barText(fields_.pointYText));
    setControlText(control(1030), barText(fields_.cursorXText));
    setControlText(control(1031), barText(fields_.cursorYText));
}

CEditYBar::CEditYBar(EditYBarFields &fields, QWidget *parent)
    : CAxisBar(QStringLiteral("EditY"), 135, QSize(72, 251), Qt::Vertical, parent), fields_(fields)
{
    constexpr auto centred = Qt::AlignHCenter;
    addEdit(1035, {7, 7, 58, 12}, centred, kBoundBox);
    addStatic(QStringLiteral("Ymax"), {7, 19, 58, 8}, centred);
    addLegendBox(1036, {7, 108, 58, 33});
    addStatic(QStringLiteral("Ymin"), {7, 220, 58, 8}, centred);
    addEdit(1037, {7, 231, 58, 13}, centred, kBoundBox);
}

void CEditYBar::readControls()
{
    fields_.ymaxText = barString(controlText(control(1035)));
    fields_.yLegendText = barString(controlText(control(1036)));
    fields_.yminText = barString(controlText(control(1037)));
}

void CEditYBar::writeControls()
{
    setControlText(control(1035), barText(fields_.ymaxText));
    setControlText(control(1036), barText(fields_.yLegendText));
    setControlText(control(1037), barText(fields_.yminText));
}
