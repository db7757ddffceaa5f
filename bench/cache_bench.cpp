// Cost of the WHOIS cache against a plain case-insensitive std::unordered_set doing the same work:
// load a cache file, look names up (half of them present), save it; seconds and peak heap per phase.
// Then a cache file of 65,536 names that share one hash, against one of 65,536 ordinary names.
//
// Usage: cache_bench [names, default 1000000] [lookups, default 1000000]
#include "CrcForge.h"
#include "ScanFileReader.h"
#include "lookupw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include <unistd.h>

// Heap accounting for the peak-memory figures: every allocation carries its size in a header.
namespace {

std::size_t LiveBytes = 0;
std::size_t PeakBytes = 0;
constexpr std::size_t HeaderSize = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + HeaderSize));
    if (!block) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    LiveBytes += size;
    PeakBytes = std::max(PeakBytes, LiveBytes);
    return block + HeaderSize;
}

void Release(void* memory) noexcept
{
    if (memory) {
        unsigned char* block = static_cast<unsigned char*>(memory) - HeaderSize;
        LiveBytes -= *reinterpret_cast<std::size_t*>(block);
        std::free(block);
    }
}

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    Release(memory);
}
void operator delete[](void* memory) noexcept
{
    Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    Release(memory);
}

namespace {

unsigned char UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

struct TCaseInsensitiveHash
{
    std::size_t operator()(const std::string& key) const
    {
        std::size_t hash = 14695981039346656037ull; // FNV-1a
        for (const char c : key) {
            hash = (hash ^ UpperAscii(c)) * 1099511628211ull;
        }
        return hash;
    }
};

struct TCaseInsensitiveEqual
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return UpperAscii(x) == UpperAscii(y);
               });
    }
};

using TNameSet = std::unordered_set<std::string, TCaseInsensitiveHash, TCaseInsensitiveEqual>;

struct TPhase
{
    double Seconds;
    double PeakMegabytes; // above what was live before the structure was built
};

TPhase Measure(std::size_t baseline, const std::function<void()>& work)
{
    PeakBytes = LiveBytes;
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return {seconds.count(), static_cast<double>(PeakBytes - baseline) / (1024.0 * 1024.0)};
}

std::string RandomName(std::mt19937& random, std::size_t serial)
{
    std::string name;
    const int letters = 3 + static_cast<int>(random() % 8);
    for (int i = 0; i < letters; ++i) {
        name.push_back(static_cast<char>((random() % 8 == 0 ? 'A' : 'a') + random() % 26));
    }
    // The serial keeps the names distinct.
    for (; serial > 0; serial /= 36) {
        name.push_back("0123456789abcdefghijklmnopqrstuvwxyz"[serial % 36]);
    }
    return name;
}

struct TInput
{
    std::vector<std::string> Lookups;
    std::size_t Present = 0;
};

TInput MakeInput(const std::string& cacheFile, std::size_t names, std::size_t lookups)
{
    std::mt19937 random(7);
    std::vector<std::string> stored;
    stored.reserve(names);
    {
        std::ofstream out(cacheFile, std::ios::binary);
        for (std::size_t i = 0; i < names; ++i) {
            stored.push_back(RandomName(random, i + 1));
            out << stored.back() << "\r\n";
        }
    }
    TInput input;
    input.Lookups.reserve(lookups);
    for (std::size_t i = 0; i < lookups; ++i) {
        if (i % 2 == 0 && !stored.empty()) {
            std::string name = stored[random() % stored.size()];
            name[0] = static_cast<char>(UpperAscii(name[0])); // found whatever the case
            input.Lookups.push_back(std::move(name));
            ++input.Present;
        } else {
            // A hyphen never occurs in a stored name.
            input.Lookups.push_back(RandomName(random, i + 1) + "-x");
        }
    }
    return input;
}

void SaveNames(const TNameSet& set, const std::string& fileName)
{
    const std::string temporary = fileName + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        std::perror(temporary.c_str());
        std::exit(1);
    }
    for (const std::string& name : set) {
        std::fwrite(name.data(), 1, name.size(), file);
        std::fwrite("\r\n", 1, 2, file);
    }
    std::fflush(file);
    fsync(fileno(file));
    std::fclose(file);
    std::filesystem::rename(temporary, fileName);
}

void Print(const char* name, double value)
{
    std::printf("%s: %.3f\n", name, value);
}

void PrintPhases(const char* structure, const TPhase& load, const TPhase& lookup, const TPhase& save)
{
    const std::pair<const char*, const TPhase*> phases[] = {
        {"load", &load}, {"lookup", &lookup}, {"save", &save}};
    for (const auto& [phase, figures] : phases) {
        std::printf("cache_%s_%s_s: %.3f\n", structure, phase, figures->Seconds);
        std::printf("cache_%s_%s_peak_mb: %.3f\n", structure, phase, figures->PeakMegabytes);
    }
}

// Names that all hash alike, in the letters and digits a cache file can hold as lines.
std::vector<std::string> CollidingNames(std::size_t count)
{
    const TStringHashTrie trie;
    std::vector<std::string> names;
    for (std::size_t n = 0; names.size() < count; ++n) {
        const std::string name = WithRegister(trie, "N" + std::to_string(n), 0x5EED1234u);
        if (std::all_of(name.end() - 4, name.end(), [](char c) {
                const auto byte = static_cast<unsigned char>(c);
                return byte > ' ' && byte != 26 && !(byte >= 'a' && byte <= 'z');
            }))
            names.push_back(name);
    }
    return names;
}

double LoadSeconds(const std::string& fileName, const std::vector<std::string>& names)
{
    {
        std::ofstream out(fileName, std::ios::binary);
        for (const std::string& name : names)
            out << name << "\r\n";
    }
    CacheFileName = fileName;
    const auto start = std::chrono::steady_clock::now();
    LoadCache();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!IsCached(names.back()))
        std::printf("cache_error: a loaded name is missing\n");
    SaveCache();
    return seconds.count();
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t names = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const std::size_t lookups = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sollentra-cache-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string trieFile = (folder / "regi.com.cnf").string();
    const std::string setFile = (folder / "regi.net.cnf").string();
    const TInput input = MakeInput(trieFile, names, lookups);
    std::filesystem::copy_file(trieFile, setFile);

    std::size_t trieHits = 0;
    std::size_t baseline = LiveBytes;
    CacheFileName = trieFile;
    const TPhase trieLoad = Measure(baseline, [] { LoadCache(); });
    const TPhase trieLookup = Measure(baseline, [&] {
        for (const std::string& name : input.Lookups) {
            trieHits += IsCached(name);
        }
    });
    const TPhase trieSave = Measure(baseline, [] { SaveCache(); });

    std::size_t setHits = 0;
    baseline = LiveBytes;
    TNameSet set;
    const TPhase setLoad = Measure(baseline, [&] {
        TScanFileReader reader(setFile);
        std::string line;
        while (reader.ReadLine(line)) {
            set.insert(line);
        }
    });
    const TPhase setLookup = Measure(baseline, [&] {
        for (const std::string& name : input.Lookups) {
            setHits += set.contains(name);
        }
    });
    const TPhase setSave = Measure(baseline, [&] {
        SaveNames(set, setFile);
        TNameSet().swap(set);
    });
    constexpr std::size_t CollisionNames = 65536;
    std::mt19937 random(11);
    std::vector<std::string> randomNames;
    for (std::size_t i = 0; i < CollisionNames; ++i)
        randomNames.push_back(RandomName(random, i + 1));
    const double randomLoad = LoadSeconds((folder / "regi.org.cnf").string(), randomNames);
    const double collisionLoad =
        LoadSeconds((folder / "regi.biz.cnf").string(), CollidingNames(CollisionNames));
    std::filesystem::remove_all(folder);

    Print("cache_collision_load_s", collisionLoad);
    Print("cache_random_load_s", randomLoad);
    Print("cache_collision_load_vs_random", collisionLoad / randomLoad);
    std::printf("cache_names: %zu\ncache_lookups: %zu\ncache_hits: %zu\n", names, lookups, trieHits);
    PrintPhases("trie", trieLoad, trieLookup, trieSave);
    PrintPhases("hashset", setLoad, setLookup, setSave);
    Print("cache_load_vs_hashset", trieLoad.Seconds / setLoad.Seconds);
    Print("cache_lookup_vs_hashset", trieLookup.Seconds / setLookup.Seconds);
    Print("cache_save_vs_hashset", trieSave.Seconds / setSave.Seconds);
    Print("cache_load_lookup_vs_hashset",
          (trieLoad.Seconds + trieLookup.Seconds) / (setLoad.Seconds + setLookup.Seconds));
    Print("cache_peak_memory_vs_hashset", trieLoad.PeakMegabytes / setLoad.PeakMegabytes);
    if (trieHits != input.Present || setHits != input.Present) {
        std::printf("cache_error: expected %zu hits, trie %zu, hash set %zu\n", input.Present, trieHits,
                    setHits);
        return 1;
    }
    return 0;
}
