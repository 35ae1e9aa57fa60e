#pragma once

#include "panels/common/configitems.h"
#include "receiverchip.h"

namespace krv::receiver {

// The chip configuration files *.rc (HR651) and *.rc2 (HR658), the HR658 file holding the items
// of its extra controls as well. The first item is the main window's "Pref_RxLinkTimeout".
const ConfigFileType& fileType(Chip chip);

} // namespace krv::receiver
