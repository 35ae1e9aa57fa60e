#pragma once

namespace krv::sim {

// How the board misbehaves on the command lines a test picks.
enum class Fault {
    None,
    NoReply,      // no answer at all
    ErrorEnding,  // the error ending in place of the reply
    SplitReply,   // the reply in several small writes a few milliseconds apart
    GarbageFirst, // stray bytes before the reply
    Paced,        // the reply one character at a time at the line's real pace
    Vanish        // the pseudo-terminal closes instead of an answer
};

// A fault that applies to the next `count` command lines, or to all of them while count < 0.
class FaultPlan {
public:
    void set(Fault fault, int count);
    // The fault for the command line being answered now; counts it.
    Fault take();

private:
    Fault fault_ = Fault::None;
    int remaining_ = 0;
};

} // namespace krv::sim
