#pragma once

namespace krv {

class ISMmain;

// Whether the programmer or the loader may start a board transaction: the board port open and
// the transaction lock free. A refusal shows its message (exclamation icon).
bool boardTransactionStartable(ISMmain& main);

} // namespace krv
