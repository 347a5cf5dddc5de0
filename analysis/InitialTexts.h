#pragma once

#include "analysis/BackTestDefaults.h"

#include <QString>

namespace verdaxil {

// The texts the main window's setting boxes start with. The command lines take the
// same texts as their defaults; the main window's form holds them too, and a test
// keeps the two alike.
namespace InitialTexts {
inline const QString kCode = QStringLiteral("请输入股票代码");
inline const QString kQuoteDir = QStringLiteral("D:\\YYY");
inline const QString kHorizon = QString::number(kDefaultHorizon);
inline const QString kFee = QString::number(kDefaultFee);
inline const QString kRecomPath = QStringLiteral("d:\\Tamlorn2003\\Recom");
} // namespace InitialTexts

} // namespace verdaxil
