#pragma once
// A receiver of commands. A command goes to the view, the document, the main window and the
// application in turn; the first that has a handler for the id carries it out, and that
// handler's conditions decide whether the menu item or button is enabled and checked.

#include <functional>
#include <map>

namespace halvex {

struct CommandHandler {
    std::function<void()> run;
    std::function<bool()> enabled;  // empty: always enabled
    std::function<bool()> checked;  // empty: never shows a check mark

    bool IsEnabled() const { return !enabled || enabled(); }
    bool IsChecked() const { return checked && checked(); }
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // The handler for `id`, or nullptr when this target has none.
    virtual const CommandHandler* FindCommandHandler(int id) const = 0;
};

class CommandMap {
public:
    void Add(int id, CommandHandler handler) { handlers_[id] = std::move(handler); }
    const CommandHandler* Find(int id) const {
        const auto found = handlers_.find(id);
        return found == handlers_.end() ? nullptr : &found->second;
    }

private:
    std::map<int, CommandHandler> handlers_;
};

}  // namespace halvex
