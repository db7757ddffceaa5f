#include "MRUList.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <stdexcept>

#include "IniCtrl.h"
#include "Modal.h"

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {
QStringList MenuTexts(const TMRUList& list)
{
    QStringList texts;
    for (const QAction* action : list.Menu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction* MenuItem(const TMRUList& list, const QString& text)
{
    for (QAction* action : list.Menu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

std::unique_ptr<TMRUList> Filled(const QStringList& oldestFirst)
{
    auto list = std::make_unique<TMRUList>("Mru1", "LoadFileList");
    for (const QString& text : oldestFirst)
        list->Add(text);
    return list;
}

// Answers every question with answer and keeps the texts asked.
struct TQuestions
{
    explicit TQuestions(bool answer)
    {
        TModal::SetHandler([this, answer](const TModalRequest& request) {
            Asked << request.Text;
            return TModalAnswer{answer, {}};
        });
    }
    ~TQuestions() { TModal::SetHandler({}); }
    QStringList Asked;
};
} // namespace

TEST(MRUListTest, AddKeepsFourMostRecentFirstWithoutDuplicatesInAnyCase)
{
    const struct
    {
        const char* proves;
        QStringList added; // oldest first
        QStringList items;
    } cases[] = {
        {"newest on top", {"a.txt", "b.txt"}, {"b.txt", "a.txt"}},
        {"a case variant moves the entry up, keeping its text",
         {"/home/u/Words.txt", "b.txt", "/HOME/U/words.TXT"},
         {"/home/u/Words.txt", "b.txt"}},
        {"the fifth drops the oldest", {"1", "2", "3", "4", "5"}, {"5", "4", "3", "2"}},
        {"a known entry at the limit drops nothing", {"1", "2", "3", "4", "1"}, {"1", "4", "3", "2"}},
        {"blank texts are ignored", {"", "   ", "a"}, {"a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Filled(c.added)->Items(), c.items) << c.proves;
}

TEST(MRUListTest, MenuShowsNumberedEntriesThenClearOrOnlyDisabledNone)
{
    TMRUList list("Mru2", "LoadWebList");
    EXPECT_EQ(MenuTexts(list), QStringList{"(None)"});
    EXPECT_FALSE(list.Menu()->actions().front()->isEnabled());

    for (const char* text : {"1", "2", "3", "4", "http://x.example/?a=1&b=2"})
        list.Add(text);
    EXPECT_EQ(MenuTexts(list),
              (QStringList{"&1 http://x.example/?a=1&&b=2", "&2 4", "&3 3", "&4 2", "-", "Clear List..."}));
    EXPECT_EQ(MenuItem(list, "Clear List...")->statusTip(), "Clear recent files list");
}

TEST(MRUListTest, ClearListAsksAndEmptiesOnlyOnYes)
{
    for (const bool yes : {false, true}) {
        const auto list = Filled({"a", "b"});
        TQuestions questions(yes);
        MenuItem(*list, "Clear List...")->trigger();
        EXPECT_EQ(questions.Asked, QStringList{"Really clear recent files list?"});
        EXPECT_EQ(list->Items(), yes ? QStringList{} : QStringList({"b", "a"})) << yes;
        EXPECT_EQ(MenuTexts(*list),
                  yes ? QStringList{"(None)"} : QStringList({"&1 b", "&2 a", "-", "Clear List..."}))
            << yes;
    }
}

TEST(MRUListTest, PickingRunsOnClickThenMovesTheEntryUpOrRemovesIt)
{
    const auto list = Filled({"a", "b", "c"});
    QStringList picked;
    bool removeNext = false;
    list->OnClick = [&](const QString& text, bool& remove) {
        EXPECT_FALSE(remove);
        picked << text;
        // The handler still sees the list as it was before the pick.
        EXPECT_EQ(list->Items().front(), "c");
        remove = removeNext;
    };

    MenuItem(*list, "&3 a")->trigger();
    EXPECT_EQ(picked, QStringList{"a"});
    EXPECT_EQ(list->Items(), (QStringList{"a", "c", "b"}));

    list->Add("c");
    removeNext = true;
    list->Choose(2);
    EXPECT_EQ(picked, (QStringList{"a", "b"}));
    EXPECT_EQ(list->Items(), (QStringList{"c", "a"}));
    QCoreApplication::processEvents(); // releases the menu items replaced from inside their own handler
}

TEST(MRUListTest, FailingPickShowsTheErrorAndLeavesTheListAsItWas)
{
    const auto list = Filled({"missing.txt", "b"});
    list->OnClick = [](const QString& text, bool&) {
        throw std::runtime_error("Cannot read " + text.toStdString());
    };
    QStringList errors;
    TModal::SetHandler([&](const TModalRequest& request) {
        errors << request.Text;
        return TModalAnswer{};
    });
    MenuItem(*list, "&2 missing.txt")->trigger();
    TModal::SetHandler({});
    EXPECT_EQ(errors, QStringList{"Cannot read missing.txt."});
    EXPECT_EQ(list->Items(), (QStringList{"b", "missing.txt"}));
}

TEST(MRUListTest, ListsRoundTripThroughTheStoreInTheirOwnSections)
{
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool hadSaved = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    const auto files = Filled({"/tmp/a.txt", "/tmp/b.txt"});
    TMRUList pages("Mru2", "LoadWebList");
    pages.Add("http://www.example.com/");
    files->Save();
    pages.Save();
    EXPECT_EQ(TIniCtrl::Global().ReadStrings("LoadFileList", "H", 4),
              (QStringList{"/tmp/b.txt", "/tmp/a.txt"}));

    TMRUList filesAgain("Mru1", "LoadFileList");
    filesAgain.Load();
    TMRUList pagesAgain("Mru2", "LoadWebList");
    pagesAgain.Load();
    EXPECT_EQ(filesAgain.Items(), files->Items());
    EXPECT_EQ(pagesAgain.Items(), pages.Items());
    EXPECT_EQ(MenuTexts(filesAgain).front(), "&1 /tmp/b.txt");

    // An emptied list leaves nothing behind to be loaded again.
    TMRUList empty("Mru1", "LoadFileList");
    empty.Save();
    filesAgain.Load();
    EXPECT_TRUE(filesAgain.Items().isEmpty());

    if (hadSaved)
        qputenv("XDG_CONFIG_HOME", saved);
    else
        qunsetenv("XDG_CONFIG_HOME");
}
