#include "chipmodel.h"

namespace krv::sim {

ChipModel::~ChipModel() = default;

void ChipModel::lineDriven(int line, char level) {
    if (line == 0 && level == 'L') {
        statusByteIndex_ = 0;
    }
}

quint8 ChipModel::readStatusByte() {
    const bool high = statusByteIndex_++ % 2 == 0;
    return high ? statusWord_ >> 8 : statusWord_ & 0xFF;
}

void ChipModel::write(const QString& entry) {
    written_.append(entry);
}

} // namespace krv::sim
