// Program entry: sets the application title and shows the main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");

    QMainWindow window;
    window.setWindowTitle("Sollentra");
    window.resize(640, 480);
    window.show();
    return app.exec();
}
