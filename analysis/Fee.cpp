#include "analysis/Fee.h"

#include "analysis/BackTestDefaults.h"
#include "runtime/IntegerText.h"

namespace verdaxil {

std::int32_t feeFromText(const QString& text)
{
    const std::int32_t fee = textToInt(text);
    return fee >= 1 ? fee : kDefaultFee;
}

} // namespace verdaxil
