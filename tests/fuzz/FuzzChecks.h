#pragma once

#include <cstdint>
#include <span>

namespace verdaxil::fuzz {

using Input = std::span<const std::uint8_t>;

// One function per fuzz target: it runs one input through the code and aborts when a
// property fails, so that the fuzzer keeps the input and a replay of it fails.
void checkDayFileInput(Input input);
void checkIntegerTextInput(Input input);
void checkCodeSteppingInput(Input input);
void checkPathMappingInput(Input input);
void checkDayFileListingInput(Input input);
void checkListExportInput(Input input);
void checkNameListInput(Input input);

// Aborts with `what` when `holds` is false.
void require(bool holds, const char* what);

} // namespace verdaxil::fuzz
