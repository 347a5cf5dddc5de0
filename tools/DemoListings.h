#pragma once

#include <QByteArray>

#include <vector>

namespace verdaxil {

// What a listing's day file holds.
enum class DayFileKind {
    Full,       // every day up to the market's last one
    Suspended,  // stops suspendedDays trading days before the others
    Empty,      // 0 bytes
    PartRecord, // 39 bytes, short of one record
    ZeroVolume, // whole records, every one with a zero volume
};

struct DemoListing {
    QByteArray code;
    bool shanghai;
    int startPrice; // thousandths of a yuan
    int dailyLots;  // typical volume in lots of 100 shares
    unsigned seed;
    bool followsMarket; // false for the demo securities, whose histories stay as they were
    DayFileKind kind;
    int suspendedDays; // trading days missing at the end of a Suspended file
};

inline constexpr int kMaxDemoSecurities = 6000; // what the code ranges have room for

// The demo securities followed by securities - 4 generated ones, dealt to the code
// classes of both exchanges in proportion to their shares, mostly A shares. Among the
// generated ones the 11th, 21st and 31st are defective, and about one in fifty is
// suspended. The same count gives the same listings. Throws std::invalid_argument
// unless securities is from 4 to kMaxDemoSecurities.
std::vector<DemoListing> demoListings(int securities);

} // namespace verdaxil
