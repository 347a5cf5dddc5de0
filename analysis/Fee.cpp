#include "analysis/Fee.h"

#include "runtime/IntegerText.h"

namespace verdaxil {

namespace {

constexpr std::int32_t kDefaultFee = 6;

} // namespace

std::int32_t feeFromText(const QString& text)
{
    const std::int32_t fee = textToInt(text);
    return fee >= 1 ? fee : kDefaultFee;
}

} // namespace verdaxil
