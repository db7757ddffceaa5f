// A fixture that builds the real main window with the modal boxes answered by the test, its WHOIS
// questions and web pages served by loopback servers of the test's own and its browser hand-offs
// recorded.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "HttpTestServer.h"
#include "Modal.h"
#include "WhoisAnswers.h"
#include "WhoisTestServer.h"
#include "mainwebu.h"

inline void WriteText(const QString& fileName, const std::string& bytes)
{
    std::ofstream(fileName.toStdString(), std::ios::binary) << bytes;
}

inline std::string ReadText(const QString& fileName)
{
    std::ostringstream bytes;
    bytes << std::ifstream(fileName.toStdString(), std::ios::binary).rdbuf();
    return bytes.str();
}

inline QStringList Items(const QListView* list)
{
    QStringList items;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        items << model->index(row, 0).data().toString();
    return items;
}

class TMainFormTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        // The program keeps its cache files and scan file in the current folder.
        for (const QString& name :
             QDir().entryList({QStringLiteral("regi*.cnf"), QStringLiteral("scanfile.txt")}))
            QFile::remove(name);
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FHadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", FConfig.path().toLocal8Bit());
        TModal::SetHandler([this](const TModalRequest& request) {
            Shown.push_back(request);
            if (request.Kind == TModalKind::Dialog && OnDialog)
                return OnDialog(*request.Dialog);
            if (Answers.empty())
                return TModalAnswer{};
            TModalAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
        Form = MakeForm();
    }

    void TearDown() override
    {
        Form.reset();
        Server.reset();
        TModal::SetHandler({});
        if (FHadConfig)
            qputenv("XDG_CONFIG_HOME", FOldConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    // A window whose questions go to port on loopback: the fixture's server unless told otherwise.
    std::unique_ptr<TMainForm> MakeForm(uint16_t port = 0, std::unique_ptr<TIcmpTransport> icmp = {})
    {
        TMainFormSetup setup;
        setup.IcmpTransport = std::move(icmp);
        setup.WhoisServers = LoopbackServers(port ? port : Server->Port());
        setup.VersionFileAddress = Web.Base() + "verno.txt";
        setup.OpenUrl = [this](const QUrl& url) {
            Opened << url.toString();
            return true;
        };
        return std::make_unique<TMainForm>(std::move(setup));
    }

    template <class T> T* Find(const char* name) const
    {
        T* control = Form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }

    // Ends the program's window and starts it again, as a user quitting and restarting would.
    void Restart()
    {
        Form.reset();
        Form = MakeForm();
    }

    // Loads a scan file of the given text through "Load &File".
    void LoadFile(const std::string& text)
    {
        WriteText(Folder.filePath("words.txt"), text);
        Answers.push_back({true, Folder.filePath("words.txt")});
        Click("CheckitBtn");
    }

    void Serve(std::vector<TWhoisTestServer::TScript> scripts) { Server->SetScripts(std::move(scripts)); }

    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    QStringList Registered() { return Items(Find<QListView>("LB1")); }
    QStringList Available() { return Items(Find<QListView>("LB2")); }
    // Selects row of a result list as a click would, and gives its index.
    QModelIndex Select(const char* listName, int row)
    {
        auto* list = Find<QListView>(listName);
        const QModelIndex index = list->model()->index(row, 0);
        list->setCurrentIndex(index);
        return index;
    }
    // The texts of the boxes of one kind shown so far.
    QStringList ShownTexts(TModalKind kind) const
    {
        QStringList texts;
        for (const TModalRequest& request : Shown)
            if (request.Kind == kind)
                texts << request.Text;
        return texts;
    }

    std::vector<TModalRequest> Shown;
    std::deque<TModalAnswer> Answers;
    // Answers the program's own dialogs; without it they are answered from Answers like the rest.
    std::function<TModalAnswer(QDialog&)> OnDialog;
    QStringList Opened; // the addresses handed to the browser
    // Until a test serves its own scripts, every question is answered "taken".
    std::unique_ptr<TWhoisTestServer> Server =
        std::make_unique<TWhoisTestServer>(std::vector{TWhoisTestServer::Answer(TakenComAnswer())});
    // Serves the version file of the update check, and pages to load.
    THttpTestServer Web{{THttpTestServer::Reply(200, "2.15\n")}};
    std::unique_ptr<TMainForm> Form;
    QTemporaryDir Folder;

  private:
    QTemporaryDir FConfig;
    QByteArray FOldConfig;
    bool FHadConfig = false;
};
