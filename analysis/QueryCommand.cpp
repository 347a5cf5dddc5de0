#include "analysis/QueryCommand.h"

#include "analysis/ClearResults.h"
#include "analysis/Indicators.h"
#include "analysis/SelectionStats.h"
#include "quotes/DayFileReader.h"
#include "quotes/Market.h"
#include "runtime/FileSystem.h"
#include "runtime/IntegerText.h"

#include <memory>

namespace verdaxil {

namespace {

constexpr int kDefaultFee = 6;

int feeFrom(const QString& text)
{
    const int fee = textToInt(text);
    return fee >= 1 ? fee : kDefaultFee;
}

} // namespace

void runQuery(QueryWindow& window)
{
    const QString code = window.text(Control::stockcode);
    const QString quoteDir = window.text(Control::EdtYYY);
    const int fee = feeFrom(window.text(Control::EdtFee));

    const Market market = ResolveMarket(code, quoteDir);
    if (market == Market::None) {
        clearResults(window);
        window.setText(Control::MemMsg, QStringLiteral("注意：您输入的不是股票代码请重新输入！！"));
        return;
    }
    window.setText(Control::MemMsg, QStringLiteral("说明性信息！"));

    const auto dayFile = ReadOnlyFile::open(dayFilePath(quoteDir, market, code));
    if (!dayFile) {
        window.setText(Control::MemMsg, QStringLiteral("注意：对应文件不存在，请检查系统状况是否稳定，然后重新再试！"));
        return;
    }

    const auto table = std::make_unique<DayTable>();
    ReadDayTable(*dayFile, *table);
    ComputeIndicators(*table);
    ShowIndicators(window, *table);

    const int horizon = textToInt(window.text(Control::EdtDate));
    ShowSelectionStats(window, ComputeSelectionStats(*table, table->count, horizon, fee));
}

} // namespace verdaxil
