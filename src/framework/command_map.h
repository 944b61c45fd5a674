#pragma once

#include <functional>
#include <optional>
#include <unordered_map>

namespace ombrelis {

// What an update handler says about a command: whether it may run and,
// when it says so, whether its menu item and buttons show a check mark.
struct CommandUpdate {
    bool enabled = true;
    std::optional<bool> checked;

    void enable(bool on) { enabled = on; }
    void setCheck(bool on) { checked = on; }
};

// Notification codes a bar's edit box sends, through the frame, to the
// active view: it lost the focus, or its text changed.
inline constexpr int kEditLostFocus = 512;
inline constexpr int kEditChanged = 768;

using CommandHandler = std::function<void()>;
using UpdateHandler = std::function<void(CommandUpdate &)>;

// The commands one object of the route handles, by identifier. Each of the
// view, document, child frame, main frame and application holds one and binds
// its handlers when it is made.
class CommandMap {
public:
    struct Entry {
        CommandHandler handler;
        UpdateHandler update;  // may be empty: then the command is always enabled
    };

    void bind(int id, CommandHandler handler, UpdateHandler update = {})
    {
        entries_[id] = Entry{std::move(handler), std::move(update)};
    }

    const Entry *find(int id) const
    {
        const auto found = entries_.find(id);
        return found == entries_.end() ? nullptr : &found->second;
    }

    bool handles(int id) const { return find(id) != nullptr; }

private:
    std::unordered_map<int, Entry> entries_;
};

}  // namespace ombrelis
