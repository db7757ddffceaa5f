// One result list of a run ("Registered" or "Available"): bare names in the order they were
// settled, or in alphabetical order ignoring letter case once sorting is switched on. An index
// beside the entries answers "is this name listed, in any letter case?" without scanning them,
// so a run over a long file stays linear. The list box on the window is only a view of this.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class TResultList
{
  public:
    // Raised after an entry was inserted at index.
    std::function<void(std::size_t index, const std::string& name)> OnInsert;
    // Raised after the entries were emptied or reordered as a whole.
    std::function<void()> OnReset;

    // Whether an entry equals name when ASCII letter case is ignored.
    bool Contains(std::string_view name) const;

    // Adds name, at the end or in its sorted place, unless Contains(name); returns whether it was added.
    bool Add(const std::string& name);

    void Clear();

    // Sorts the entries now and keeps every later one in its place. There is no way back: once
    // sorted, a list stays sorted for the rest of the program's run, emptied or not.
    void SetSorted();
    bool Sorted() const { return FSorted; }

    std::size_t Count() const { return FEntries.size(); }
    const std::string& operator[](std::size_t index) const { return FEntries[index]; }
    const std::vector<std::string>& Entries() const { return FEntries; }

  private:
    std::vector<std::string> FEntries;
    std::unordered_set<std::string> FIndex; // the entries in lower case
    bool FSorted = false;
};
