#pragma once

namespace verdaxil {

// The instruction sets the evaluation's hot loops are compiled for. Each loop has one
// source, inlined into one plain function per set; the evaluation runs the best set
// the processor has, so the program still runs on any x86-64. Both sets can be asked
// for by name, so that both are tested on a machine that has the wider one.
enum class InstructionSet { Baseline, Avx2 };

InstructionSet BestInstructionSet();

// Whether this processor runs `set`.
bool IsSupported(InstructionSet set);

} // namespace verdaxil
