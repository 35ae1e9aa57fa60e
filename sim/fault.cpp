#include "fault.h"

namespace krv::sim {

void FaultPlan::set(Fault fault, int count) {
    fault_ = count == 0 ? Fault::None : fault;
    remaining_ = count;
}

Fault FaultPlan::take() {
    const Fault fault = fault_;
    if (remaining_ > 0 && --remaining_ == 0) {
        fault_ = Fault::None;
    }
    return fault;
}

} // namespace krv::sim
