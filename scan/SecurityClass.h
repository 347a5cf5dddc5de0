#pragma once

#include "quotes/Market.h"

#include <QString>

#include <array>

namespace verdaxil {

enum class SecurityClass { AShare, BShare, Index, Fund, Bond, Other };
// Every class, in the order of the enum: counts by class are indexed by it.
inline constexpr std::array kSecurityClasses = {SecurityClass::AShare, SecurityClass::BShare, SecurityClass::Index,
                                                SecurityClass::Fund,   SecurityClass::Bond,   SecurityClass::Other};
static_assert(kSecurityClasses.back() == static_cast<SecurityClass>(kSecurityClasses.size() - 1));

// The board an A share trades on; None for every other class.
enum class Board { None, Main, ChiNext, Star };

// The class of a listed code by the exchanges' public code ranges; anything that is
// not six digits, or in no range, is Other.
SecurityClass ClassOf(Market market, const QString& code);

Board BoardOf(Market market, const QString& code);
// "main", "chinext", "star"; empty for None.
QString boardKey(Board board);
// "主板", "创业板", "科创板"; empty for None.
QString boardName(Board board);

// "a-share", "b-share", "index", "fund", "bond", "other".
QString classKey(SecurityClass securityClass);
// "A股", "B股", "指数", "基金", "债券", "其他".
QString className(SecurityClass securityClass);

} // namespace verdaxil
