#include "scan/SecurityNames.h"

#include "runtime/CodePage936.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

struct ImportCase {
    const char* text;
    bool codePage936; // the file holds the text in code page 936 instead of UTF-8
    const char* dayFiles;
    const char* kept; // the kept copy after its header
    int skipped;
    int unmatched;
};

std::vector<DayFileEntry> dayFiles(const char* keys)
{
    std::vector<DayFileEntry> files;
    for (const QString& key : QString::fromUtf8(keys).split(u' ', Qt::SkipEmptyParts))
        files.push_back({key.startsWith(u"SH") ? Market::Shanghai : Market::Shenzhen, key.mid(2), {}, {}});
    return files;
}

class SecurityNamesImport : public ::testing::TestWithParam<ImportCase> {};

TEST_P(SecurityNamesImport, NamesTheListedSecurities)
{
    const ImportCase& c = GetParam();
    const NameList list = ParseNameList(c.codePage936 ? toCodePage936(QString::fromUtf8(c.text)) : QByteArray(c.text));
    const SecurityNames names(list, dayFiles(c.dayFiles));
    EXPECT_EQ(serializeNameList(names.entries()), "代码\t名称\n" + QByteArray(c.kept));
    for (const NameListEntry& entry : names.entries())
        EXPECT_EQ(names.name(entry.market, entry.code), entry.name);
    EXPECT_EQ(list.skippedLines, c.skipped);
    EXPECT_EQ(names.unmatchedLines(), c.unmatched);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, SecurityNamesImport,
    ::testing::Values(
        // The terminal's export: a title, a header among other columns, padded names, a trailer.
        ImportCase{"沪深Ａ股 2024-01-05\n代码\t名称\t最新价\t涨幅%\n600000\t浦发银行\t7.05\t0.57\n000001\t平安银行\t9.21\t-0.32\n"
                   "000002\t\u3000万  科Ａ\u3000\t10.20\t1.10\n\n数据来源:行情终端\n",
                   true, "SH000001 SH600000 SZ000001 SZ000002", "SH600000\t浦发银行\nSZ000001\t平安银行\nSZ000002\t万  科Ａ\n", 2,
                   0},
        // Qualified codes are kept without their day files.
        ImportCase{"\xEF\xBB\xBFSH600000,浦发银行\r\nsz000001,平安银行\r\n SH:600036 , \"招商银行\"\r\n\r\n", false, "",
                   "SH600000\t浦发银行\nSH600036\t招商银行\nSZ000001\t平安银行\n", 0, 0},
        ImportCase{"\"600000.SS\",\"浦发银行\"\n000002.sz,万科Ａ\n=\"000001\",上证指数\n", false, "SH000001",
                   "SH000001\t上证指数\nSH600000\t浦发银行\nSZ000002\t万科Ａ\n", 0, 0},
        // Garbage, near-codes, a code without a name, a bare code without a day file; the later line wins.
        ImportCase{"600000\t浦发\n \t \n#####\nSS600000\t假\nSH60000\t假\n\u017fH600000\t假\n"
                   "600036\n300750\t宁德时代\n600000\t浦发银行\n",
                   false, "SH600000", "SH600000\t浦发银行\n", 5, 1},
        ImportCase{"股票名称\t股票代码\n浦发银行\tSH600000\n平安银行\t000001\n", false, "SZ000001",
                   "SH600000\t浦发银行\nSZ000001\t平安银行\n", 0, 0},
        // The bare code resolves to the same security as the qualified one before it, and wins; where neither
        // exchange's security is an index, Shanghai's is named, as the query resolves it.
        ImportCase{"SZ000001  平安\n 000001 平安银行\n113050 南银转债\n", false, "SH000001 SZ000001 SH113050 SZ113050",
                   "SH113050\t南银转债\nSZ000001\t平安银行\n", 0, 0}));

class SecurityNamesSpecialTreatment : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(SecurityNamesSpecialTreatment, ByThePrefixOrTheDelistingMark)
{
    EXPECT_EQ(isSpecialTreatmentOrDelisting(QString::fromUtf8(GetParam().first)), GetParam().second);
}

// A name beginning "ST" is special treatment by the exchanges' naming rule, so "STAR..." is marked too.
INSTANTIATE_TEST_SUITE_P(Names, SecurityNamesSpecialTreatment,
                         ::testing::Values(std::pair{"ST康美", true}, std::pair{"*ST大集", true}, std::pair{"S*ST前锋", true},
                                           std::pair{"SST华新", true}, std::pair{"st天马", true}, std::pair{"＊ST全新", true},
                                           std::pair{"S＊ST前锋", true}, std::pair{"退市海润", true}, std::pair{"海润退", true},
                                           std::pair{"STAR科技", true}, std::pair{"浦发银行", false}, std::pair{"S康美", false},
                                           std::pair{"*康美", false}, std::pair{"中ST", false}, std::pair{"\u017fT康美", false}));

} // namespace
} // namespace verdaxil
