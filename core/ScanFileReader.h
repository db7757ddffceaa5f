// Streaming line reader for scan files and cache files: plain 8-bit text read in fixed-size blocks,
// so a file of any size costs one block plus the longest line in memory.
//
// A line ends at LF or CR LF; a CR not followed by LF is dropped; byte 26 (Ctrl-Z) ends the file;
// a last line without a line end still counts.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TScanFileReader
{
  public:
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
