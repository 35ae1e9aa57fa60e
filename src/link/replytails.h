#pragma once

#include <QString>

namespace krv {

// The rolling tails of what the board sent, from which callers read reply fields at fixed
// positions counted from the tail's left end (1-based).
struct ReplyTails {
    QString Last7;
    QString Last15;
    QString Last100;
    QString Last7OK;
    QString Last7ERROR;

    void append(QChar c) {
        push(Last7, c, 7);
        push(Last15, c, 15);
        push(Last100, c, 100);
    }
    bool endedOk() const { return Last7 == Last7OK; }
    bool endedInError() const { return Last7 == Last7ERROR; }
    bool ended() const { return endedOk() || endedInError(); }

    static void push(QString& tail, QChar c, qsizetype capacity) {
        if (tail.size() >= capacity)
            tail.remove(0, tail.size() - capacity + 1);
        tail.append(c);
    }
    // Characters first..last (1-based, inclusive) of a tail; empty where the tail is shorter.
    static QString field(const QString& tail, int first, int last) {
        return tail.mid(first - 1, last - first + 1);
    }
};

inline QString okEnding() {
    return QStringLiteral("\n\rOK\n\r>");
}
inline QString errorEnding() {
    return QStringLiteral("RROR\n\r>");
}

} // namespace krv
