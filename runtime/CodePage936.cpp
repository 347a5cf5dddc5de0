#include "runtime/CodePage936.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <stdexcept>

namespace verdaxil {

namespace {

constexpr const char* kCodec = "GBK";

[[noreturn]] void codecMissing()
{
    throw std::runtime_error("This Qt build cannot convert code page 936 (GBK) text");
}

} // namespace

QByteArray toCodePage936(const QString& text)
{
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid())
        codecMissing();
    return encoder.encode(text);
}

QString fromCodePage936(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodec);
    if (!decoder.isValid())
        codecMissing();
    return decoder.decode(bytes);
}

qsizetype codePage936Length(const QString& text)
{
    return toCodePage936(text).size();
}

} // namespace verdaxil
