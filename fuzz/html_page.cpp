// A web page through the HTML tokenizer and the page-to-text step that feeds the scan file: tag names
// come out in upper case, and the scan file holds only lines of text, each ended by CR LF, never
// longer than the page they came from allows (decoding a reference only ever shortens it).
#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "FuzzSupport.h"
#include "HTMLPars.h"
#include "PageToText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view page(reinterpret_cast<const char*>(data), size);

    THTMLParser parser;
    for (std::size_t start = 0; start <= page.size();) {
        const std::size_t end = std::min(page.find('\n', start), page.size());
        parser.Lines.emplace_back(page.substr(start, end - start));
        start = end + 1;
    }
    parser.Parse();
    for (const THTMLToken& token : parser.Tokens)
        if (const auto* tag = std::get_if<THTMLTag>(&token)) {
            for (const char c : tag->Name)
                FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
        }

    const std::string text = ConvertPageToText(page);
    FUZZ_CHECK(text.empty() || text.ends_with("\r\n"));
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    // At worst the page's bytes, a space for its last line's end, and a CR LF per token.
    FUZZ_CHECK(text.size() <= 3 * page.size() + 1);
    return 0;
}
