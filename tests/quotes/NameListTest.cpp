#include "quotes/NameList.h"

#include <gtest/gtest.h>

#include <random>

namespace verdaxil {

void PrintTo(const NameListEntry& entry, std::ostream* out)
{
    *out << int(entry.market) << ' ' << entry.code.toStdString() << ' ' << entry.name.toStdString();
}

namespace {

// A name's inside may hold anything parsing keeps; its ends never spaces or quotes, which parsing trims.
const QString kNameInside = QStringLiteral(" \u3000\"',*＊=:.AzST浦发银行万科Ａ代码名称退");
const QString kNameEnds = QStringLiteral(",*＊=:.AzST浦发银行万科Ａ代码名称退");

TEST(NameListRoundTrip, ParsingTheKeptCopyGivesTheEntriesBack)
{
    std::mt19937 random(936);
    const auto pick = [&](const QString& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 300; ++round) {
        std::vector<NameListEntry> entries(random() % 8);
        for (NameListEntry& entry : entries) {
            entry.code = QString::number(random() % 1000000).rightJustified(6, u'0');
            entry.market = static_cast<Market>(random() % 3);
            entry.name = pick(kNameEnds);
            for (int more = random() % 4; more > 0; --more)
                entry.name += QString(pick(kNameInside)) + pick(kNameEnds);
        }
        const NameList parsed = ParseNameList(serializeNameList(entries));
        EXPECT_EQ(parsed.entries, entries);
        EXPECT_EQ(parsed.skippedLines, 0);
    }
}

struct HeaderCase {
    const char* text; // UTF-8
    const char* name; // of 600000; empty for none
    NoNames noNames;
};

class NameListHeader : public ::testing::TestWithParam<HeaderCase> {};

// Header lines as brokers' and spreadsheets' exports write them.
TEST_P(NameListHeader, ChoosesTheColumnsOrSaysWhyNot)
{
    const NameList list = ParseNameList(QByteArray(GetParam().text));
    const QString expected = QString::fromUtf8(GetParam().name);
    EXPECT_EQ(list.entries.empty() ? QString() : list.entries.front().name, expected);
    EXPECT_EQ(list.noNames, GetParam().noNames);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, NameListHeader,
    ::testing::Values(HeaderCase{"序号,证券代码,证券简称,最新价\n1,600000,浦发银行,10.50\n", "浦发银行", NoNames::None},
                      HeaderCase{"代码\t名称\t涨幅%\n600000\t浦发银行\t1.2\n", "浦发银行", NoNames::None},
                      HeaderCase{"股票代码,股票简称,所属行业\n600000.SH,浦发银行,银行\n", "浦发银行", NoNames::None},
                      HeaderCase{"证券名称 证券代码\n浦发银行 SH600000\n", "浦发银行", NoNames::None},
                      HeaderCase{"\"代码\",\"简称\",\"现价\"\n\"600000\",\"浦发银行\",\"10.5\"\n", "浦发银行", NoNames::None},
                      HeaderCase{"# 名称表 2025\n600000 浦发银行\n", "浦发银行", NoNames::None},
                      HeaderCase{"序号,证券代码,最新价\n1,600000,10.50\n", "", NoNames::NoNameTitle},
                      HeaderCase{"序号,证券简称,最新价\n1,浦发银行,10.50\n", "", NoNames::NoCodeTitle},
                      HeaderCase{"名称,价格\n浦发银行,10.5\n", "", NoNames::NoCodeTitle},
                      HeaderCase{"hello\nworld\n", "", NoNames::NoCodes},
                      HeaderCase{"600000\t\xff\xfe\xff\n", "", NoNames::NotText}));

} // namespace
} // namespace verdaxil
