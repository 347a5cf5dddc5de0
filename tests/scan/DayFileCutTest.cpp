#include "scan/DayFileCut.h"

#include "runtime/FileSystem.h"
#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <random>

namespace verdaxil {
namespace {

using testing::localDayFile;
using testing::QuoteDirFixture;
using testing::sampleRecord;

// The cut is the first record dated after the day, whatever order the dates come in:
// files of every length around the 64-record blocks, dates that go back, days before,
// inside and after every file.
TEST(DayFileCut, CutIsTheFirstRecordDatedAfterTheDay)
{
    std::mt19937 random(20261210);
    QuoteDirFixture dir;
    DayFileCut cut;
    for (int records : {0, 1, 63, 64, 65, 127, 128, 129, 200}) {
        std::vector<DayRecord> file;
        for (int k = 0; k < records; ++k) {
            DayRecord record = sampleRecord(k);
            record.date = 20200000 + static_cast<std::int32_t>(random() % 40);
            file.push_back(record);
        }
        dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), file);
        OpenError error{};
        const auto opened = ReadOnlyFile::openLocal(
            QFile::encodeName(dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000")))).constData(), error);
        ASSERT_TRUE(opened);
        cut.read(*opened);
        for (std::int32_t day = 20199999; day <= 20200040; ++day) {
            const auto first = std::find_if(file.begin(), file.end(), [&](const DayRecord& r) { return r.date > day; });
            EXPECT_EQ(cut.cutAt(day), static_cast<std::size_t>(first - file.begin())) << records << " records, day " << day;
        }
    }
}

} // namespace
} // namespace verdaxil
