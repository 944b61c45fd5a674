#include "bars/bar_table.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace ombrelis {

void readControl(const QWidget *control, const BarTarget &target)
{
    std::visit(
        [control](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, std::string *>)
                readControlText(control, *member);
            else if constexpr (std::is_same_v<Member, double *>)
                *member = barNumberValue(controlText(control));
            else if constexpr (std::is_same_v<Member, BarChoiceTarget>) {
                if (static_cast<const QAbstractButton *>(control)->isChecked())
                    *member.member = member.value;
            }
        },
        target);
}

void writeControl(QWidget *control, const BarTarget &target)
{
    std::visit(
        [control](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, std::string *>) {
                writeControlText(control, *member);
            } else if constexpr (std::is_same_v<Member, double *>) {
                setControlText(control, barNumber(*member));
            } else if constexpr (std::is_same_v<Member, BarChoiceTarget>) {
                // A choice that is none of the buttons' values leaves every
                // button clear, which an exclusive group would not allow.
                auto *radio = static_cast<QAbstractButton *>(control);
                QButtonGroup *group = radio->group();
                group->setExclusive(false);
                radio->setChecked(*member.member == member.value);
                group->setExclusive(true);
            }
        },
        target);
}

}  // namespace ombrelis
