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

// What a query of `code` reads, against a day file listed below `market`'s day
// directory at `localPath`: the query looks in Shanghai first and finds names
// ignoring case, so a Shenzhen code that Shanghai also has, or a code spelled in two
// cases, would show another file's figures.
enum class QueryReach { ThisFile, OtherMarket, OtherFile };
QueryReach queryReaches(const QString& quoteDir, Market market, const QString& code, const QByteArray& localPath);

} // namespace verdaxil
