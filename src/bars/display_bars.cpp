#include "bars/display_bars.h"

#include "framework/command_ids.h"

namespace ombrelis {

namespace {

using enum BarControlKind;
constexpr BarControlStyle kCentred{Qt::AlignHCenter};
constexpr BarControlStyle kRight{Qt::AlignRight};
constexpr BarControlStyle kUpperCase{Qt::AlignLeft, {.upperCase = true}};

using D = DisplayBarFields;
using Name = BarNameEntry<D>;
using Choice = BarChoice<D>;

// clang-format off
constexpr BarRow<D> kDisplayRows[] = {
    {ctl::DisplayXmin, BorderedStatic, "xmin", {38, 7, 59, 11}, kCentred, &D::xminValue},
    {0, Static, "Xmin", {99, 7, 16, 11}},
    {ctl::DisplayXLegend, BorderedStatic, "XLegend", {164, 7, 190, 13}, kCentred, &D::xLegendText},
    {0, Static, "Xmax", {406, 7, 18, 11}, kRight},
    {ctl::DisplayXmax, BorderedStatic, "xmax", {426, 7, 57, 11}, kCentred, &D::xmaxValue},

    {0, Group, "courbe", {17, 23, 209, 55}},
    {0, Static, "1", {20, 35, 6, 8}},
    {0, Static, "2", {19, 60, 6, 8}},
    {0, Static, "3", {129, 35, 6, 8}},
    {0, Static, "4", {129, 60, 6, 8}},
    {ctl::CurveName1, BorderedStatic, "courbe 1", {28, 33, 76, 12}, {}, Name{&D::curveNames, 0}},
    {cmd::SelectCurve1, Radio, "", {106, 34, 10, 10}, {}, Choice{&D::selectedCurve, 0}, "Courbe 1"},
    {ctl::CurveName2, BorderedStatic, "courbe 2", {27, 59, 75, 12}, {}, Name{&D::curveNames, 1}},
    {cmd::SelectCurve2, Radio, "", {104, 60, 11, 10}, {}, Choice{&D::selectedCurve, 1}, "Courbe 2"},
    {ctl::CurveName3, BorderedStatic, "courbe 3", {137, 33, 74, 12}, {}, Name{&D::curveNames, 2}},
    {cmd::SelectCurve3, Radio, "", {213, 34, 9, 10}, {}, Choice{&D::selectedCurve, 2}, "Courbe 3"},
    {ctl::CurveName4, BorderedStatic, "courbe 4", {137, 57, 73, 13}, {}, Name{&D::curveNames, 3}},
    {cmd::SelectCurve4, Radio, "", {212, 58, 10, 10}, {}, Choice{&D::selectedCurve, 3}, "Courbe 4"},

    {0, Static, "script", {17, 84, 18, 8}},
    {ctl::ScriptBox, Edit, "", {41, 81, 173, 14}, kUpperCase, &D::scriptLine, "script"},

    {0, Group, "mouse", {235, 33, 59, 62}},
    {cmd::Cursor, Button, "Curseur", {239, 44, 50, 14}},
    {0, Static, "X = ", {239, 66, 16, 8}},
    {0, Static, "Y = ", {239, 79, 16, 8}},
    {ctl::DisplayCursorX, Static, "XCursor", {255, 66, 34, 8}, {}, &D::cursorXText},
    {ctl::DisplayCursorY, Static, "YCursor", {255, 79, 34, 8}, {}, &D::cursorYText},

    {0, Group, "Surface", {317, 37, 75, 29}},
    {ctl::SurfaceResult, BorderedStatic, "", {321, 46, 66, 14}, {}, &D::surfaceText},

    {cmd::EditMode, FlatButton, "Edit", {417, 27, 50, 14}},
    {cmd::Undo, Button, "Undo", {417, 49, 50, 14}},
    {cmd::Cut, Button, "Delete", {417, 71, 50, 14}},
};

using DY = DisplayYBarFields;

constexpr BarRow<DY> kDisplayYRows[] = {
    {ctl::DisplayYmax, BorderedStatic, "ymax", {7, 7, 58, 9}, kCentred, &DY::ymaxValue},
    {0, Static, "Ymax", {7, 16, 58, 8}, kCentred},
    {ctl::DisplayYLegend, BorderedStatic, "yLegend", {7, 108, 58, 36}, kCentred, &DY::yLegendText},
    {0, Static, "Ymin", {7, 225, 58, 8}, kCentred},
    {ctl::DisplayYmin, BorderedStatic, "ymin", {7, 234, 58, 9}, kCentred, &DY::yminValue},
};
// clang-format on

static_assert(rowsAreWellFormed<D>(kDisplayRows));
static_assert(rowsAreWellFormed<DY>(kDisplayYRows));

}  // namespace

CDisplayBar::CDisplayBar(DisplayBarFields &fields, QWidget *parent)
    : CTableBar(QStringLiteral("Display"), 132, QSize(490, 102), Qt::Horizontal, kDisplayRows,
                fields, parent)
{
    readBeforePassingOn();
}

CDisplayYBar::CDisplayYBar(DisplayYBarFields &fields, QWidget *parent)
    : CTableBar(QStringLiteral("DisplayY"), 134, QSize(72, 250), Qt::Vertical, kDisplayYRows,
                fields, parent)
{
    readBeforePassingOn();
}

}  // namespace ombrelis
