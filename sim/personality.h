#pragma once

namespace krv::sim {

// What a board answers to "i": the load boards of both generations, or one of the two other
// firmwares a board can run.
enum class Personality { Board1, Board2, Loader, Monitor };

} // namespace krv::sim
