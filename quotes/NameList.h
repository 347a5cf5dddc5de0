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

struct NameList {
    std::vector<NameListEntry> entries; // in file order, repeats included
    int skippedLines = 0;               // lines without a code and a name; blank lines and headers are not counted
};

// A name list as the user exports it from the terminal or a spreadsheet: UTF-8 (a
// byte-order mark allowed) or else code page 936, one security a line, fields split by
// tabs, commas or spaces. A line naming columns "代码" and "名称" chooses them for
// the lines below it; otherwise the code is the first field and the name the second.
// Codes are six digits, bare or qualified as SH600000, SH:600000, 600000.SH or
// 600000.SS (Shanghai) and likewise SZ (Shenzhen), in either case.
NameList ParseNameList(const QByteArray& bytes);

// The copy the program keeps: UTF-8 without a byte-order mark, the header "代码\t名称"
// and one "SH600000\t浦发银行" line per entry, LF-terminated. Parsing it gives the
// entries back.
QByteArray serializeNameList(std::span<const NameListEntry> entries);

} // namespace verdaxil
