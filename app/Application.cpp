#include "app/Application.h"

#include "app/HandlerGuard.h"
#include "app/UnitAbout.h"
#include "app/UnitCodeError.h"
#include "app/UnitMain.h"

#include <QApplication>
#include <QIcon>

namespace verdaxil {

int runApplication(int argc, char** argv)
{
    QApplication application(argc, argv);
    runGuarded([&] {
        QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/verdaxil.xpm")));
        TFormMain formMain;
        // Neither dialog is ever shown; they exist for the program's whole run.
        TOKBottomDlg okBottomDlg;
        TAboutBox aboutBox;
        // Showing activates the main window, which runs the first query.
        formMain.show();
        formMain.activateWindow();
        QApplication::exec();
    });
    return 0;
}

} // namespace verdaxil
