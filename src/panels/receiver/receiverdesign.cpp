#include "receiverdesign.h"

namespace krv {

ChipPanelDesign receiverDesign(void (ISMmain::*hide)()) {
    ChipPanelDesign design;
    design.family = ChipPanelDesign::Family::Receiver;
    design.updateClosedText = QStringLiteral(
        "Commport not available, please open commport. Control words were not updated.");
    design.latchClosedText = design.updateClosedText;
    design.handlesSupply = false;
    design.afcOffWords = 1;
    design.offsetBits = 6;
    design.compactHeight = 8600;
    design.tallHeight = 9400;
    design.statusCaptions = {"FF IT", "FF OF", "WK-UP", "LBD", "FF EM", "DRSSI", "DQD", "CRL",
                             "ATGL",  "ASAME", "SGN",   "OF4", "OF3",   "OF2",   "OF1", "OF0"};
    design.hideProcedure = hide;
    design.linkTestWindows = {QStringLiteral("DruskV1rflink"), QStringLiteral("DruskV1rflink_LB2")};
    return design;
}

} // namespace krv
