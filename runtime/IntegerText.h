#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace verdaxil {

// The failure of a text-to-integer conversion. Its message is shown to the user
// through the error box, so it carries the whole offending text.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);

    // The message as a Qt string: what() is a C string, which a NUL in the text cuts.
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Leading spaces, then either a signed decimal number within 32 bits or a hexadecimal
// number introduced by "$", "x", "X", "0x" or "0X" with 1 to 8 digits, whose 32 bits are
// taken as a signed value. Anything else throws ConversionError.
std::int32_t textToInt(const QString& text);

QString intToText(std::int64_t value);

} // namespace verdaxil
