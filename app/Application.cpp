#include "app/Application.h"

#include "app/HandlerGuard.h"
#include "app/UnitAbout.h"
#include "app/UnitCodeError.h"
#include "app/UnitMain.h"
#include "runtime/ApplicationIdentity.h"
#include "runtime/OutputFile.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace verdaxil {

namespace {

// Qt's own texts (the buttons of message boxes) in Simplified Chinese, as the rest of
// the window is, whatever the desktop's language.
void loadQtTranslations(QApplication& application, QTranslator& translator)
{
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&translator);
}

} // namespace

int runApplication(int argc, char** argv)
{
    QApplication application(argc, argv);
    ignoreFileSizeSignal();
    QTranslator qtTranslator;
    runGuarded([&] {
        setApplicationIdentity();
        // The desktop entry's name, so that a desktop ties the window to its entry.
        QGuiApplication::setDesktopFileName(QStringLiteral("org.verdaxil.Verdaxil"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/verdaxil.xpm")));
        loadQtTranslations(application, qtTranslator);
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
