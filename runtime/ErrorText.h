#pragma once

#include <QString>

namespace verdaxil {

// The text the error box shows for an exception's message: a full stop is added
// when the message ends in a character that sorts above "." (every character of
// two bytes in code page 936 does): "…value" and "…信息" get one, "…!" and "…." do not.
QString errorBoxText(const QString& message);

} // namespace verdaxil
