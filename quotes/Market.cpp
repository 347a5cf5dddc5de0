#include "quotes/Market.h"

#include "quotes/QuoteLayout.h"
#include "runtime/CodePage936.h"
#include "runtime/FileSystem.h"
#include "runtime/WindowsPath.h"

namespace verdaxil {

QString marketName(Market market)
{
    switch (market) {
    case Market::Shanghai: return QStringLiteral("上海");
    case Market::Shenzhen: return QStringLiteral("深圳");
    case Market::None: break;
    }
    return {};
}

QString marketKey(Market market)
{
    switch (market) {
    case Market::Shanghai: return QStringLiteral("SH");
    case Market::Shenzhen: return QStringLiteral("SZ");
    case Market::None: break;
    }
    return {};
}

QString dayFilePath(const QString& quoteDir, Market market, const QString& code)
{
    return quoteDir + QuoteLayout::dayDirectory(market) + code + QuoteLayout::kDayFileSuffix;
}

Market ResolveMarket(QString code, QString quoteDir)
{
    const qsizetype length = codePage936Length(code);
    if (length < 5 || length > 7)
        return Market::None;
    return LookupMarket(std::move(code), std::move(quoteDir));
}

QueryReach queryReaches(const QString& quoteDir, Market market, const QString& code, const QByteArray& localPath)
{
    const Market queried = LookupMarket(code, quoteDir);
    if (queried != market)
        return QueryReach::OtherMarket;
    return localFileName(dayFilePath(quoteDir, queried, code)) == localPath ? QueryReach::ThisFile : QueryReach::OtherFile;
}

Market LookupMarket(QString code, QString quoteDir)
{
    for (Market market : {Market::Shanghai, Market::Shenzhen}) {
        if (fileExists(dayFilePath(quoteDir, market, code)))
            return market;
    }
    return Market::None;
}

} // namespace verdaxil
