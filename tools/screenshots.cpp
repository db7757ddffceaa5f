// Pictures of the main window, the Options dialog and the about box as the program draws them,
// for checking the layout by eye.
//   screenshots FOLDER      writes mainform.png, options.png and about.png into FOLDER
// Run it through tools/screenshots.sh, which starts it on a virtual X display.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <iostream>

#include "aboutu.h"
#include "mainwebu.h"
#include "optionu.h"

namespace {
bool Save(QWidget& window, const QDir& folder, const char* name)
{
    window.show();
    QApplication::processEvents();
    const QString path = folder.filePath(QLatin1String(name));
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "wrote " : "cannot write ") << path.toStdString() << '\n';
    window.hide();
    return saved;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");
    if (argc != 2) {
        std::cerr << "usage: screenshots FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::cerr << "cannot make " << argv[1] << '\n';
        return 1;
    }
    // The pictures show the first start, whatever the user running this has stored.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());

    TMainForm mainForm;
    TAboutBox aboutBox(&mainForm);
    const bool saved = Save(mainForm, folder, "mainform.png") && Save(mainForm.OptForm(), folder, "options.png") &&
                       Save(aboutBox, folder, "about.png");
    return saved ? 0 : 1;
}
