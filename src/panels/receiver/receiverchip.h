#pragma once

namespace krv::receiver {

// The two receivers share most of their arithmetic; where they differ the chip decides.
enum class Chip { HR651, HR658 };

} // namespace krv::receiver
