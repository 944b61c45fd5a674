#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QDebug>
#include <QMetaEnum>
#include <QStringList>

namespace ombrelis {

// The shown parts of a window as a screen reader meets them, one line each:
// "Role: name", or "Role: (unnamed)" for an interactive one (a control the
// user acts on, a menu, the plot, a group box) that has no name. With
// OMBRELIS_PRINT_ACCESSIBLE set, the lines are printed under `heading`.
inline QStringList accessibleControls(QObject *window, const char *heading)
{
    const auto interactive = [](const QAccessibleInterface &part) {
        switch (part.role()) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::EditableText:
        case QAccessible::ComboBox:
        case QAccessible::SpinBox:
        case QAccessible::Grouping:
        case QAccessible::MenuItem:
            return true;
        default:
            return part.state().focusable && part.object() != nullptr &&
                   part.object()->isWidgetType();
        }
    };
    QStringList lines;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *part) {
        if (part == nullptr || part->state().invisible)
            return;
        const QString name = part->text(QAccessible::Name);
        const bool listed = interactive(*part);
        if (listed) {
            const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(part->role());
            lines << QStringLiteral("%1: %2").arg(QString::fromLatin1(role),
                                                  name.isEmpty() ? "(unnamed)" : name);
        }
        for (int i = 0; i < part->childCount(); ++i)
            walk(part->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    if (qEnvironmentVariableIsSet("OMBRELIS_PRINT_ACCESSIBLE")) {
        qInfo().noquote() << "--" << heading;
        for (const QString &line : lines)
            qInfo().noquote() << "  " << line;
    }
    return lines;
}

// The lines of accessibleControls that name nothing.
inline QStringList unnamedControls(QObject *window, const char *heading)
{
    return accessibleControls(window, heading).filter(QStringLiteral(": (unnamed)"));
}

}  // namespace ombrelis
