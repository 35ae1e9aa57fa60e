#include "commandtable.h"

#include "replies.h"

#include <utility>

namespace krv::sim {

void CommandTable::add(const QString& prefix, CommandHandler handler) {
    const auto same = [&](const Command& command) { return command.prefix == prefix; };
    std::erase_if(commands_, same);
    commands_.push_back({prefix, std::move(handler)});
}

CommandHandler CommandTable::handler(const QString& prefix) const {
    for (const Command& command : commands_) {
        if (command.prefix == prefix) {
            return command.handler;
        }
    }
    return {};
}

Reply CommandTable::dispatch(const QString& line) const {
    const Command* best = nullptr;
    for (const Command& command : commands_) {
        if (line.startsWith(command.prefix, Qt::CaseInsensitive) &&
            (best == nullptr || command.prefix.size() > best->prefix.size())) {
            best = &command;
        }
    }
    if (best == nullptr) {
        return replies::error();
    }
    return best->handler(line.mid(best->prefix.size()));
}

} // namespace krv::sim
