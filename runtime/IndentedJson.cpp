#include "runtime/IndentedJson.h"

#include <QLocale>

#include <cmath>
#include <utility>

namespace verdaxil {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendEscaped(QByteArray& out, char16_t unit)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHexDigits[unit >> shift & 0xF];
}

// As the document writes a string: the escapes JSON requires, lowercase \u00XX for the
// other control characters, UTF-8 for the rest and \uXXXX for a lone surrogate.
void appendString(QByteArray& out, QStringView text)
{
    out += '"';
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t unit = text[k].unicode();
        if (unit < 0x80) {
            switch (unit) {
            case u'"': out += "\\\""; break;
            case u'\\': out += "\\\\"; break;
            case u'\b': out += "\\b"; break;
            case u'\f': out += "\\f"; break;
            case u'\n': out += "\\n"; break;
            case u'\r': out += "\\r"; break;
            case u'\t': out += "\\t"; break;
            default:
                if (unit < 0x20)
                    appendEscaped(out, unit);
                else
                    out += static_cast<char>(unit);
            }
        } else if (QChar::isHighSurrogate(unit) && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
            const char32_t point = QChar::surrogateToUcs4(unit, text[k + 1].unicode());
            ++k;
            out += static_cast<char>(0xF0 | point >> 18);
            out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (QChar::isSurrogate(unit)) {
            appendEscaped(out, unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | unit >> 6);
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | unit >> 12);
            out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    out += '"';
}

void indent(QByteArray& out, std::size_t depth)
{
    out.append(static_cast<qsizetype>(4 * depth), ' ');
}

} // namespace

void IndentedJson::beforeValue()
{
    if (std::exchange(afterKey_, false) || filled_.empty())
        return;
    // An element of an array.
    out_ += filled_.back() ? ",\n" : "";
    filled_.back() = true;
    indent(out_, filled_.size());
}

void IndentedJson::open(char bracket)
{
    beforeValue();
    out_ += bracket;
    out_ += '\n';
    filled_.push_back(false);
}

void IndentedJson::close(char bracket)
{
    if (filled_.back())
        out_ += '\n';
    filled_.pop_back();
    indent(out_, filled_.size());
    out_ += bracket;
    // The document as a whole ends its line.
    if (filled_.empty())
        out_ += '\n';
}

void IndentedJson::beginObject()
{
    open('{');
}

void IndentedJson::endObject()
{
    close('}');
}

void IndentedJson::beginArray()
{
    open('[');
}

void IndentedJson::endArray()
{
    close(']');
}

void IndentedJson::key(QByteArrayView name)
{
    out_ += filled_.back() ? ",\n" : "";
    filled_.back() = true;
    indent(out_, filled_.size());
    out_ += '"';
    out_ += name;
    out_ += "\": ";
    afterKey_ = true;
}

void IndentedJson::null()
{
    beforeValue();
    out_ += "null";
}

void IndentedJson::boolean(bool value)
{
    beforeValue();
    out_ += value ? "true" : "false";
}

void IndentedJson::integer(qint64 value)
{
    beforeValue();
    out_ += QByteArray::number(value);
}

void IndentedJson::real(double value)
{
    beforeValue();
    out_ += std::isfinite(value) ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest) : QByteArray("null");
}

void IndentedJson::string(QStringView text)
{
    beforeValue();
    appendString(out_, text);
}

void IndentedJson::variant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: return boolean(value.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong: return integer(value.toLongLong());
    case QMetaType::Double: return real(value.toDouble());
    case QMetaType::QString: return string(value.toString());
    default: return null();
    }
}

} // namespace verdaxil
