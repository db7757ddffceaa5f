// A page reduced to the scan file's lines, and the update check's decision.
#include "PageToText.h"
#include "UpdateCheck.h"

#include <gtest/gtest.h>

TEST(ConvertPageToText, KeepsOneLinePerRunOfTextThatIsNotBlank)
{
    using namespace std::string_literals;
    const struct
    {
        const char* what;
        std::string page;
        std::string scanFile;
    } cases[] = {
        {"text before the first tag", "Intro text<p>para</p>", "Intro text\r\npara\r\n"},
        {"plain text: one line, its line ends folded", "one\r\ntwo\nthree\rfour", "one two three four \r\n"},
        {"only tags", "<html><body></body></html>", ""},
        {"blank runs between tags", "<p> </p>\r\n<p>\t</p>", ""},
        {"a script of several lines", "before<script>\r\nvar a;\r\n</script>after", "after \r\n"},
        {"references", "Fish &amp; Chips&nbsp;Ltd", "Fish & Chips Ltd \r\n"},
        {"a NUL ends the page", "kept\0gone"s, "kept \r\n"},
        {"an empty page", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertPageToText(c.page), c.scanFile) << c.what;
}

TEST(UpdateQuestionNeeded, AsksWhenTheFirstLineLacksTheVersion)
{
    const struct
    {
        const char* text;
        bool ask;
    } cases[] = {
        {"2.15", false},   {"Version 2.15 beta\r\nmore", false},
        {"12.150", false}, {"2.16\n2.15", true},
        {"\n2.15", true},  {"2.1.5", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpdateQuestionNeeded(c.text), c.ask) << c.text;
}

TEST(UpdateCheck, TheAddressesAreOnTheMakersSite)
{
    EXPECT_EQ(VersionFileAddress(), "http://www.kavimor.example/verno.txt");
    EXPECT_EQ(DownloadPageAddress(), "http://www.kavimor.example/download.htm");
    EXPECT_EQ(MakerWebAddress(), "http://www.kavimor.example");
}
