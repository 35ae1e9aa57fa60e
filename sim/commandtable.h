#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace krv::sim {

// What the board writes back for a command line; std::nullopt when it stays silent.
using Reply = std::optional<QByteArray>;
// Called with the text after the command's letters (its hex arguments).
using CommandHandler = std::function<Reply(const QString& argument)>;

// The board's command language: each command is a prefix of the line; the longest registered
// prefix wins, so "S" and "S2" can both be commands. The board reads its commands in either case
// ("ri" is "RI").
class CommandTable {
public:
    // Replaces an earlier handler of the same prefix.
    void add(const QString& prefix, CommandHandler handler);
    // The handler registered for exactly this prefix; an empty one when there is none.
    CommandHandler handler(const QString& prefix) const;
    // The error reply when no prefix matches.
    Reply dispatch(const QString& line) const;

private:
    struct Command {
        QString prefix;
        CommandHandler handler;
    };
    std::vector<Command> commands_;
};

} // namespace krv::sim
