#include "bars/edit_bars.h"

#include "framework/command_ids.h"

namespace ombrelis {

namespace {

constexpr BarEditStyle kBoundBox{};                              // scrolls horizontally
constexpr BarEditStyle kShortBox{.scrollsHorizontally = false};  // stops when full
constexpr BarEditStyle kLegendBox{.upperCase = true, .legend = true};

using enum BarControlKind;
constexpr auto centred = Qt::AlignHCenter;

using E = EditBarFields;

// clang-format off
constexpr BarRow<E> kEditRows[] = {
    {ctl::EditXmin, Edit, "", {56, 7, 52, 12}, {centred, kShortBox}, &E::xminText, "Xmin"},
    {0, Static, "Xmin", {109, 7, 16, 10}},
    {ctl::EditXLegend, Edit, "", {169, 7, 189, 12}, {centred, kLegendBox}, &E::xLegendText, "Legende X"},
    {0, Static, "Xmax", {415, 7, 18, 8}, {Qt::AlignRight}},
    {ctl::EditXmax, Edit, "", {435, 7, 50, 12}, {centred, kBoundBox}, &E::xmaxText, "Xmax"},

    {cmd::Copy, Button, "Copy", {13, 26, 38, 14}},
    {cmd::Cut, Button, "Delete", {13, 48, 38, 14}},
    {cmd::Paste, Button, "Paste", {13, 70, 38, 14}},
    {cmd::VerticalTangents, CheckBox, "Tangente verticale", {62, 46, 76, 10}},
    {0, Static, "Axes", {73, 72, 16, 8}},
    {cmd::Axes, CheckBox, "", {95, 72, 13, 8}, {}, {}, "Axes"},
    {cmd::CreateSample, Button, "Create", {152, 41, 39, 14}},
    {cmd::Undo, Button, "Undo", {151, 58, 39, 14}},

    {0, Group, "point", {207, 34, 52, 42}},
    {0, Static, "X", {212, 47, 8, 8}},
    {0, Static, "Y", {212, 62, 8, 8}},
    {ctl::PointX, Edit, "", {223, 45, 32, 13}, {Qt::AlignLeft, kBoundBox}, &E::pointXText, "point X"},
    {ctl::PointY, Edit, "", {222, 60, 33, 12}, {Qt::AlignLeft, kBoundBox}, &E::pointYText, "point Y"},

    {0, Group, "mouse", {313, 24, 61, 57}},
    {cmd::Cursor, Button, "Curseur", {318, 33, 50, 14}},
    {0, Static, "X = ", {320, 52, 16, 8}},
    {0, Static, "Y = ", {319, 66, 16, 8}},
    {ctl::EditCursorX, Static, "XCursor", {337, 52, 34, 8}, {}, &E::cursorXText},
    {ctl::EditCursorY, Static, "YCursor", {337, 65, 34, 8}, {}, &E::cursorYText},

    {cmd::EditMode, Button, "OK", {412, 37, 39, 14}},
    {cmd::CancelEdit, Button, "Cancel", {413, 57, 38, 14}},
};

using EY = EditYBarFields;

constexpr BarRow<EY> kEditYRows[] = {
    {ctl::EditYmax, Edit, "", {7, 7, 58, 12}, {centred, kBoundBox}, &EY::ymaxText, "Ymax"},
    {0, Static, "Ymax", {7, 19, 58, 8}, {centred}},
    {ctl::EditYLegend, LegendBox, "", {7, 108, 58, 33}, {}, &EY::yLegendText, "Legende Y"},
    {0, Static, "Ymin", {7, 220, 58, 8}, {centred}},
    {ctl::EditYmin, Edit, "", {7, 231, 58, 13}, {centred, kBoundBox}, &EY::yminText, "Ymin"},
};
// clang-format on

static_assert(rowsAreWellFormed<E>(kEditRows));
static_assert(rowsAreWellFormed<EY>(kEditYRows));

}  // namespace

CEditBar::CEditBar(EditBarFields &fields, QWidget *parent)
    : CTableBar(QStringLiteral("Edit"), 133, QSize(492, 100), Qt::Horizontal, kEditRows, fields,
                parent)
{ }

CEditYBar::CEditYBar(EditYBarFields &fields, QWidget *parent)
    : CTableBar(QStringLiteral("EditY"), 135, QSize(72, 251), Qt::Vertical, kEditYRows, fields,
                parent)
{ }

}  // namespace ombrelis
