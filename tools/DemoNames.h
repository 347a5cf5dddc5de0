#pragma once

#include "tools/DemoListings.h"

#include <QByteArray>

#include <vector>

namespace verdaxil {

// Where writeDemoMarket puts the demo's name list, relative to the quote directory.
inline constexpr char kDemoNameListFile[] = "名称表.txt";

// A name list for the listings as a terminal exports one: code page 936, a title line,
// the header "代码\t名称", tab-separated lines ending CRLF, codes qualified as 600000.SH
// (000001 is both a Shanghai index and a Shenzhen share) and a trailer. Names are made
// up from the class of each code (ETF, 转债, 指数, a B after B shares); of every forty A
// shares one carries ST and one *ST, and one in two hundred a delisting mark, so the
// filter has something to hide.
QByteArray demoNameList(const std::vector<DemoListing>& listings);

} // namespace verdaxil
