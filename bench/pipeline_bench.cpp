// Throughput of the candidate pipeline over a whole scan file: read lines, split them into words and
// clean each word, once with the one-pass field walk and once with WordAt(line, n) per field.
//
// Usage: pipeline_bench [megabytes, default 64]
#include "Candidates.h"
#include "ScanFileReader.h"
#include "myutils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

// Text in the shape of ordinary prose: words of 1 to 12 bytes, some capitalised, some with digits,
// hyphens, possessives, punctuation or accented bytes, 6 to 20 words a line.
void WriteText(const std::string& fileName, std::size_t bytes)
{
    std::mt19937 random(2024);
    const std::string letters = "etaoinshrdlcumwfgypbvkjxqz";
    const char* extras[] = {"", "", "", "", "'s", ",", ".", "-go", "2", "\xc3\xa9", "\"", ";"};
    std::ofstream out(fileName, std::ios::binary);
    std::size_t written = 0;
    std::string line;
    while (written < bytes) {
        line.clear();
        const int words = 6 + static_cast<int>(random() % 15);
        for (int w = 0; w < words; ++w) {
            if (w > 0) {
                line.push_back(' ');
            }
            const int length = 1 + static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i) {
                line.push_back(letters[std::min(random() % 26, random() % 26)]);
            }
            if (random() % 8 == 0) {
                line[line.size() - length] = static_cast<char>(line[line.size() - length] - ('a' - 'A'));
            }
            line += extras[random() % std::size(extras)];
        }
        line += "\r\n";
        out << line;
        written += line.size();
    }
}

struct TTally
{
    std::size_t Candidates = 0;
    std::size_t CandidateBytes = 0;
};

template <typename TSplitLine>
double MegabytesPerSecond(const std::string& fileName, TSplitLine splitLine, TTally& tally)
{
    const TCharSet allowed = AllowedChars(true, true);
    const auto bytes = static_cast<double>(std::filesystem::file_size(fileName));
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        tally = {};
        const auto start = std::chrono::steady_clock::now();
        TScanFileReader reader(fileName);
        std::string line;
        while (reader.ReadLine(line)) {
            splitLine(line, [&](const std::string& word) {
                const std::string name = CleanCandidate(word, allowed);
                ++tally.Candidates;
                tally.CandidateBytes += name.size();
            });
        }
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        best = std::max(best, bytes / (1024.0 * 1024.0) / seconds.count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sollentra-pipeline-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string fileName = (folder / "scanfile.txt").string();
    WriteText(fileName, megabytes * 1024 * 1024);
    WordDelimiter = ' ';

    TTally walked;
    const double walkRate = MegabytesPerSecond(
        fileName,
        [](const std::string& line, auto&& take) {
            TFieldWalker walker(line);
            std::string word;
            while (walker.Next(word)) {
                take(word);
            }
        },
        walked);
    TTally perField;
    const double wordAtRate = MegabytesPerSecond(
        fileName,
        [](const std::string& line, auto&& take) {
            for (int n = 1;; ++n) {
                const std::string word = WordAt(line, n);
                if (word.empty()) {
                    break;
                }
                take(word);
            }
        },
        perField);
    std::filesystem::remove_all(folder);

    std::printf("pipeline_input_mb: %zu\n", megabytes);
    std::printf("pipeline_candidates: %zu\n", walked.Candidates);
    std::printf("pipeline_mb_per_s: %.1f\n", walkRate);
    std::printf("pipeline_wordat_mb_per_s: %.1f\n", wordAtRate);
    if (walked.Candidates != perField.Candidates || walked.CandidateBytes != perField.CandidateBytes) {
        std::printf("pipeline_error: the two splits disagree\n");
        return 1;
    }
    return 0;
}
