#pragma once

#include "bars/axis_bar.h"

#include <QRect>

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace ombrelis {

// One of the four curve names.
template <typename Fields> struct BarNameEntry {
    std::array<std::string, 4> Fields::*names;
    std::size_t index;
};

// A radio button, checked while the member holds `value`. A member that no
// checked button gives reads as -1.
template <typename Fields> struct BarChoice {
    int Fields::*member;
    int value;
};

// The member a control shows and reads back: none, a text as it is, a
// double in general format (barNumber), a curve name, or a choice.
template <typename Fields>
using BarField = std::variant<std::monostate, std::string Fields::*, double Fields::*,
                              BarNameEntry<Fields>, BarChoice<Fields>>;

// One control of a bar's template. A bar makes its controls in the order of
// its rows, so later rows lie above earlier ones and come later in the tab
// order; its data exchange copies each row's control to and from the row's
// member.
template <typename Fields> struct BarRow {
    int id;  // 0: nothing refers to the control
    BarControlKind kind;
    const char *text;  // see CAxisBar::addControl
    QRect units;       // x, y, width, height in dialog units
    BarControlStyle style{};
    BarField<Fields> field{};
    // What a screen reader calls a control that carries no caption of its
    // own: the caption beside it. Null for a control named by its text.
    const char *spoken = nullptr;
};

// Every control that holds a member or has a spoken name can be found by its
// identifier, and no two controls of a bar share one.
template <typename Fields> constexpr bool rowsAreWellFormed(std::span<const BarRow<Fields>> rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].id == 0) {
            if (rows[i].field.index() != 0 || rows[i].spoken != nullptr)
                return false;
            continue;
        }
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[j].id == rows[i].id)
                return false;
        }
    }
    return true;
}

// A row's member in the bar's own fields.
struct BarChoiceTarget {
    int *member;
    int value;
};
using BarTarget = std::variant<std::monostate, std::string *, double *, BarChoiceTarget>;

template <typename Fields> BarTarget targetOf(const BarField<Fields> &field, Fields &fields)
{
    return std::visit(
        [&fields](const auto &member) -> BarTarget {
            using Member = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<Member, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<Member, BarNameEntry<Fields>>)
                return &(fields.*member.names)[member.index];
            else if constexpr (std::is_same_v<Member, BarChoice<Fields>>)
                return BarChoiceTarget{&(fields.*member.member), member.value};
            else
                return &(fields.*member);
        },
        field);
}

// Control to member, and member to control.
void readControl(const QWidget *control, const BarTarget &target);
void writeControl(QWidget *control, const BarTarget &target);

// A bar made from its table of rows, whose data exchange runs over the same
// rows.
template <typename Fields> class CTableBar : public CAxisBar {
public:
    void readControls() override
    {
        // Radio buttons that are all clear leave their choice at -1.
        for (const BarRow<Fields> &row : rows_) {
            if (const auto *choice = std::get_if<BarChoice<Fields>>(&row.field))
                fields_.*choice->member = -1;
        }
        for (const BarRow<Fields> &row : rows_)
            readControl(control(row.id), targetOf(row.field, fields_));
    }

    void writeControls() override
    {
        for (const BarRow<Fields> &row : rows_)
            writeControl(control(row.id), targetOf(row.field, fields_));
    }

protected:
    CTableBar(const QString &title, int templateId, QSize unitsSize, Qt::Orientation orientation,
              std::span<const BarRow<Fields>> rows, Fields &fields, QWidget *parent)
        : CAxisBar(title, templateId, unitsSize, orientation, parent), rows_(rows), fields_(fields)
    {
        for (const BarRow<Fields> &row : rows_) {
            addControl(row.id, row.kind, row.text, row.units, row.style);
            if (row.spoken != nullptr)
                control(row.id)->setAccessibleName(QString::fromUtf8(row.spoken));
        }
    }

private:
    std::span<const BarRow<Fields>> rows_;
    Fields &fields_;
};

}  // namespace ombrelis
