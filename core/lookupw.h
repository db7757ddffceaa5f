// The WHOIS result cache: the names found registered for one suffix at a time, kept in memory in a
// hash trie and on disk in "regi" + suffix + ".cnf", one name per line ended by CR LF.
//
// Process-wide state, used from the user-interface thread only. Only registered names belong here;
// whether a run may trust the cache instead of asking the server is the caller's decision.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

// The folder of the cache files: the one current at start-up when it can be written, else the
// user's data folder ($XDG_DATA_HOME/Sollentra, or ~/.local/share/Sollentra). Never changes.
extern const std::filesystem::path CacheFolder;
// Whether the start-up folder could not be written, so that the cache files went elsewhere.
extern const bool CacheFolderMoved;

// The choice behind CacheFolder, given what start-up found: startup when writable; else the data
// folder from dataHome (an absolute $XDG_DATA_HOME) or home; else startup all the same.
std::filesystem::path ChooseCacheFolder(const std::filesystem::path& startup, bool writable,
                                        const char* dataHome, const char* home);
// The cache file LoadCache binds next; at start-up the one for ".com".
extern std::string CacheFileName;

// CacheFolder / ("regi" + suffix + ".cnf").
std::string CacheFileFor(std::string_view suffix);

// Binds the cache to CacheFileName and reads every line of it as a name into memory, adding to the
// names already there; a missing file is created empty. Throws std::runtime_error naming the file on
// a file error; nothing is loaded then, so no later save can overwrite the file with part of it.
void LoadCache();

// Writes the names in memory to the bound file (the one last loaded, even if CacheFileName changed
// since) and releases them. The file is replaced whole, through a temporary file of the save's own in
// the same folder, under an advisory lock on a file beside it; names another copy of the program saved
// there meanwhile are merged in first, so two copies sharing a cache lose none of each other's.
// On failure it throws std::runtime_error naming the file; the old file stays as it was and the names
// stay in memory, so nothing is lost and a later save can try again.
void SaveCache();

// Adds name, stored once whatever letter case it arrives in; loads CacheFileName first when no
// cache is loaded, so that the name is written back with the others.
void AddToCache(std::string_view name);

// Whether name is in memory, ignoring the case of ASCII letters; false when no cache is loaded.
bool IsCached(std::string_view name);

// How often a run writes the cache to its file while it goes on, so a crash loses little.
inline constexpr std::chrono::seconds CacheFlushInterval{60};

// Writes the names in memory to the bound file, as SaveCache does but keeping them, when names were
// added since the last write and the last one is at least CacheFlushInterval before now. A write that
// fails is left for the next one (or the save at the end) to make; false then.
bool FlushCacheIfDue(std::chrono::steady_clock::time_point now);

// Makes fileName the cache in use: unless it is already the loaded one, saves the current cache and
// loads fileName. Callers pass CacheFileFor(suffix).
void SwitchCacheFile(const std::string& fileName);
