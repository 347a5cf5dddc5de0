#pragma once

#include <QString>

namespace verdaxil {

// The exchange whose day directory holds a code's day file.
enum class Market { None = 0, Shanghai = 1, Shenzhen = 2 };

// "上海" or "深圳", as the window names the exchanges; none for Market::None.
QString marketName(Market market);
// "SH" or "SZ", as files for other programs name them.
QString marketKey(Market market);

// QuoteDir + "\data\shase\day\" or "\data\sznse\day\" + code + ".day", by plain concatenation.
QString dayFilePath(const QString& quoteDir, Market market, const QString& code);

// Codes of 5 to 7 code page 936 bytes are looked up; any other length is not a code.
Market ResolveMarket(QString code, QString quoteDir);

// Shanghai first, so a day file present in both directories resolves there.
Market LookupMarket(QString code, QString quoteDir);

} // namespace verdaxil
