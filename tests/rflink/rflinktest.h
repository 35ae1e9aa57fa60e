#pragma once

#include "sim/air.h"
#include "sim/radio.h"
#include "testsupport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringList>

namespace krv::test {

// The air comes before the rig and goes after it: the boards' radios leave it as they go.
struct AirFirst {
    sim::Air air;
};

// A rig whose board is on an air, and what the board received from a point on.
class LinkRig : private AirFirst, public Rig {
public:
    explicit LinkRig(sim::Personality personality = sim::Personality::Board2) : Rig(personality) {
        board().radio().setAir(&air);
    }
    using AirFirst::air;
    void mark() { from_ = int(board().receivedLines().size()); }
    QStringList linesSinceMark() const {
        auto* self = const_cast<LinkRig*>(this);
        return self->board().receivedLines().mid(from_);
    }
    template <typename T> T* window(const QString& name) { return main().loadedForm<T>(name); }

private:
    int from_ = 0;
};

inline QStringList armingLines(const QString& off, const QString& command, const QString& on) {
    return {"S2" + off, "H2", "L2", "L0", "RS", "RS", "H2", command, "S2" + on};
}

} // namespace krv::test
