#pragma once

namespace krv {

// The RF link and test tool windows, by their form names.
void registerRfLinkForms();

} // namespace krv
