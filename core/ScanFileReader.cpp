// Streaming line reader for scan files and cache files.
#include "ScanFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;
constexpr char EndOfFileMark = 26;

} // namespace

TScanFileReader::TScanFileReader(const std::string& fileName)
    : FFileName(fileName), FFile(std::fopen(fileName.c_str(), "rb")), FBuffer(BlockSize)
{
    if (!FFile) {
        throw std::runtime_error("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    }
}

bool TScanFileReader::FillBuffer()
{
    FPos = 0;
    FEnd = std::fread(FBuffer.data(), 1, FBuffer.size(), FFile.get());
    if (FEnd == 0 && std::ferror(FFile.get())) {
        throw std::runtime_error("Cannot read file \"" + FFileName + "\": " + std::strerror(errno));
    }
    return FEnd > 0;
}

bool TScanFileReader::ReadLine(std::string& line)
{
    line.clear();
    bool consumed = false;
    while (!FAtEnd) {
        if (FPos == FEnd && !FillBuffer()) {
            FAtEnd = true;
            break;
        }
        const char* const block = FBuffer.data();
        const std::size_t limit = std::min(FEnd, FPos + (TScanFileReader::MaxLineBytes - line.size()));
        std::size_t stop = FPos;
        while (stop < limit && block[stop] != '\n' && block[stop] != '\r' && block[stop] != EndOfFileMark) {
            ++stop;
        }
        line.append(block + FPos, stop - FPos);
        consumed = consumed || stop > FPos;
        FPos = stop;
        if (line.size() == TScanFileReader::MaxLineBytes) {
            return true;
        }
        if (stop == FEnd) {
            continue;
        }
        const char mark = block[FPos++];
        if (mark == '\n') {
            return true;
        }
        if (mark == EndOfFileMark) {
            FAtEnd = true;
            break;
        }
        // A CR is dropped whether or not an LF follows: the LF, when there is one, ends the line.
        consumed = true;
    }
    return consumed;
}

std::size_t TScanFileReader::CountLines(const std::string& fileName)
{
    TScanFileReader reader(fileName);
    std::string line;
    std::size_t count = 0;
    while (reader.ReadLine(line)) {
        ++count;
    }
    return count;
}
