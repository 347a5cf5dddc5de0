#include "runtime/ErrorText.h"

namespace verdaxil {

QString errorBoxText(const QString& message)
{
    // Every character outside ASCII is above "." whatever its byte form, so the
    // last UTF-16 unit decides it exactly as the last code page 936 byte would.
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

} // namespace verdaxil
