#include "analysis/QueryCommand.h"

#include "analysis/ClearResults.h"
#include "analysis/Fee.h"
#include "analysis/SecurityEvaluator.h"
#include "quotes/Market.h"
#include "runtime/FileSystem.h"
#include "runtime/IntegerText.h"

namespace verdaxil {

QueryResult runQuery(QueryWindow& window)
{
    const QString code = window.text(Control::stockcode);
    const QString quoteDir = window.text(Control::EdtYYY);
    const int fee = feeFromText(window.text(Control::EdtFee));

    const Market market = ResolveMarket(code, quoteDir);
    if (market == Market::None) {
        clearResults(window);
        window.setText(Control::MemMsg, QStringLiteral("注意：您输入的不是股票代码请重新输入！！"));
        return QueryResult::NoDayFile;
    }
    window.setText(Control::MemMsg, QStringLiteral("说明性信息！"));

    const auto dayFile = ReadOnlyFile::open(dayFilePath(quoteDir, market, code));
    if (!dayFile) {
        window.setText(Control::MemMsg, QStringLiteral("注意：对应文件不存在，请检查系统状况是否稳定，然后重新再试！"));
        return QueryResult::NoDayFile;
    }

    // Mapping a fresh table for every query costs many times the reading of the file;
    // a reused table gives what a fresh one gives.
    thread_local SecurityEvaluator evaluator;
    ShowIndicators(window, evaluator.load(*dayFile));

    const int horizon = textToInt(window.text(Control::EdtDate));
    ShowSelectionStats(window, evaluator.selectionStats(horizon, fee));
    return QueryResult::Evaluated;
}

} // namespace verdaxil
