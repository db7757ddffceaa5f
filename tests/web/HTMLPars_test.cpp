// The HTML tokenizer, case by case.
#include "HTMLPars.h"

#include <gtest/gtest.h>

namespace {

// The tokens of lines as "tag NAME" / "text TEXT".
std::vector<std::string> Tokens(std::vector<std::string> lines)
{
    THTMLParser parser;
    parser.Lines = std::move(lines);
    parser.Parse();
    std::vector<std::string> tokens;
    for (const THTMLToken& token : parser.Tokens) {
        if (const auto* tag = std::get_if<THTMLTag>(&token))
            tokens.push_back("tag " + tag->Name);
        else
            tokens.push_back("text " + std::get<THTMLText>(token).Text);
    }
    return tokens;
}

TEST(THTMLParser, SplitsLinesIntoTagsAndTexts)
{
    const struct
    {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::string> tokens;
    } cases[] = {
        {"a tag across a line end",
         {"x<b>Hello", "World</b>"},
         {"text x", "tag B", "text Hello World", "tag /B"}},
        {"a < that opens no tag", {"a < b", "c > d"}, {"text a ", "tag ", "text  d "}},
        {"a > outside a tag", {"a > b"}, {"tag ", "text a b "}},
        {"a script skipped by lines",
         {"text<script>", "var a = 1;", "</script>more"},
         {"tag /SCRIPT", "text more "}},
        {"a script on one line is text",
         {"a<script>x</script>b"},
         {"text a", "tag SCRIPT", "text x", "tag /SCRIPT", "text b "}},
        {"<SCRIPT inside an attribute, any case, up to a line with </SCRIPT",
         {"<p title='<Scripty'>gone", "next", "</SCRIPT>after"},
         {"tag /SCRIPT", "text after "}},
        {"a comment", {"<!-- x -->"}, {"tag !--"}},
        {"an open tag at the end", {"text <b"}, {"text text ", "tag B"}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokens(c.lines), c.tokens) << c.what;
}

TEST(THTMLParser, KeepsRawTextsAndTagsThatSpanLinesJoinWithNothing)
{
    THTMLParser parser;
    parser.Lines = {"a < b", "c > d"};
    parser.Parse();
    ASSERT_EQ(parser.Tokens.size(), 3u);
    EXPECT_EQ(std::get<THTMLText>(parser.Tokens[0]).Raw, "a ");
    const THTMLTag& tag = std::get<THTMLTag>(parser.Tokens[1]);
    EXPECT_EQ(tag.Raw, " bc ");
    ASSERT_EQ(tag.Params.size(), 1u);
    EXPECT_EQ(tag.Params[0].Name, "BC");
    EXPECT_EQ(std::get<THTMLText>(parser.Tokens[2]).Raw, " d\n");

    parser.Lines = {"more"};
    parser.Parse();
    EXPECT_EQ(parser.Tokens.size(), 4u) << "Parse appends";
}

TEST(THTMLTag, SplitsAttributesAtSpacesOutsideDoubleQuotes)
{
    THTMLTag tag;
    tag.SetText("A HREF=\"my page.htm\" target=_blank");
    EXPECT_EQ(tag.Name, "A");
    ASSERT_EQ(tag.Params.size(), 2u);
    EXPECT_EQ(tag.Params[0].Name, "HREF");
    EXPECT_EQ(tag.Params[0].Value, "my page.htm");
    EXPECT_EQ(tag.Params[0].Raw, "HREF=\"my page.htm\"");
    EXPECT_EQ(tag.Params[1].Name, "TARGET");
    EXPECT_EQ(tag.Params[1].Value, "_blank");

    tag.SetText("img src='a b.gif'");
    ASSERT_EQ(tag.Params.size(), 2u);
    EXPECT_EQ(tag.Params[0].Raw, "src='a");
    EXPECT_EQ(tag.Params[0].Name, "SRC");
    EXPECT_EQ(tag.Params[0].Value, "'a");
    EXPECT_EQ(tag.Params[1].Raw, "b.gif'");
    EXPECT_EQ(tag.Params[1].Name, "B.GIF'");
    EXPECT_EQ(tag.Params[1].Value, "");

    tag.SetText("br   clear=all\tx");
    ASSERT_EQ(tag.Params.size(), 1u) << "runs of spaces give no empty attributes; a tab separates nothing";
    EXPECT_EQ(tag.Params[0].Value, "all\tx");

    THTMLParam param;
    param.SetText("v=\"");
    EXPECT_EQ(param.Value, "\"") << "one quote is no pair";
    param.SetText("v=a=b");
    EXPECT_EQ(param.Value, "a=b");
}

TEST(THTMLText, FoldsSpacesThenDecodesReferencesOneLevel)
{
    const struct
    {
        const char* raw;
        const char* text;
    } cases[] = {
        {"Fish &amp; Chips", "Fish & Chips"},
        {"&amp;lt;", "&lt;"},
        {"&#65;", "A"},
        {"&#x41;", "A"},
        {"&#X41;", "A"},
        {"&#65 x", "Ax"},
        {"&#1234;", "&#1234;"},
        {"&#x100;", "&#x100;"},
        {"&#256;", "&#256;"},
        {"&#-1;", "&#-1;"},
        {"&#;", "&#;"},
        {"&AMP;", "&AMP;"},
        {"&copy x", "&copy x"},
        {"Tom & Jerry", "Tom & Jerry"},
        {"AT&T", "AT&T"},
        {"a&nbsp;&nbsp;b", "a  b"},
        {"&copy;&yuml;", "\xa9\xff"},
        {"&#9;x", " x"},
        {"  a\n\n b  ", " a b "},
        {"a&b&amp;", "a&b&"},
        {"&&amp;", "&&"},
    };
    for (const auto& c : cases) {
        THTMLText text;
        text.SetText(c.raw);
        EXPECT_EQ(text.Text, c.text) << c.raw;
        EXPECT_EQ(text.Raw, c.raw);
    }
}

TEST(EntityTable, HoldsTheMarkupAndLatin1EntitiesInCodeOrder)
{
    EXPECT_EQ(EntityTable[0], (std::pair<std::string_view, std::string_view>{"&quot;", "&#34;"}));
    EXPECT_EQ(EntityTable[3].first, "&gt;");
    EXPECT_EQ(EntityTable[4], (std::pair<std::string_view, std::string_view>{"&nbsp;", "&#160;"}));
    for (std::size_t i = 4; i < EntityTable.size(); ++i)
        EXPECT_EQ(EntityTable[i].second, "&#" + std::to_string(156 + i) + ";") << EntityTable[i].first;
    EXPECT_EQ(EntityTable[99].first, "&yuml;");
    EXPECT_EQ(CharTable[160], ' ');
    EXPECT_EQ(CharTable[32], ' ');
    EXPECT_EQ(CharTable[33], '!');
}

} // namespace
