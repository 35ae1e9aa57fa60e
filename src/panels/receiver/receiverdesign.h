#pragma once

#include "panels/common/radiopanel.h"
#include "receiverchip.h"

namespace krv {

// The values of the chip panel design that both receiver panels share.
ChipPanelDesign receiverDesign(void (ISMmain::*hide)());

// How the receiver's pages shared with the transceivers differ.
RadioTraits receiverTraits(receiver::Chip chip);

} // namespace krv
