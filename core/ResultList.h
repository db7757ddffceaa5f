// One result list of a run ("Registered" or "Available"): bare names in the order they were
// settled, or in alphabetical order ignoring letter case once sorting is switched on. An index
// beside the entries answers "is this name listed, in any letter case?" without scanning them, and
// the entries are kept in blocks of a bounded size, so a sorted insert moves one block's names, not
// the whole list: a run over a long file stays near linear either way. The list box on the window is
// only a view of this.
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
    // The most names a block holds before it is split in two.
    static constexpr std::size_t BlockSize = 128;

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

    std::size_t Count() const { return FCount; }
    // The entry at index, in logarithmic time: for a view's rows on screen rather than a loop.
    const std::string& operator[](std::size_t index) const;
    // Every entry in order, copied.
    std::vector<std::string> Entries() const;

  private:
    // The sizes of the blocks as a Fenwick tree: how many entries stand before a block, and which
    // block holds an index, in logarithmic time. Rebuilt when blocks come or split.
    void RebuildSizes();
    void GrowBlock(std::size_t block);
    std::size_t CountBefore(std::size_t block) const;

    std::vector<std::vector<std::string>> FBlocks; // none empty
    std::vector<std::size_t> FSizes;               // the Fenwick tree, 1-based
    std::size_t FCount = 0;
    std::unordered_set<std::string> FIndex; // the entries in lower case
    bool FSorted = false;
};
