// Program entry: the application title comes first, since the settings file is named after it.
#include <QApplication>

#include "mainwebu.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");

    TMainForm MainForm;
    MainForm.show();
    return app.exec();
}
