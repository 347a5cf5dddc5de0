#pragma once

#include <QByteArray>

namespace verdaxil {

// The previous and next code as a six-position decimal odometer on the code page 936
// bytes of the code box: "0" borrows and "9" carries into the position on the left,
// wrapping 000000 to 999999 and back; any other byte moves by one in its value and
// ends the step. Bytes after the sixth stay as they are. A text shorter than six
// bytes steps the bytes it has, its last byte being the rightmost position.
QByteArray previousCode(QByteArray code);
QByteArray nextCode(QByteArray code);

} // namespace verdaxil
