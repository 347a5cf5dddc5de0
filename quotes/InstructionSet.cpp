#include "quotes/InstructionSet.h"

namespace verdaxil {

bool IsSupported(InstructionSet set)
{
    // Asked before main too, by an evaluator with static storage.
    __builtin_cpu_init();
    return set == InstructionSet::Baseline || __builtin_cpu_supports("avx2");
}

InstructionSet BestInstructionSet()
{
    static const InstructionSet best = IsSupported(InstructionSet::Avx2) ? InstructionSet::Avx2 : InstructionSet::Baseline;
    return best;
}

} // namespace verdaxil
