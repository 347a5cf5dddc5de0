// Text-to-integer conversion against its grammar, said as a regular expression. The
// bytes are read as UTF-8 and as Latin-1: the second reaches characters such as
// U+00A0 and the superscript digits that no UTF-8 mutation is likely to form.
#include "FuzzChecks.h"

#include "runtime/IntegerText.h"

#include <QRegularExpression>

#include <optional>

namespace verdaxil::fuzz {

namespace {

std::optional<std::int32_t> grammarValue(const QString& text)
{
    static const QRegularExpression grammar(
        QRegularExpression::anchoredPattern(QStringLiteral(" *(?:([+-]?)([0-9]+)|(?:\\$|x|X|0x|0X)([0-9A-Fa-f]{1,8}))")));
    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    if (match.hasCaptured(3))
        return static_cast<std::int32_t>(match.captured(3).toUInt(nullptr, 16));

    QString digits = match.captured(2);
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    // Eleven significant digits are past 32 bits; ten or fewer fit in 64 for the test.
    if (digits.size() > 10)
        return std::nullopt;
    const std::int64_t magnitude = digits.toLongLong();
    const std::int64_t value = match.captured(1) == u"-" ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void checkText(const QString& text)
{
    const std::optional<std::int32_t> expected = grammarValue(text);
    try {
        const std::int32_t value = textToInt(text);
        require(expected.has_value(), "only texts of the grammar convert");
        require(value == *expected, "the value the grammar gives");
    } catch (const ConversionError& error) {
        require(!expected.has_value(), "every text of the grammar converts");
        // A NUL still cuts the message short; that is being fixed apart from this.
        if (!text.contains(QChar(0)))
            require(QString::fromUtf8(error.what()) == QStringLiteral("'%1' is not a valid integer value").arg(text),
                    "the message carries the whole text");
    }
}

} // namespace

void checkIntegerTextInput(Input input)
{
    const char* bytes = reinterpret_cast<const char*>(input.data());
    const auto size = static_cast<qsizetype>(input.size());
    checkText(QString::fromUtf8(bytes, size));
    checkText(QString::fromLatin1(bytes, size));
}

} // namespace verdaxil::fuzz
