#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QDebug>
#include <QMetaEnum>
#include <QStringList>

#include <functional>

namespace ombrelis {

// The shown parts of a window that a user acts on (controls, menus, the plot,
// which takes the focus) and its group boxes, as "Role: name" lines, a
// missing name as "(unnamed)". OMBRELIS_PRINT_ACCESSIBLE=1 prints them.
inline QStringList accessibleControls(QObject *window, const char *heading)
{
    const QList<QAccessible::Role> listed{QAccessible::PushButton,  QAccessible::CheckBox,
                                          QAccessible::RadioButton, QAccessible::EditableText,
                                          QAccessible::ComboBox,    QAccessible::SpinBox,
                                          QAccessible::Grouping,    QAccessible::MenuItem};
    QStringList lines;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *part) {
        if (part->state().invisible)
            return;
        if (listed.contains(part->role()) || part->state().focusable) {
            const QString name = part->text(QAccessible::Name);
            lines << QStringLiteral("%1: %2").arg(
                QMetaEnum::fromType<QAccessible::Role>().valueToKey(part->role()),
                name.isEmpty() ? QStringLiteral("(unnamed)") : name);
        }
        for (int i = 0; i < part->childCount(); ++i)
            walk(part->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    if (qEnvironmentVariableIsSet("OMBRELIS_PRINT_ACCESSIBLE"))
        qInfo().noquote() << "--" << heading << "\n  " << lines.join(QStringLiteral("\n   "));
    return lines;
}

inline QStringList unnamedControls(QObject *window, const char *heading)
{
    return accessibleControls(window, heading).filter(QStringLiteral(": (unnamed)"));
}

}  // namespace ombrelis
