#include "app/HandlerGuard.h"

#include "runtime/ApplicationIdentity.h"
#include "runtime/ErrorText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace verdaxil {

void showErrorBox(const QString& message)
{
    const QPointer<QWidget> activeBefore = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationName), errorBoxText(message), QMessageBox::Ok,
                    activeBefore);
    box.exec();
    // Not every window manager hands the activation back once the box is gone.
    if (activeBefore)
        activeBefore->activateWindow();
}

} // namespace verdaxil
