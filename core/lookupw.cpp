// The WHOIS result cache: names found registered for one suffix, in memory and on disk.
#include "lookupw.h"

#include "HashTrie.h"
#include "ScanFileReader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path StartupCacheFolder()
{
    std::error_code error;
    // Without a readable current folder the names stay relative, which still means the current folder.
    std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) {
        folder.clear();
    }
    const bool writable = ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
    std::filesystem::path chosen =
        ChooseCacheFolder(folder, writable, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (chosen != folder) {
        std::filesystem::create_directories(chosen, error);
    }
    return chosen;
}

// The names in memory together with the file they were read from and are written back to.
struct TLoadedCache
{
    std::string BoundFile;
    TStringHashTrie Names;
};

struct TCacheState
{
    // None before the first load, after a save and after a failed load.
    std::unique_ptr<TLoadedCache> Loaded;
    // Stored as each name's data word; nothing reads it back.
    std::uint32_t InsertionCounter = 0;
    // Names added since the file was last written, and when that was.
    bool Changed = false;
    std::chrono::steady_clock::time_point LastWrite = std::chrono::steady_clock::now();
};

TCacheState& Cache()
{
    static TCacheState cache;
    return cache;
}

struct TFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] void ThrowFileError(const char* what, const std::string& fileName, int error)
{
    throw std::runtime_error(std::string(what) + " \"" + fileName + "\": " + std::strerror(error));
}

void CreateEmptyFile(const std::string& fileName)
{
    TFileHandle file(std::fopen(fileName.c_str(), "wb"));
    if (!file || std::fclose(file.release()) != 0) {
        ThrowFileError("Cannot create cache file", fileName, errno);
    }
}

// Removes the temporary file, once created, unless the save got as far as renaming it.
class TTemporaryFile
{
  public:
    explicit TTemporaryFile(std::string name) : FName(std::move(name)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile()
    {
        if (!FRenamed) {
            std::remove(FName.c_str());
        }
    }
    const std::string& Name() const { return FName; }
    void Renamed() { FRenamed = true; }

  private:
    std::string FName;
    bool FRenamed = false;
};

// An advisory lock on a file beside the cache, held while a copy of the program merges and writes:
// two copies saving the same cache take turns.
class TSaveLock
{
  public:
    explicit TSaveLock(const std::string& cacheFile)
        : FFile(::open((cacheFile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (FFile < 0) {
            ThrowFileError("Cannot save cache file", cacheFile, errno);
        }
        while (::flock(FFile, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int error = errno;
                ::close(FFile);
                ThrowFileError("Cannot save cache file", cacheFile, error);
            }
        }
    }
    TSaveLock(const TSaveLock&) = delete;
    TSaveLock& operator=(const TSaveLock&) = delete;
    ~TSaveLock() { ::close(FFile); } // closing releases the lock

  private:
    int FFile;
};

// The names another copy of the program saved to the file since this one loaded it.
void MergeFromFile(TStringHashTrie& names, const std::string& fileName, std::uint32_t& counter)
{
    if (!std::filesystem::exists(fileName)) {
        return;
    }
    TScanFileReader reader(fileName);
    std::string line;
    while (reader.ReadLine(line)) {
        if (!names.Lookup(line)) {
            names.Insert(line, counter++);
        }
    }
}

// Merges, then writes the names to a temporary file of this save's own and renames it over the file.
void WriteNames(TStringHashTrie& names, const std::string& fileName, std::uint32_t& counter)
{
    const TSaveLock lock(fileName);
    MergeFromFile(names, fileName, counter);
    std::string temporaryName = fileName + ".XXXXXX";
    const int descriptor = ::mkostemp(temporaryName.data(), O_CLOEXEC);
    if (descriptor < 0) {
        ThrowFileError("Cannot save cache file", fileName, errno);
    }
    TTemporaryFile temporary(temporaryName);
    ::fchmod(descriptor, 0644);
    TFileHandle file(::fdopen(descriptor, "wb"));
    if (!file) {
        const int error = errno;
        ::close(descriptor);
        ThrowFileError("Cannot save cache file", fileName, error);
    }
    bool written = true;
    names.ForEach([&](const std::string& key, std::uint32_t, bool&) {
        written = written && std::fwrite(key.data(), 1, key.size(), file.get()) == key.size() &&
                  std::fwrite("\r\n", 1, 2, file.get()) == 2;
    });
    // The data must be on disk before the rename, or a crash could leave an empty file in its place.
    written = written && std::fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
    const int writeError = errno;
    if (std::fclose(file.release()) != 0 || !written) {
        ThrowFileError("Cannot save cache file", fileName, written ? errno : writeError);
    }
    if (std::rename(temporary.Name().c_str(), fileName.c_str()) != 0) {
        ThrowFileError("Cannot save cache file", fileName, errno);
    }
    temporary.Renamed();
}

} // namespace

std::filesystem::path ChooseCacheFolder(const std::filesystem::path& startup, bool writable,
                                        const char* dataHome, const char* home)
{
    if (writable) {
        return startup;
    }
    // Relative values of XDG_DATA_HOME are to be ignored, as the XDG base directories say.
    if (dataHome && std::filesystem::path(dataHome).is_absolute()) {
        return std::filesystem::path(dataHome) / "Sollentra";
    }
    if (home && *home) {
        return std::filesystem::path(home) / ".local" / "share" / "Sollentra";
    }
    return startup;
}

const std::filesystem::path CacheFolder = StartupCacheFolder();
const bool CacheFolderMoved = [] {
    std::error_code error;
    return CacheFolder != std::filesystem::current_path(error);
}();
std::string CacheFileName = CacheFileFor(".com");

std::string CacheFileFor(std::string_view suffix)
{
    return (CacheFolder / ("regi" + std::string(suffix) + ".cnf")).string();
}

void LoadCache()
{
    TCacheState& cache = Cache();
    // Taken out while reading, so that a failed load leaves nothing bound that a save could write.
    std::unique_ptr<TLoadedCache> loaded = std::move(cache.Loaded);
    if (!loaded) {
        loaded = std::make_unique<TLoadedCache>();
    }
    loaded->BoundFile = CacheFileName;
    cache.InsertionCounter = 0;
    if (!std::filesystem::exists(loaded->BoundFile)) {
        CreateEmptyFile(loaded->BoundFile);
    } else {
        TScanFileReader reader(loaded->BoundFile);
        std::string line;
        while (reader.ReadLine(line)) {
            loaded->Names.Insert(line, cache.InsertionCounter++);
        }
    }
    cache.Loaded = std::move(loaded);
}

void SaveCache()
{
    TCacheState& cache = Cache();
    if (!cache.Loaded) {
        return;
    }
    WriteNames(cache.Loaded->Names, cache.Loaded->BoundFile, cache.InsertionCounter);
    cache.Loaded.reset();
    cache.Changed = false;
}

void AddToCache(std::string_view name)
{
    TCacheState& cache = Cache();
    if (!cache.Loaded) {
        LoadCache();
    }
    cache.Loaded->Names.Insert(name, cache.InsertionCounter++);
    cache.Changed = true;
}

bool FlushCacheIfDue(std::chrono::steady_clock::time_point now)
{
    TCacheState& cache = Cache();
    if (!cache.Loaded || !cache.Changed || now - cache.LastWrite < CacheFlushInterval) {
        return true;
    }
    cache.LastWrite = now;
    try {
        WriteNames(cache.Loaded->Names, cache.Loaded->BoundFile, cache.InsertionCounter);
    } catch (const std::runtime_error&) {
        return false;
    }
    cache.Changed = false;
    return true;
}

bool IsCached(std::string_view name)
{
    const TCacheState& cache = Cache();
    return cache.Loaded && cache.Loaded->Names.Lookup(name).has_value();
}

void SwitchCacheFile(const std::string& fileName)
{
    const TCacheState& cache = Cache();
    if (cache.Loaded && cache.Loaded->BoundFile == fileName) {
        return;
    }
    CacheFileName = fileName;
    SaveCache();
    LoadCache();
}
