#include "scan/SecurityClass.h"

#include <algorithm>
#include <array>

namespace verdaxil {

namespace {

struct CodeRange {
    Market market;
    const char16_t* prefix;
    SecurityClass securityClass;
    Board board = Board::None;
};

// The exchanges' code ranges by leading digits. Shanghai's 000 codes are its indices,
// Shenzhen's are shares; the first matching prefix decides.
constexpr std::array kCodeRanges = {
    CodeRange{Market::Shanghai, u"600", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shanghai, u"601", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shanghai, u"603", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shanghai, u"605", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shanghai, u"688", SecurityClass::AShare, Board::Star}, // STAR market
    CodeRange{Market::Shanghai, u"689", SecurityClass::AShare, Board::Star}, // STAR market depositary receipts
    CodeRange{Market::Shanghai, u"900", SecurityClass::BShare},
    CodeRange{Market::Shanghai, u"000", SecurityClass::Index},
    CodeRange{Market::Shanghai, u"50", SecurityClass::Fund}, // closed-end funds, LOFs, REITs
    CodeRange{Market::Shanghai, u"51", SecurityClass::Fund}, // ETFs
    CodeRange{Market::Shanghai, u"52", SecurityClass::Fund},
    CodeRange{Market::Shanghai, u"56", SecurityClass::Fund},
    CodeRange{Market::Shanghai, u"58", SecurityClass::Fund}, // STAR ETFs
    CodeRange{Market::Shanghai, u"01", SecurityClass::Bond}, // treasury bonds
    CodeRange{Market::Shanghai, u"02", SecurityClass::Bond},
    CodeRange{Market::Shanghai, u"1", SecurityClass::Bond},  // corporate and convertible bonds
    CodeRange{Market::Shanghai, u"20", SecurityClass::Bond}, // repurchase agreements
    CodeRange{Market::Shenzhen, u"000", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shenzhen, u"001", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shenzhen, u"002", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shenzhen, u"003", SecurityClass::AShare, Board::Main},
    CodeRange{Market::Shenzhen, u"300", SecurityClass::AShare, Board::ChiNext}, // ChiNext
    CodeRange{Market::Shenzhen, u"301", SecurityClass::AShare, Board::ChiNext}, // ChiNext
    CodeRange{Market::Shenzhen, u"302", SecurityClass::AShare, Board::ChiNext}, // ChiNext
    CodeRange{Market::Shenzhen, u"200", SecurityClass::BShare},
    CodeRange{Market::Shenzhen, u"201", SecurityClass::BShare},
    CodeRange{Market::Shenzhen, u"399", SecurityClass::Index},
    CodeRange{Market::Shenzhen, u"15", SecurityClass::Fund}, // ETFs and LOFs
    CodeRange{Market::Shenzhen, u"16", SecurityClass::Fund},
    CodeRange{Market::Shenzhen, u"18", SecurityClass::Fund}, // closed-end funds, REITs
    CodeRange{Market::Shenzhen, u"10", SecurityClass::Bond}, // treasury bonds
    CodeRange{Market::Shenzhen, u"11", SecurityClass::Bond}, // corporate bonds
    CodeRange{Market::Shenzhen, u"12", SecurityClass::Bond}, // convertible bonds
    CodeRange{Market::Shenzhen, u"13", SecurityClass::Bond}, // repurchase agreements
};

bool isSixDigits(const QString& code)
{
    return code.size() == 6 && std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The first range the code falls in; none for a code in no range.
const CodeRange* rangeOf(Market market, const QString& code)
{
    if (!isSixDigits(code))
        return nullptr;
    for (const CodeRange& range : kCodeRanges) {
        if (range.market == market && code.startsWith(QStringView(range.prefix)))
            return &range;
    }
    return nullptr;
}

} // namespace

SecurityClass ClassOf(Market market, const QString& code)
{
    const CodeRange* range = rangeOf(market, code);
    return range ? range->securityClass : SecurityClass::Other;
}

Board BoardOf(Market market, const QString& code)
{
    const CodeRange* range = rangeOf(market, code);
    return range ? range->board : Board::None;
}

QString boardKey(Board board)
{
    switch (board) {
    case Board::Main: return QStringLiteral("main");
    case Board::ChiNext: return QStringLiteral("chinext");
    case Board::Star: return QStringLiteral("star");
    case Board::None: break;
    }
    return {};
}

QString boardName(Board board)
{
    switch (board) {
    case Board::Main: return QStringLiteral("主板");
    case Board::ChiNext: return QStringLiteral("创业板");
    case Board::Star: return QStringLiteral("科创板");
    case Board::None: break;
    }
    return {};
}

QString classKey(SecurityClass securityClass)
{
    switch (securityClass) {
    case SecurityClass::AShare: return QStringLiteral("a-share");
    case SecurityClass::BShare: return QStringLiteral("b-share");
    case SecurityClass::Index: return QStringLiteral("index");
    case SecurityClass::Fund: return QStringLiteral("fund");
    case SecurityClass::Bond: return QStringLiteral("bond");
    case SecurityClass::Other: break;
    }
    return QStringLiteral("other");
}

QString className(SecurityClass securityClass)
{
    switch (securityClass) {
    case SecurityClass::AShare: return QStringLiteral("A股");
    case SecurityClass::BShare: return QStringLiteral("B股");
    case SecurityClass::Index: return QStringLiteral("指数");
    case SecurityClass::Fund: return QStringLiteral("基金");
    case SecurityClass::Bond: return QStringLiteral("债券");
    case SecurityClass::Other: break;
    }
    return QStringLiteral("其他");
}

} // namespace verdaxil
