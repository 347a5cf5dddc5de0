#include "runtime/IntegerText.h"

#include <optional>

namespace verdaxil {

namespace {

QString conversionMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

} // namespace

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(conversionMessage(text).toStdString()), message_(conversionMessage(text))
{}

namespace {

std::optional<int> hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return std::nullopt;
}

bool isDecimalDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

qsizetype hexPrefixLength(QStringView rest)
{
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        return 2;
    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        return 1;
    return 0;
}

std::optional<std::int32_t> parseHex(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (QChar c : digits) {
        const auto value = hexDigitValue(c);
        if (!value)
            return std::nullopt;
        bits = bits << 4 | static_cast<std::uint32_t>(*value);
    }
    return static_cast<std::int32_t>(bits);
}

std::optional<std::int32_t> parseDecimal(QStringView text)
{
    bool negative = false;
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
    std::int64_t magnitude = 0;
    for (QChar c : text) {
        if (!isDecimalDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::int32_t textToInt(const QString& text)
{
    QStringView rest(text);
    while (rest.startsWith(u' '))
        rest = rest.mid(1);

    const qsizetype prefix = hexPrefixLength(rest);
    const auto value = prefix > 0 ? parseHex(rest.mid(prefix)) : parseDecimal(rest);
    if (!value)
        throw ConversionError(text);
    return *value;
}

QString intToText(std::int64_t value)
{
    return QString::number(value);
}

} // namespace verdaxil
