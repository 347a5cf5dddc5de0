#pragma once

#include <QString>

#include <cstdint>

namespace verdaxil {

// The per-trade fee typed in the fee box: a value below 1 means the usual fee of 6.
// A text that is not an integer throws ConversionError.
std::int32_t feeFromText(const QString& text);

} // namespace verdaxil
