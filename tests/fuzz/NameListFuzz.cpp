// The name-list reader, fed any bytes as a file the user imports: every entry it finds
// is a six-digit code and a trimmed name on one line, free of control characters and
// NULs and at most 32 characters long; it finds no more entries than the text has
// lines, a byte-order mark before the bytes changes nothing, and the copy the program
// keeps of them reads back as the same entries.
#include "FuzzChecks.h"

#include "quotes/NameList.h"

#include <QList>

#include <algorithm>

namespace verdaxil::fuzz {

namespace {

bool isPadding(QChar c)
{
    return c.isSpace() || c == u'"' || c == u'\'';
}

} // namespace

void checkNameListInput(Input input)
{
    const QByteArray bytes(reinterpret_cast<const char*>(input.data()), static_cast<qsizetype>(input.size()));
    const NameList list = ParseNameList(bytes);

    for (const NameListEntry& entry : list.entries) {
        require(entry.code.size() == 6
                    && std::all_of(entry.code.begin(), entry.code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }),
                "a code is six digits");
        require(!entry.name.isEmpty() && !isPadding(entry.name.front()) && !isPadding(entry.name.back()),
                "a name is trimmed and not empty");
        require(!entry.name.contains(u'\n') && !entry.name.contains(u'\t'), "a name stays within its field");
        require(std::none_of(entry.name.begin(), entry.name.end(),
                             [](QChar c) { return c.category() == QChar::Other_Control || c.isNull(); }),
                "a name holds no control character and no NUL");
        require(entry.name.toUcs4().size() <= kLongestName, "a name is at most 32 characters");
    }
    if (!bytes.startsWith("\xEF\xBB\xBF")) {
        const NameList marked = ParseNameList("\xEF\xBB\xBF" + bytes);
        require(marked.entries == list.entries && marked.skippedLines == list.skippedLines,
                "a byte-order mark before the bytes changes nothing");
    }
    require(static_cast<qsizetype>(list.entries.size()) + list.skippedLines <= bytes.count('\n') + 1,
            "at most one entry or skipped line a line");

    const NameList kept = ParseNameList(serializeNameList(list.entries));
    require(kept.entries == list.entries && kept.skippedLines == 0, "the kept copy reads back as the entries");
}

} // namespace verdaxil::fuzz
