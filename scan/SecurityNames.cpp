#include "scan/SecurityNames.h"

#include "scan/SecurityClass.h"

#include <set>

namespace verdaxil {

namespace {

using ListedCodes = std::set<std::pair<Market, QString>>;

Market marketOfBareCode(const ListedCodes& listed, const QString& code)
{
    Market chosen = Market::None;
    for (Market market : {Market::Shanghai, Market::Shenzhen}) {
        if (!listed.contains({market, code}))
            continue;
        if (chosen == Market::None
            || (ClassOf(chosen, code) == SecurityClass::Index && ClassOf(market, code) != SecurityClass::Index))
            chosen = market;
    }
    return chosen;
}

} // namespace

SecurityNames::SecurityNames(const NameList& list, const std::vector<DayFileEntry>& files)
{
    ListedCodes listed;
    for (const DayFileEntry& file : files)
        listed.emplace(file.market, file.code);
    for (const NameListEntry& entry : list.entries) {
        const Market market = entry.market != Market::None ? entry.market : marketOfBareCode(listed, entry.code);
        if (market == Market::None)
            ++unmatchedLines_;
        else if (!names_.insert_or_assign({market, entry.code}, entry.name).second)
            ++repeatedCodes_;
    }
}

void SecurityNames::mergeNewer(const SecurityNames& newer)
{
    for (const auto& [key, name] : newer.names_)
        names_.insert_or_assign(key, name);
}

std::optional<QString> SecurityNames::name(Market market, const QString& code) const
{
    const auto found = names_.find({market, code});
    if (found == names_.end())
        return std::nullopt;
    return found->second;
}

std::vector<NameListEntry> SecurityNames::entries() const
{
    std::vector<NameListEntry> entries;
    entries.reserve(names_.size());
    for (const auto& [key, name] : names_)
        entries.push_back({key.second, key.first, name});
    return entries;
}

bool isSpecialTreatmentOrDelisting(const QString& name)
{
    if (name.contains(u'退'))
        return true;
    // ASCII letters only: Unicode upper-casing would turn the long s (U+017F) into an S.
    QString prefix = name.left(4);
    for (QChar& c : prefix) {
        if (c == u'＊')
            c = u'*';
        else if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    for (const char16_t* mark : {u"ST", u"*ST", u"S*ST", u"SST"}) {
        if (prefix.startsWith(QStringView(mark)))
            return true;
    }
    return false;
}

} // namespace verdaxil
