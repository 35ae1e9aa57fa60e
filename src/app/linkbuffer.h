#pragma once

namespace krv {

// A link window's receive buffer: while the window's flag in the main window is set, the board
// link hands it every character received on the board port, raw (LF included, CR as it came),
// before the character is echoed anywhere.
class LinkBuffer {
public:
    virtual ~LinkBuffer() = default;
    virtual void receiveCharacter(char c) = 0;
};

} // namespace krv
