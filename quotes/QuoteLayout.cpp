#include "quotes/QuoteLayout.h"

namespace verdaxil::QuoteLayout {

namespace {

QString exchangeFolder(Market market)
{
    return market == Market::Shanghai ? QStringLiteral("\\data\\shase") : QStringLiteral("\\data\\sznse");
}

QString localForm(QString windowsPath)
{
    return windowsPath.mid(1).replace(u'\\', u'/');
}

} // namespace

QString dayDirectory(Market market)
{
    return exchangeFolder(market) + QStringLiteral("\\day\\");
}

QString tableFile(Market market)
{
    return exchangeFolder(market)
        + (market == Market::Shanghai ? QStringLiteral("\\shacdp.dat") : QStringLiteral("\\szncdp.dat"));
}

QString localDayDirectory(Market market)
{
    return localForm(dayDirectory(market));
}

QString localTableFile(Market market)
{
    return localForm(tableFile(market));
}

} // namespace verdaxil::QuoteLayout
