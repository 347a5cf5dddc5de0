#pragma once

#include <cstdint>

namespace verdaxil {

// Day files hold prices in thousandths of 元 (of 点 for an index). The main window
// shows them in 分, truncated toward zero; the list shows 元 to two decimals, those
// 分, or to three, the file's own value, for the classes quoted to the thousandth.

constexpr std::int64_t fenOfFilePrice(std::int64_t filePrice)
{
    return filePrice / 10;
}

// A file's price as a whole number of hundredths (`decimals` 2) or thousandths (3).
constexpr std::int64_t scaledFilePrice(std::int64_t filePrice, int decimals)
{
    return decimals == 3 ? filePrice : fenOfFilePrice(filePrice);
}

} // namespace verdaxil
