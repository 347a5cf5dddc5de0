#include "tools/DemoNames.h"

#include "runtime/CodePage936.h"
#include "scan/SecurityClass.h"

#include <QString>
#include <QStringList>

namespace verdaxil {

namespace {

// Invented words; any likeness to a listed company's name is chance.
const QStringList kPlaces = {
    QStringLiteral("青岚"), QStringLiteral("北辰"), QStringLiteral("星汉"), QStringLiteral("远帆"), QStringLiteral("松岩"),
    QStringLiteral("云栖"), QStringLiteral("澄江"), QStringLiteral("嘉禾"), QStringLiteral("明川"), QStringLiteral("晨曦"),
    QStringLiteral("泰和"), QStringLiteral("锦程"), QStringLiteral("朗峰"), QStringLiteral("安澜"), QStringLiteral("禾丰"),
    QStringLiteral("望舒"), QStringLiteral("清源"), QStringLiteral("鹿鸣"), QStringLiteral("九皋"), QStringLiteral("临川"),
};
const QStringList kTrades = {
    QStringLiteral("科技"), QStringLiteral("电子"), QStringLiteral("医药"), QStringLiteral("能源"), QStringLiteral("材料"),
    QStringLiteral("机械"), QStringLiteral("食品"), QStringLiteral("物流"), QStringLiteral("化工"), QStringLiteral("传媒"),
    QStringLiteral("软件"), QStringLiteral("环保"), QStringLiteral("农业"), QStringLiteral("电气"), QStringLiteral("置业"),
};

QString demoName(const DemoListing& listing, int position)
{
    const Market market = listing.shanghai ? Market::Shanghai : Market::Shenzhen;
    const QString code = QString::fromLatin1(listing.code);
    const QString place = kPlaces.at(position % kPlaces.size());
    const QString trade = kTrades.at((position + position / kPlaces.size()) % kTrades.size());
    switch (ClassOf(market, code)) {
    case SecurityClass::AShare:
        if (position % 40 == 7)
            return QStringLiteral("ST") + place + trade;
        if (position % 40 == 27)
            return QStringLiteral("*ST") + place + trade;
        if (position % 200 == 117)
            return place + trade + QStringLiteral("退");
        return place + trade;
    case SecurityClass::BShare: return place + trade + u'B';
    case SecurityClass::Index: return place + trade + QStringLiteral("指数");
    case SecurityClass::Fund: return place + trade + QStringLiteral("ETF");
    case SecurityClass::Bond: return place + QStringLiteral("转债");
    case SecurityClass::Other: break;
    }
    return place + trade;
}

} // namespace

QByteArray demoNameList(const std::vector<DemoListing>& listings)
{
    QString text = QStringLiteral("演示行情 证券名称表\r\n代码\t名称\r\n");
    for (int position = 0; position < static_cast<int>(listings.size()); ++position) {
        const DemoListing& listing = listings[static_cast<std::size_t>(position)];
        const QString exchange = listing.shanghai ? QStringLiteral(".SH") : QStringLiteral(".SZ");
        text += QString::fromLatin1(listing.code) + exchange + u'\t' + demoName(listing, position) + QStringLiteral("\r\n");
    }
    text += QStringLiteral("数据来源:演示数据\r\n");
    return toCodePage936(text);
}

} // namespace verdaxil
