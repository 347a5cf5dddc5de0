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

} // namespace
} // namespace verdaxil
