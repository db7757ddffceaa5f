#include "PageToText.h"

#include <algorithm>

#include "HTMLPars.h"

std::string ConvertPageToText(std::string_view page)
{
    page = page.substr(0, page.find('\0'));
    THTMLParser parser;
    while (!page.empty()) {
        const std::size_t end = page.find_first_of("\r\n");
        parser.Lines.emplace_back(page.substr(0, end));
        if (end == std::string_view::npos)
            break;
        page.remove_prefix(end + (page.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    parser.Parse();

    std::string scanFile;
    for (const THTMLToken& token : parser.Tokens) {
        const auto* text = std::get_if<THTMLText>(&token);
        // Blank: spaces and control characters only.
        if (text && std::any_of(text->Text.begin(), text->Text.end(),
                                [](char c) { return static_cast<unsigned char>(c) > ' '; }))
            scanFile += text->Text + "\r\n";
    }
    return scanFile;
}
