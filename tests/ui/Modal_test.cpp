#include "Modal.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

TEST(ModalTest, ErrorTextEndsWithFullStopOnlyAfterCharactersSortingAboveIt)
{
    const struct
    {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Cannot open file \"a.txt\"", "Cannot open file \"a.txt\""},
        {"Failed to set data for 'Active'", "Failed to set data for 'Active'"},
        {"Disk full", "Disk full."},
        {"Done.", "Done."},
        {"Really!", "Really!"},
        {"Path /", "Path /."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TModal::ErrorText(c.text), c.shown) << c.text;
}

TEST(ModalTest, FileFilterBecomesQtFilterWithEveryFileMatchingStar)
{
    EXPECT_EQ(TModal::QtFilter("Text files (*.txt)|*.txt|ASCII files|*.asc|All files (*.*)|*.*"),
              "Text files (*.txt);;ASCII files (*.asc);;All files (*)");
}

TEST(ModalTest, HandlerSeesEveryRequestAndAnswersIt)
{
    std::vector<TModalRequest> seen;
    TModal::SetHandler([&](const TModalRequest& request) {
        seen.push_back(request);
        return TModalAnswer{request.Kind != TModalKind::Question, "/tmp/chosen.txt"};
    });
    TModal::Information(nullptr, "Note");
    EXPECT_FALSE(TModal::Question(nullptr, "Sure?"));
    Guarded([] { throw std::runtime_error("Disk full"); });
    EXPECT_EQ(TModal::OpenFileName(nullptr, "Open", "All files (*.*)|*.*", "txt"), "/tmp/chosen.txt");
    TModal::SetHandler({});

    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].Kind, TModalKind::Information);
    EXPECT_EQ(seen[0].Caption, "Sollentra");
    EXPECT_EQ(seen[1].Text, "Sure?");
    EXPECT_EQ(seen[2].Kind, TModalKind::Error);
    EXPECT_EQ(seen[2].Text, "Disk full.");
    EXPECT_EQ(seen[3].Caption, "Open");
    EXPECT_EQ(seen[3].DefaultSuffix, "txt");
}
