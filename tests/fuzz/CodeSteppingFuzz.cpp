// Stepping the code box's bytes. Six-digit codes behave as numbers modulo 10^6; any
// text keeps its size and the bytes after the sixth. The text is the fuzzer's own
// buffer, unshared, so a read past its end is one the address sanitizer sees.
#include "FuzzChecks.h"

#include "app/CodeStepping.h"

#include <algorithm>
#include <optional>

namespace verdaxil::fuzz {

namespace {

constexpr qsizetype kPositions = 6;
constexpr int kCodes = 1000000;

std::optional<int> sixDigitValue(const QByteArray& text)
{
    if (text.size() < kPositions)
        return std::nullopt;
    const QByteArray digits = text.first(kPositions);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return digits.toInt();
}

QByteArray withValue(const QByteArray& text, int value)
{
    return QByteArray::number(value).rightJustified(kPositions, '0') + text.mid(kPositions);
}

} // namespace

void checkCodeSteppingInput(Input input)
{
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char*>(input.data()), static_cast<qsizetype>(input.size()));
    const QByteArray next = nextCode(text);
    const QByteArray previous = previousCode(text);
    for (const QByteArray& stepped : {next, previous}) {
        require(stepped.size() == text.size(), "a step keeps the size");
        require(stepped.mid(kPositions) == text.mid(kPositions), "a step keeps the bytes after the sixth");
    }
    if (const std::optional<int> value = sixDigitValue(text)) {
        require(next == withValue(text, (*value + 1) % kCodes), "the next code is one more, 999999 wrapping to 0");
        require(previous == withValue(text, (*value + kCodes - 1) % kCodes), "the previous code is one less");
        require(previousCode(next) == text && nextCode(previous) == text, "a step up and one down are no step");
    }
}

} // namespace verdaxil::fuzz
