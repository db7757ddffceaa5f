// Pictures of the main window, the Options dialog, the about box and the web address dialog as the
// program draws them, and of the main window after a page from a loopback server has loaded, for
// checking the layout by eye.
//   screenshots FOLDER      writes mainform.png, options.png, about.png, getinput.png and
//                           mainform-web.png into FOLDER
// Run it through tools/screenshots.sh, which starts it on a virtual X display.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <iostream>

#include "HttpTestServer.h"
#include "MRUList.h"
#include "aboutu.h"
#include "getinput.h"
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

    THttpTestServer web({THttpTestServer::Reply(200, "<html><body><h1>Garden tools</h1><p>Spades, rakes "
                                                     "&amp; hoes</p><p>Watering cans</p></body></html>")});
    TMainFormSetup setup;
    setup.VersionFileAddress = web.Base() + "verno.txt";
    TMainForm mainForm(std::move(setup));
    TAboutBox aboutBox(&mainForm);
    TGinp addressDialog(&mainForm);
    bool saved = Save(mainForm, folder, "mainform.png") && Save(mainForm.OptForm(), folder, "options.png") &&
                 Save(aboutBox, folder, "about.png") && Save(addressDialog, folder, "getinput.png");

    mainForm.show();
    mainForm.WebList().Add(QString::fromStdString(web.Base() + "garden.htm"));
    mainForm.WebList().Choose(0);
    while (mainForm.Activity() == TActivity::WebLoad)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    saved = saved && Save(mainForm, folder, "mainform-web.png");
    return saved ? 0 : 1;
}
