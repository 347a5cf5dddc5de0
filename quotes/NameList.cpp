#include "quotes/NameList.h"

#include "runtime/CodePage936.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace verdaxil {

namespace {

const QString kCodeTitle = QStringLiteral("代码");
const QString kNameTitle = QStringLiteral("名称");

struct Columns {
    qsizetype code = 0;
    qsizetype name = 1;
};

struct QualifiedCode {
    Market market = Market::None;
    QString digits;
};

// Text that is not valid UTF-8 is taken for code page 936, the terminal's own encoding.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8); // skips a byte-order mark
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromCodePage936(bytes) : text;
}

bool isPadding(QChar c)
{
    return c.isSpace() || c == u'"' || c == u'\'';
}

QString trimField(QStringView field)
{
    while (!field.isEmpty() && isPadding(field.front()))
        field = field.sliced(1);
    while (!field.isEmpty() && isPadding(field.back()))
        field.chop(1);
    return field.toString();
}

QStringList splitFields(const QString& line)
{
    QStringList fields = line.contains(u'\t') ? line.split(u'\t')
        : line.contains(u',')                 ? line.split(u',')
                                              : line.split(u' ', Qt::SkipEmptyParts);
    for (QString& field : fields)
        field = trimField(field);
    return fields;
}

qsizetype fieldContaining(const QStringList& fields, const QString& title, qsizetype except)
{
    for (qsizetype column = 0; column < fields.size(); ++column) {
        if (column != except && fields[column].contains(title))
            return column;
    }
    return -1;
}

// A field naming the code and another naming the name make the line a header.
std::optional<Columns> headerColumns(const QStringList& fields)
{
    const qsizetype code = fieldContaining(fields, kCodeTitle, -1);
    const qsizetype name = code < 0 ? -1 : fieldContaining(fields, kNameTitle, code);
    if (name < 0)
        return std::nullopt;
    return Columns{code, name};
}

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

std::optional<QualifiedCode> parseCode(const QString& field)
{
    // ="000001" keeps a code's leading zeros in a spreadsheet.
    const QString text = field.startsWith(u'=') ? trimField(QStringView(field).sliced(1)) : field;
    if (isSixDigits(text))
        return QualifiedCode{Market::None, text};
    const QStringView view(text);
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

} // namespace

NameList ParseNameList(const QByteArray& bytes)
{
    NameList list;
    Columns columns;
    for (QString line : decodeText(bytes).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = splitFields(line);
        if (const std::optional<Columns> header = headerColumns(fields)) {
            columns = *header;
            continue;
        }
        const std::optional<QualifiedCode> code = parseCode(fields.value(columns.code));
        const QString name = fields.value(columns.name);
        if (!code || name.isEmpty()) {
            ++list.skippedLines;
            continue;
        }
        list.entries.push_back({code->digits, code->market, name});
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
