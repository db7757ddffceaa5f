// The scan-file line reader against a model of its rules: lines end at LF or CR LF, a lone CR is
// dropped, Ctrl-Z ends the file, a last line without a line end counts, and a line that reaches
// the limit ends there. CountLines must agree with ReadLine.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ScanFileReader.h"

namespace {
std::vector<std::string> ModelLines(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\x1a'));
    std::vector<std::string> lines;
    std::string line;
    bool open = false; // a line has begun that no line end has closed
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            continue;
        }
        open = true;
        if (c == '\r')
            continue;
        line += c;
        // A line that reaches the limit ends there; what follows, even a line end, is the next line.
        if (line.size() == TScanFileReader::MaxLineBytes) {
            lines.push_back(line);
            line.clear();
            open = false;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = WriteFuzzFile("scanfile.txt", bytes);

    std::vector<std::string> lines;
    TScanFileReader reader(path);
    for (std::string line; reader.ReadLine(line);)
        lines.push_back(line);

    FUZZ_CHECK(lines == ModelLines(bytes));
    FUZZ_CHECK(TScanFileReader::CountLines(path) == lines.size());
    return 0;
}
