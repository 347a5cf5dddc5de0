#include "app/CodeStepping.h"

#include <algorithm>

namespace verdaxil {

namespace {

constexpr qsizetype kPositions = 6;

QByteArray step(QByteArray code, char wrapsFrom, char wrapsTo, int delta)
{
    for (qsizetype position = std::min(code.size(), kPositions) - 1; position >= 0; --position) {
        if (code[position] == wrapsFrom) {
            code[position] = wrapsTo;
            continue;
        }
        code[position] = static_cast<char>(static_cast<unsigned char>(code[position]) + delta);
        break;
    }
    return code;
}

} // namespace

QByteArray previousCode(QByteArray code)
{
    return step(std::move(code), '0', '9', -1);
}

QByteArray nextCode(QByteArray code)
{
    return step(std::move(code), '9', '0', +1);
}

} // namespace verdaxil
