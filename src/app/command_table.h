#pragma once

#include <QKeyCombination>
#include <QString>

#include <span>

namespace ombrelis {

// Where a command is handled along the route of the active window: its view,
// then its document, its child frame, then the main frame and the application.
enum class CommandOwner {
    Nobody,
    View,
    Document,
    ChildFrame,
    MainFrame,
    Application
};

// One command of the program. Menus, toolbar, accelerators and tooltips are
// all built from these rows.
struct CommandInfo {
    int id = 0;
    const char *text = "";    // menu text (UTF-8) with its & mnemonic and \t shortcut
    const char *prompt = "";  // status-line prompt, then "\n" and the tooltip
    CommandOwner owner = CommandOwner::Nobody;
    CommandOwner updateOwner = CommandOwner::Nobody;  // Nobody: no update handler
    bool initiallyChecked = false;
};

std::span<const CommandInfo> commandTable();
const CommandInfo *findCommand(int id);
QString commandText(int id);
QString commandTooltip(int id);  // empty when the command shows no tooltip

enum class MenuKind {
    Item,
    Separator,
    Popup
};

struct MenuEntry {
    MenuKind kind = MenuKind::Separator;
    int id = 0;             // items only
    const char *text = "";  // popups only; items take the command's text
    std::span<const MenuEntry> children;
};

// The popups of the menu bar, in order.
std::span<const MenuEntry> menuTree();

// Command identifiers of the toolbar buttons in order; 0 is a separator.
inline constexpr int kToolbarSeparator = 0;
std::span<const int> toolbarLayout();

struct Accelerator {
    QKeyCombination key;
    int id = 0;
};

// Keys that work while a document window is open.
std::span<const Accelerator> acceleratorTable();

}  // namespace ombrelis
