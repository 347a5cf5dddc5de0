#include "runtime/ApplicationIdentity.h"

#include <QCoreApplication>

namespace verdaxil {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VERDAXIL_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Verdaxil"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("verdaxil.org"));
}

} // namespace verdaxil
