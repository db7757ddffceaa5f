#include "ResultList.h"

#include <algorithm>
#include <cctype>

namespace
{
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
    auto place = FSorted ? std::upper_bound(FEntries.begin(), FEntries.end(), name, SortsBefore) : FEntries.end();
    const auto index = static_cast<std::size_t>(place - FEntries.begin());
    FEntries.insert(place, name);
    if (OnInsert)
        OnInsert(index, name);
    return true;
}

void TResultList::Clear()
{
    FEntries.clear();
    FIndex.clear();
    if (OnReset)
        OnReset();
}

void TResultList::SetSorted()
{
    if (FSorted)
        return;
    FSorted = true;
    std::stable_sort(FEntries.begin(), FEntries.end(), SortsBefore);
    if (OnReset)
        OnReset();
}
