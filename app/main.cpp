// Program entry: the application title comes first, since the settings file is named after it.
#include <QApplication>

#include "mainwebu.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");
    // Lets a Wayland desktop match the window with its desktop entry, and so with its icon.
    QApplication::setDesktopFileName("sollentra");

    TMainForm MainForm;
    MainForm.show();
    return app.exec();
}
