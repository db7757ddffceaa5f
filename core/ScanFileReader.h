// Streaming line reader for scan files and cache files: plain 8-bit text read in fixed-size blocks,
// so a file of any size costs one block plus the longest line in memory.
//
// A line ends at LF or CR LF; a CR not followed by LF is dropped; byte 26 (Ctrl-Z) ends the file;
// a last line without a line end still counts. A line longer than MaxLineBytes goes on as the next
// line, so memory stays bounded whatever the file holds (a word across the cut is cut in two).
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TScanFileReader
{
  public:
    static constexpr std::size_t MaxLineBytes = 1024 * 1024;

    // Opens fileName for reading; throws std::runtime_error naming the file when it cannot be opened.
    explicit TScanFileReader(const std::string& fileName);

    // Puts the next line, without its line end, into line; false at the end of the file.
    // Throws std::runtime_error naming the file on a read error.
    bool ReadLine(std::string& line);

    // The number of lines ReadLine would give for fileName.
    static std::size_t CountLines(const std::string& fileName);

  private:
    struct TFileCloser
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool FillBuffer();

    std::string FFileName;
    std::unique_ptr<std::FILE, TFileCloser> FFile;
    std::vector<char> FBuffer;
    std::size_t FPos = 0;
    std::size_t FEnd = 0;
    bool FAtEnd = false;
};
