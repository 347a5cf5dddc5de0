#pragma once

#include "quotes/Market.h"

#include <QByteArray>
#include <QString>

#include <span>
#include <vector>

namespace verdaxil {

struct NameListEntry {
    QString code;                 // six digits
    Market market = Market::None; // none when the line did not qualify the code
    QString name;

    bool operator==(const NameListEntry&) const = default;
};

// Why a list gives no names.
enum class NoNames {
    None,        // it gives some
    NoCodeTitle, // a header names the name column but no code column
    NoNameTitle, // a header names the code column but no name column, or codes have no names
    NoCodes,     // no line holds a six-digit code
    NotText,     // its lines are neither UTF-8 nor code page 936 text
};

// The reason in the user's words: "找不到代码列", "找不到名称列", "没有六位代码".
QString noNamesText(NoNames reason);

struct NameList {
    std::vector<NameListEntry> entries; // in file order, repeats included
    int skippedLines = 0;               // lines without a code and a name; blank lines and headers are not counted
    int undecodableLines = 0;           // lines neither UTF-8 nor code page 936, skipped as well
    NoNames noNames = NoNames::None;    // why there are no entries
};

// The longest name kept, in characters; a longer one is cut.
inline constexpr qsizetype kLongestName = 32;

// A name list as the user exports it from the terminal or a spreadsheet: UTF-8 or else
// code page 936, line by line (a leading byte-order mark dropped first), one security a
// line, fields split by tabs, commas or spaces. A line naming the code column (代码,
// 证券代码, 股票代码) and the name column (名称, 证券名称, 简称, 证券简称, 股票简称) chooses
// them for the lines below it, other columns ignored; otherwise the code is the first
// field and the name the second. Codes are six digits, bare or qualified as SH600000,
// SH:600000, 600000.SH or 600000.SS (Shanghai) and likewise SZ (Shenzhen), in either
// case. Names lose their control characters and are cut to kLongestName characters.
// Memory stays within a few times the bytes' size.
NameList ParseNameList(const QByteArray& bytes);

// The copy the program keeps: UTF-8 without a byte-order mark, the header "代码\t名称"
// and one "SH600000\t浦发银行" line per entry, LF-terminated. Parsing it gives the
// entries back.
QByteArray serializeNameList(std::span<const NameListEntry> entries);

} // namespace verdaxil
