#pragma once

namespace krv {

// Makes the HR651 panel "DruskV1" and the HR658 panel "Ovalt" known to the main window.
void registerReceiverForms();

} // namespace krv
