#pragma once

#include "panels/common/chippanel.h"

namespace krv {

// The values of the chip panel design that both receiver panels share.
ChipPanelDesign receiverDesign(void (ISMmain::*hide)());

} // namespace krv
