#pragma once

#include "panels/common/configitems.h"

namespace krv::trx {

enum class Chip { HC913, HC916 };

// The configuration file of a transceiver panel: *.trc (HC913, HC913B) or *.lrc (HC916), the
// HC916 file holding the items of its extra controls as well.
const ConfigFileType& fileType(Chip chip);

} // namespace krv::trx
