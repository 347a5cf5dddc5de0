#include "quotes/NameList.h"

#include "runtime/CodePage936.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>

namespace verdaxil {

namespace {

const QString kCodeTitle = QStringLiteral("代码");
const QString kNameTitle = QStringLiteral("名称");
const std::array<QStringView, 3> kCodeTitles{u"代码", u"证券代码", u"股票代码"};
const std::array<QStringView, 5> kNameTitles{u"名称", u"证券名称", u"简称", u"证券简称", u"股票简称"};
constexpr QStringView kShortNameTitle = u"简称";

struct Columns {
    qsizetype code = 0; // -1: none
    qsizetype name = 1;
};

struct QualifiedCode {
    Market market = Market::None;
    QString digits;
};

// The text line by line: UTF-8 where it is valid, else code page 936, the terminal's
// own encoding; a line that is neither is left out and counted.
QString decodeText(QByteArray bytes, int& undecodable)
{
    // The mark says nothing of the encoding of what follows: a GBK text may carry one too.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    if (!gbk.isValid())
        return fromCodePage936(bytes); // says that the codec is missing
    text.clear();
    for (qsizetype start = 0; start <= bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        utf8.resetState();
        QString decoded = utf8.decode(line);
        if (utf8.hasError()) {
            gbk.resetState();
            decoded = gbk.decode(line);
            if (gbk.hasError()) {
                ++undecodable;
                decoded.clear();
            }
        }
        text += decoded;
        text += u'\n';
    }
    return text;
}

bool isPadding(QChar c)
{
    return c.isSpace() || c == u'"' || c == u'\'';
}

QStringView trimField(QStringView field)
{
    while (!field.isEmpty() && isPadding(field.front()))
        field = field.sliced(1);
    while (!field.isEmpty() && isPadding(field.back()))
        field.chop(1);
    return field;
}

// A line's fields, trimmed, one after another without copying: split by tabs when it
// has any, else by commas, else by runs of spaces.
class Fields {
public:
    explicit Fields(QStringView line) : line_(line), separator_(line.contains(u'\t') ? u'\t' : line.contains(u',') ? u',' : u' ')
    {}

    // The field at `column`; empty when there is none.
    QStringView at(qsizetype column) const
    {
        if (column < 0)
            return {};
        Fields rest = *this;
        QStringView field;
        for (qsizetype k = 0; k <= column; ++k) {
            if (!rest.next(field))
                return {};
        }
        return field;
    }

    // The first column whose field `matches`, other than `except`; -1 for none.
    template <class Match>
    qsizetype find(Match matches, qsizetype except) const
    {
        Fields rest = *this;
        QStringView field;
        for (qsizetype column = 0; rest.next(field); ++column) {
            if (column != except && matches(field))
                return column;
        }
        return -1;
    }

    bool next(QStringView& field)
    {
        if (separator_ == u' ') {
            while (position_ < line_.size() && line_[position_] == u' ')
                ++position_;
        }
        if (position_ > line_.size() || (separator_ == u' ' && position_ == line_.size()))
            return false;
        qsizetype end = line_.indexOf(separator_, position_);
        if (end < 0)
            end = line_.size();
        field = trimField(line_.sliced(position_, end - position_));
        position_ = end + 1;
        return true;
    }

private:
    QStringView line_;
    QChar separator_;
    qsizetype position_ = 0;
};

bool isSixDigits(QStringView text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// ASCII only: Unicode case folding would let the long s (U+017F) pass for an S.
bool isKey(QStringView text, const char16_t (&key)[3])
{
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; };
    return text.size() == 2 && lower(text[0].unicode()) == key[0] && lower(text[1].unicode()) == key[1];
}

Market marketOfPrefix(QStringView key)
{
    return isKey(key, u"sh") ? Market::Shanghai : isKey(key, u"sz") ? Market::Shenzhen : Market::None;
}

Market marketOfSuffix(QStringView key)
{
    return isKey(key, u"ss") ? Market::Shanghai : marketOfPrefix(key);
}

std::optional<QualifiedCode> parseCode(QStringView field)
{
    // ="000001" keeps a code's leading zeros in a spreadsheet.
    const QStringView view = field.startsWith(u'=') ? trimField(field.sliced(1)) : field;
    if (isSixDigits(view))
        return QualifiedCode{Market::None, view.toString()};
    if (view.size() == 8 || (view.size() == 9 && view[2] == u':')) {
        const Market market = marketOfPrefix(view.first(2));
        if (market != Market::None && isSixDigits(view.last(6)))
            return QualifiedCode{market, view.last(6).toString()};
    }
    if (view.size() == 9 && view[6] == u'.') {
        const Market market = marketOfSuffix(view.last(2));
        if (market != Market::None && isSixDigits(view.first(6)))
            return QualifiedCode{market, view.first(6).toString()};
    }
    return std::nullopt;
}

struct Title {
    qsizetype column = -1;
    bool usual = false; // one of the usual titles, not a field that holds the word
};

// A column title: one of the usual ones, else a field that holds the word.
template <std::size_t N>
Title titleColumn(const Fields& fields, const std::array<QStringView, N>& titles, qsizetype except)
{
    const qsizetype usual =
        fields.find([&](QStringView field) { return std::ranges::find(titles, field) != titles.end(); }, except);
    if (usual >= 0)
        return {usual, true};
    return {fields.find(
                [&](QStringView field) {
                    return field.contains(titles.front()) || (N == kNameTitles.size() && field.contains(kShortNameTitle));
                },
                except),
            false};
}

// The name without control characters (C0, C1, NUL), trimmed and cut.
QString cleanName(QStringView field)
{
    QString name;
    name.reserve(std::min<qsizetype>(field.size(), 2 * kLongestName));
    qsizetype characters = 0;
    for (qsizetype k = 0; k < field.size() && characters < kLongestName; ++k) {
        const QChar c = field[k];
        if (c.category() == QChar::Other_Control)
            continue;
        name += c;
        // A pair of surrogates is one character.
        if (c.isHighSurrogate() && k + 1 < field.size() && field[k + 1].isLowSurrogate())
            name += field[++k];
        ++characters;
    }
    return trimField(name).toString();
}

} // namespace

QString noNamesText(NoNames reason)
{
    switch (reason) {
    case NoNames::None: break;
    case NoNames::NoCodeTitle: return QStringLiteral("找不到代码列");
    case NoNames::NoNameTitle: return QStringLiteral("找不到名称列");
    case NoNames::NoCodes: return QStringLiteral("没有六位代码");
    case NoNames::NotText: return QStringLiteral("既不是 UTF-8 也不是 GBK 文本");
    }
    return {};
}

NameList ParseNameList(const QByteArray& bytes)
{
    NameList list;
    Columns columns;
    bool codeTitleOnly = false;
    bool nameTitleOnly = false;
    bool codes = false;
    const QString text = decodeText(bytes, list.undecodableLines);
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const Fields fields(line);
        // A line naming a column, with no code in it, is a header.
        if (fields.find([](QStringView field) { return parseCode(field).has_value(); }, -1) < 0) {
            const Title code = titleColumn(fields, kCodeTitles, -1);
            const Title name = titleColumn(fields, kNameTitles, code.column);
            // Both columns named, or one by its usual title: a line that merely holds
            // the word ("# 名称表") changes nothing.
            if ((code.column >= 0 && name.column >= 0) || code.usual || name.usual) {
                columns = {code.column, name.column};
                codeTitleOnly = name.column < 0;
                nameTitleOnly = code.column < 0;
                continue;
            }
        }
        const std::optional<QualifiedCode> code = parseCode(fields.at(columns.code));
        const QString name = cleanName(fields.at(columns.name));
        codes = codes || code;
        if (!code || name.isEmpty()) {
            ++list.skippedLines;
            continue;
        }
        list.entries.push_back({code->digits, code->market, name});
    }
    if (list.entries.empty()) {
        list.noNames = nameTitleOnly    ? NoNames::NoCodeTitle
            : codeTitleOnly || codes    ? NoNames::NoNameTitle
            : list.undecodableLines > 0 ? NoNames::NotText
                                        : NoNames::NoCodes;
    }
    return list;
}

QByteArray serializeNameList(std::span<const NameListEntry> entries)
{
    QString text = kCodeTitle + u'\t' + kNameTitle + u'\n';
    for (const NameListEntry& entry : entries)
        text += marketKey(entry.market) + entry.code + u'\t' + entry.name + u'\n';
    return text.toUtf8();
}

} // namespace verdaxil
