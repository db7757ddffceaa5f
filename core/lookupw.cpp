// The WHOIS result cache: names found registered for one suffix, in memory and on disk.
#include "lookupw.h"

#include "HashTrie.h"
#include "ScanFileReader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace {

std::string StartupFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    // Without a readable current folder the names stay relative, which still means the current folder.
    return error ? std::string() : folder.string() + '/';
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

void WriteNames(const TStringHashTrie& names, const std::string& fileName)
{
    const std::string temporaryName = fileName + ".tmp";
    TFileHandle file(std::fopen(temporaryName.c_str(), "wb"));
    if (!file) {
        ThrowFileError("Cannot save cache file", fileName, errno);
    }
    TTemporaryFile temporary(temporaryName);
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

const std::string CacheFolder = StartupFolder();
std::string CacheFileName = CacheFolder + "regi.com.cnf";

std::string CacheFileFor(std::string_view suffix)
{
    return CacheFolder + "regi" + std::string(suffix) + ".cnf";
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
    WriteNames(cache.Loaded->Names, cache.Loaded->BoundFile);
    cache.Loaded.reset();
}

void AddToCache(std::string_view name)
{
    TCacheState& cache = Cache();
    if (!cache.Loaded) {
        LoadCache();
    }
    cache.Loaded->Names.Insert(name, cache.InsertionCounter++);
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
