#pragma once

#include <QByteArray>
#include <QString>

namespace verdaxil {

// The quote terminal counts and steps texts as code page 936 (GBK) bytes:
// a Latin letter or digit is one byte, a Chinese character two.
QByteArray toCodePage936(const QString& text);
QString fromCodePage936(const QByteArray& bytes);
qsizetype codePage936Length(const QString& text);

} // namespace verdaxil
