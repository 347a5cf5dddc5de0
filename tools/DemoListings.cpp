#include "tools/DemoListings.h"

#include "tools/DemoQuotes.h"

#include <array>
#include <random>
#include <stdexcept>
#include <string>

namespace verdaxil {

namespace {

// Start prices in thousandths of a yuan (index points for indices) and typical
// volumes in lots, ranged so that a day's amount stays far within 32 bits.
struct PriceLevel {
    int lowPrice;
    int highPrice;
    int lowLots;
    int highLots;
};

constexpr PriceLevel kMainBoard{3000, 60000, 30000, 800000};
constexpr PriceLevel kGrowthBoard{10000, 120000, 10000, 200000};
constexpr PriceLevel kBShare{1200, 6000, 3000, 40000};
constexpr PriceLevel kIndex{1000000, 5000000, 300000, 800000};
constexpr PriceLevel kFund{1500, 5000, 50000, 2000000};
constexpr PriceLevel kBond{100000, 140000, 2000, 50000};

struct CodeClass {
    bool shanghai;
    int first; // lowest and highest code of the class
    int last;
    int share; // thousandths of the generated securities
    const PriceLevel& level;
};

// Generated Shanghai 600xxx and Shenzhen 000xxx codes start past the demo securities'.
// Shares add up to 1000.
constexpr std::array kClasses = {
    CodeClass{true, 600037, 600999, 140, kMainBoard}, // Shanghai main-board A shares
    CodeClass{true, 601000, 601999, 54, kMainBoard},
    CodeClass{true, 603000, 603999, 80, kMainBoard},
    CodeClass{true, 605000, 605999, 20, kMainBoard},
    CodeClass{true, 688001, 688999, 90, kGrowthBoard}, // STAR Market A shares
    CodeClass{true, 900901, 900999, 8, kBShare},       // Shanghai B shares
    CodeClass{true, 1, 999, 15, kIndex},               // Shanghai indices, 000001 the composite
    CodeClass{true, 510010, 510999, 25, kFund},        // exchange-traded funds
    CodeClass{true, 110001, 110999, 10, kBond},        // convertible bonds
    CodeClass{true, 113001, 113999, 25, kBond},
    CodeClass{false, 3, 999, 70, kMainBoard}, // Shenzhen main-board A shares
    CodeClass{false, 1201, 1999, 15, kMainBoard},
    CodeClass{false, 2001, 2999, 150, kMainBoard},
    CodeClass{false, 3000, 3099, 7, kMainBoard},
    CodeClass{false, 300001, 300999, 150, kGrowthBoard}, // ChiNext A shares
    CodeClass{false, 301001, 301999, 45, kGrowthBoard},
    CodeClass{false, 200011, 200999, 6, kBShare}, // Shenzhen B shares
    CodeClass{false, 399001, 399999, 15, kIndex}, // Shenzhen indices
    CodeClass{false, 159001, 159999, 25, kFund},  // exchange-traded funds
    CodeClass{false, 123001, 123999, 25, kBond},  // convertible bonds
    CodeClass{false, 127001, 127999, 10, kBond},
    CodeClass{false, 128001, 128999, 15, kBond},
};

constexpr unsigned kMarketSeed = 20140101;

// Class of each generated security: a smooth weighted round robin, so that every
// stretch of the sequence holds the classes in about their shares.
std::vector<std::size_t> dealClasses(int generated)
{
    int total = 0;
    for (const CodeClass& codeClass : kClasses)
        total += codeClass.share;
    std::array<int, kClasses.size()> credit{};
    std::vector<std::size_t> classes;
    classes.reserve(static_cast<std::size_t>(generated));
    for (int position = 0; position < generated; ++position) {
        std::size_t chosen = 0;
        for (std::size_t c = 0; c < kClasses.size(); ++c) {
            credit[c] += kClasses[c].share;
            if (credit[c] > credit[chosen])
                chosen = c;
        }
        credit[chosen] -= total;
        classes.push_back(chosen);
    }
    return classes;
}

DayFileKind kindAt(int position)
{
    switch (position) {
    case 10: return DayFileKind::Empty;
    case 20: return DayFileKind::PartRecord;
    case 30: return DayFileKind::ZeroVolume;
    // 47 shares no factor with the deal's cycle of 1000, so the suspended ones fall
    // in every class rather than in the same few.
    default: return position % 47 == 23 ? DayFileKind::Suspended : DayFileKind::Full;
    }
}

int between(std::mt19937& random, int low, int high)
{
    return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
}

} // namespace

std::vector<DemoListing> demoListings(int securities)
{
    const auto& demo = demoSecurities();
    if (securities < static_cast<int>(demo.size()) || securities > kMaxDemoSecurities)
        throw std::invalid_argument("The demo market takes 4 to " + std::to_string(kMaxDemoSecurities) + " securities");

    std::vector<DemoListing> listings;
    listings.reserve(static_cast<std::size_t>(securities));
    for (const DemoSecurity& security : demo) {
        listings.push_back({QByteArray(security.code), security.shanghai, security.startPrice, security.dailyLots, security.seed,
                            false, DayFileKind::Full, 0});
    }

    const auto classes = dealClasses(securities - static_cast<int>(demo.size()));
    std::array<int, kClasses.size()> members{};
    for (std::size_t c : classes)
        ++members[c];
    std::array<int, kClasses.size()> taken{};
    std::mt19937 random(kMarketSeed);
    for (int position = 0; position < static_cast<int>(classes.size()); ++position) {
        const std::size_t c = classes[static_cast<std::size_t>(position)];
        const CodeClass& codeClass = kClasses[c];
        // Member k of n takes a code from the k-th of n equal slices of the range, the
        // first member the range's first code: Shanghai's index 000001 is then there
        // next to Shenzhen's 000001 as soon as the indices have a member.
        const int member = taken[c]++;
        const int room = codeClass.last - codeClass.first + 1;
        const int low = codeClass.first + member * room / members[c];
        const int high = codeClass.first + (member + 1) * room / members[c] - 1;
        const int code = member == 0 ? low : between(random, low, high);

        DemoListing listing;
        listing.code = QByteArray::number(code).rightJustified(6, '0');
        listing.shanghai = codeClass.shanghai;
        listing.startPrice = between(random, codeClass.level.lowPrice, codeClass.level.highPrice);
        listing.dailyLots = between(random, codeClass.level.lowLots, codeClass.level.highLots);
        // Seeds also set the phases of the history's cycles; below a million the sines
        // of them stay on the fast path of argument reduction.
        listing.seed = static_cast<unsigned>(between(random, 1, 999999));
        listing.followsMarket = true;
        listing.kind = kindAt(position);
        // Suspended for a few days to about two months.
        listing.suspendedDays = listing.kind == DayFileKind::Suspended ? between(random, 3, 40) : 0;
        listings.push_back(listing);
    }
    return listings;
}

} // namespace verdaxil
