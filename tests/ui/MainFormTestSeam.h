// A fixture that builds the real main window with the modal boxes answered by the test.
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

#include "MainFormSeam.h"
#include "Modal.h"
#include "mainwebu.h"

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
