#pragma once

#include "quotes/Market.h"
#include "quotes/NameList.h"
#include "scan/DayFileListing.h"

#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace verdaxil {

// The names a name list gives the listed securities.
class SecurityNames {
public:
    SecurityNames() = default;
    // A qualified code names its market's security whether or not its day file is there
    // today, so that the kept copy loses no names. A bare code names the security whose
    // day file is listed; with files on both exchanges, the one that is no index
    // (000001: Shenzhen's share, not Shanghai's index), else Shanghai's as the query
    // resolves it. A bare code with no file names nothing. Later lines win.
    SecurityNames(const NameList& list, const std::vector<DayFileEntry>& files);

    std::optional<QString> name(Market market, const QString& code) const;
    std::size_t size() const { return names_.size(); }
    // Lines whose bare code has no day file on either exchange.
    int unmatchedLines() const { return unmatchedLines_; }
    // Lines naming a security an earlier line named already.
    int repeatedCodes() const { return repeatedCodes_; }
    // These names with `newer` in place of any they name too.
    void mergeNewer(const SecurityNames& newer);
    // Shanghai first, then Shenzhen, each by code: the order the kept copy is written in.
    std::vector<NameListEntry> entries() const;

private:
    std::map<std::pair<Market, QString>, QString> names_;
    int unmatchedLines_ = 0;
    int repeatedCodes_ = 0;
};

// Whether a name marks special treatment (ST, *ST, S*ST, SST, in either case, the
// asterisk also full-width) or delisting (退).
bool isSpecialTreatmentOrDelisting(const QString& name);

} // namespace verdaxil
