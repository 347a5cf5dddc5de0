#include "tools/DemoMarket.h"

#include "quotes/QuoteLayout.h"
#include "tools/DayFileWriter.h"
#include "tools/DemoListings.h"
#include "tools/DemoNames.h"
#include "tools/DemoQuotes.h"

#include <QByteArrayList>
#include <QDir>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace verdaxil {

namespace {

// The market sells off over its last month, by some 8 %. Left to their own
// cycles, one security in four would be recommended on the last day; against the fall
// only the few still climbing are, as on a real day's list.
constexpr int kSellOffDays = 20;
constexpr double kSellOffReturn = -0.0045;
static_assert(kSellOffDays < kMinDemoDays);

std::vector<double> marketTrend(int days)
{
    std::vector<double> trend(static_cast<std::size_t>(days), 0.0);
    std::fill(trend.end() - kSellOffDays, trend.end(), kSellOffReturn);
    return trend;
}

QByteArray dayFileBytes(const DemoListing& listing, std::span<const double> trend)
{
    const DemoSecurity security{listing.code.constData(), listing.shanghai, listing.startPrice, listing.dailyLots, listing.seed};
    std::vector<DayRecord> history =
        listing.followsMarket ? demoHistory(security, trend) : demoHistory(security, static_cast<int>(trend.size()));
    switch (listing.kind) {
    case DayFileKind::Full: break;
    case DayFileKind::Suspended: history.resize(history.size() - static_cast<std::size_t>(listing.suspendedDays)); break;
    case DayFileKind::Empty: return {};
    case DayFileKind::PartRecord: return encodeDayFile(std::span(history).first(1)).first(kDayRecordSize - 1);
    case DayFileKind::ZeroVolume:
        for (DayRecord& record : history)
            record.volume = 0;
        break;
    }
    return encodeDayFile(history);
}

QByteArray tableFile(QByteArrayList codes)
{
    std::sort(codes.begin(), codes.end());
    QByteArray bytes;
    for (const QByteArray& code : codes)
        bytes += code + '\n';
    return bytes;
}

} // namespace

void writeDemoMarket(const QString& localDir, int securities, int days)
{
    if (days < kMinDemoDays || days > kMaxDemoDays)
        throw std::invalid_argument("The demo market takes " + std::to_string(kMinDemoDays) + " to "
                                    + std::to_string(kMaxDemoDays) + " days");
    const std::vector<DemoListing> listings = demoListings(securities);
    const std::vector<double> trend = marketTrend(days);

    const QDir root(localDir);
    QByteArrayList shanghai;
    QByteArrayList shenzhen;
    for (const DemoListing& listing : listings) {
        const Market market = listing.shanghai ? Market::Shanghai : Market::Shenzhen;
        const QString path =
            root.filePath(QuoteLayout::localDayDirectory(market) + QLatin1String(listing.code) + QuoteLayout::kDayFileSuffix);
        writeLocalFile(path, dayFileBytes(listing, trend));
        (listing.shanghai ? shanghai : shenzhen).append(listing.code);
    }
    writeLocalFile(root.filePath(QuoteLayout::localTableFile(Market::Shanghai)), tableFile(shanghai));
    writeLocalFile(root.filePath(QuoteLayout::localTableFile(Market::Shenzhen)), tableFile(shenzhen));
    writeLocalFile(root.filePath(QString::fromUtf8(kDemoNameListFile)), demoNameList(listings));
}

} // namespace verdaxil
