#include "ResultList.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lowered(std::string_view name)
{
    std::string lowered(name);
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// Alphabetical order ignoring ASCII letter case; names equal that way keep their arrival order.
bool SortsBefore(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}
} // namespace

bool TResultList::Contains(std::string_view name) const
{
    return FIndex.count(Lowered(name)) != 0;
}

bool TResultList::Add(const std::string& name)
{
    if (!FIndex.insert(Lowered(name)).second)
        return false;
    // The block the name goes into: the first whose last name sorts after it, else the last block.
    auto block = FBlocks.end();
    if (FSorted)
        block = std::upper_bound(FBlocks.begin(), FBlocks.end(), name,
                                 [](const std::string& n, const std::vector<std::string>& names) {
                                     return SortsBefore(n, names.back());
                                 });
    if (block == FBlocks.end()) {
        if (FBlocks.empty() || FBlocks.back().size() >= BlockSize) {
            FBlocks.emplace_back().reserve(BlockSize);
            RebuildSizes();
        }
        block = FBlocks.end() - 1;
    }
    const std::size_t number = std::size_t(block - FBlocks.begin());
    const auto place =
        FSorted ? std::upper_bound(block->begin(), block->end(), name, SortsBefore) : block->end();
    const std::size_t index = CountBefore(number) + std::size_t(place - block->begin());
    block->insert(place, name);
    ++FCount;
    GrowBlock(number);
    // A full block splits in two, so no insert moves more than BlockSize names.
    if (block->size() > BlockSize) {
        std::vector<std::string> upper(
            std::make_move_iterator(block->begin() + std::ptrdiff_t(BlockSize / 2)),
            std::make_move_iterator(block->end()));
        block->resize(BlockSize / 2);
        FBlocks.insert(block + 1, std::move(upper));
        RebuildSizes();
    }
    if (OnInsert)
        OnInsert(index, name);
    return true;
}

void TResultList::RebuildSizes()
{
    FSizes.assign(FBlocks.size() + 1, 0);
    for (std::size_t i = 1; i < FSizes.size(); ++i) {
        FSizes[i] += FBlocks[i - 1].size();
        if (const std::size_t parent = i + (i & -i); parent < FSizes.size())
            FSizes[parent] += FSizes[i];
    }
}

void TResultList::GrowBlock(std::size_t block)
{
    for (std::size_t i = block + 1; i < FSizes.size(); i += i & -i)
        ++FSizes[i];
}

std::size_t TResultList::CountBefore(std::size_t block) const
{
    std::size_t count = 0;
    for (std::size_t i = block; i > 0; i -= i & -i)
        count += FSizes[i];
    return count;
}

const std::string& TResultList::operator[](std::size_t index) const
{
    // The last block whose entries all stand before index, found by descending the tree.
    std::size_t block = 0;
    std::size_t step = 1;
    while (step * 2 < FSizes.size())
        step *= 2;
    for (; step > 0; step /= 2)
        if (block + step < FSizes.size() && FSizes[block + step] <= index) {
            block += step;
            index -= FSizes[block];
        }
    return FBlocks[block][index];
}

std::vector<std::string> TResultList::Entries() const
{
    std::vector<std::string> entries;
    entries.reserve(FCount);
    for (const std::vector<std::string>& block : FBlocks)
        entries.insert(entries.end(), block.begin(), block.end());
    return entries;
}

void TResultList::Clear()
{
    FBlocks.clear();
    FSizes.clear();
    FCount = 0;
    FIndex.clear();
    if (OnReset)
        OnReset();
}

void TResultList::SetSorted()
{
    if (FSorted)
        return;
    FSorted = true;
    std::vector<std::string> entries = Entries();
    std::stable_sort(entries.begin(), entries.end(), SortsBefore);
    FBlocks.clear();
    for (std::size_t at = 0; at < entries.size(); at += BlockSize)
        FBlocks.emplace_back(std::make_move_iterator(entries.begin() + std::ptrdiff_t(at)),
                             std::make_move_iterator(
                                 entries.begin() + std::ptrdiff_t(std::min(at + BlockSize, entries.size()))));
    RebuildSizes();
    if (OnReset)
        OnReset();
}
