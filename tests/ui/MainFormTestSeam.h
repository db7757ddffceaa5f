// Test access to the main window: points its WHOIS client at a loopback server, and a fixture that
// builds the real window with the modal boxes answered by the test.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Modal.h"
#include "mainwebu.h"

struct TMainFormTestSeam
{
    static void UseWhoisServer(TMainForm& form, uint16_t port)
    {
        form.FTestWhoisServer = QStringLiteral("127.0.0.1");
        form.WhoisClient1.Port = port;
    }
};

// A .com answer the way the registry frames it: trimming leaves exactly body and the final LF.
inline std::string ComAnswer(const std::string& body)
{
    return std::string(195, 'h') + body + std::string(85, 'f') + "\n";
}
inline std::string FreeComAnswer() { return ComAnswer("  No match."); }
inline std::string TakenComAnswer() { return ComAnswer("  Domain Name: TAKEN"); }

class TMainFormTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        // The program keeps its cache files and scan file in the current folder.
        for (const QString& name : QDir().entryList({QStringLiteral("regi*.cnf"), QStringLiteral("scanfile.txt")}))
            QFile::remove(name);
        qputenv("XDG_CONFIG_HOME", FConfig.path().toLocal8Bit());
        TModal::SetHandler([this](const TModalRequest& request) {
            Shown.push_back(request);
            if (Answers.empty())
                return TModalAnswer{};
            TModalAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
        Form = std::make_unique<TMainForm>();
    }

    void TearDown() override
    {
        Form.reset();
        TModal::SetHandler({});
    }

    template <class T> T* Find(const char* name) const
    {
        T* control = Form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }

    std::vector<TModalRequest> Shown;
    std::deque<TModalAnswer> Answers;
    std::unique_ptr<TMainForm> Form;

  private:
    QTemporaryDir FConfig;
};
