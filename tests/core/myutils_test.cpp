// Word splitting, trimming and unscrambling.
#include "myutils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class WithDelimiter : public testing::Test
{
  protected:
    void TearDown() override { WordDelimiter.reset(); }
};

struct TWordCase
{
    const char* Line;
    int N;
    const char* Expected;
};

TEST_F(WithDelimiter, WordAtGivesTheTextBetweenDelimiters)
{
    WordDelimiter = ' ';
    const TWordCase cases[] = {
        {"alpha beta gamma", 1, "alpha"},
        {"alpha beta gamma", 3, "gamma"},
        {"alpha beta gamma", 4, ""},
        {"alpha beta gamma", 0, ""},
        {"alpha  beta", 2, ""}, // two delimiters in a row make an empty field
        {"alpha  beta", 3, "beta"},
        {" alpha", 1, ""},
        {" alpha", 2, "alpha"},
        {"", 1, ""},
        {"alpha ", 2, ""},
        {"say \"hello\" now", 2, ""}, // the space and the opening quote are two delimiters
        {"say \"hello\" now", 3, "hello"},
        {"\"hello\"", 1, ""},
        {"one\rtwo\nthree", 2, "two"},
        {"one\r\ntwo", 3, "two"},
        {"tab\tbed word", 1, "tab\tbed"},
    };
    for (const TWordCase& c : cases) {
        EXPECT_EQ(WordAt(c.Line, c.N), c.Expected) << "line \"" << c.Line << "\", field " << c.N;
    }
}

TEST_F(WithDelimiter, WithoutDelimiterTheWholeLineIsTheOnlyField)
{
    EXPECT_EQ(WordAt("  two words \"quoted\"\r", 1), "two words  quoted");
    EXPECT_EQ(WordAt("two words", 2), "");
}

TEST_F(WithDelimiter, QuotesAndLineEndsBecomeSpacesInsideOtherDelimitersFields)
{
    WordDelimiter = ',';
    EXPECT_EQ(WordAt("a \"b\",c", 1), "a  b");
    EXPECT_EQ(WordAt("a \"b\",c", 2), "c");
    EXPECT_EQ(WordAt(" , x", 1), "");
}

std::vector<std::string> WalkedWords(std::string_view line)
{
    std::vector<std::string> words;
    TFieldWalker walker(line);
    std::string word;
    while (walker.Next(word)) {
        words.push_back(word);
    }
    EXPECT_FALSE(walker.Next(word)) << "the walk must stay ended";
    return words;
}

std::vector<std::string> WordAtWords(std::string_view line)
{
    std::vector<std::string> words;
    for (int n = 1; !WordAt(line, n).empty(); ++n) {
        words.push_back(WordAt(line, n));
    }
    return words;
}

TEST_F(WithDelimiter, FieldWalkerGivesWordAtsWordsUpToTheFirstEmptyField)
{
    const char* lines[] = {
        "alpha beta gamma", "alpha  beta gamma",    " alpha", "",   "alpha ", "say \"hello\" now",
        "\"x\" y",          "one\rtwo\nthree four", "a,b c",  "  ",
    };
    for (const std::optional<char> delimiter :
         {std::optional<char>(' '), std::optional<char>(','), std::optional<char>()}) {
        WordDelimiter = delimiter;
        for (const char* line : lines) {
            EXPECT_EQ(WalkedWords(line), WordAtWords(line)) << "line \"" << line << "\"";
        }
    }
}

TEST(TrimSpaces, RemovesOnlyLeadingAndTrailingSpaces)
{
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces(" "), "");
    EXPECT_EQ(TrimSpaces("\ta\t "), "\ta\t");
}

TEST(Unscramble, DropsDigitsAndBars)
{
    EXPECT_EQ(Unscramble("f1i2r|e3f4o5x"), "firefox");
    EXPECT_EQ(Unscramble("0123456789|"), "");
    EXPECT_EQ(Unscramble("plain text."), "plain text.");
}

} // namespace
