#pragma once

#include <cstdint>

namespace verdaxil {

// The back-test's settings the main window starts with; the command lines, the scan
// and the list take them when none is given.
inline constexpr std::int32_t kDefaultHorizon = 30; // trading days
inline constexpr std::int32_t kDefaultFee = 6;      // per trade; also what a fee below 1 counts as

} // namespace verdaxil
