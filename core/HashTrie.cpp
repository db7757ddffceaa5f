// Hash trie of 256-way nodes: the in-memory set of names behind the WHOIS cache.
#include "HashTrie.h"

#include <algorithm>
#include <bit>

namespace {

constexpr int MaxChainLength = 8;
// Below this depth a chain holds keys whose 32-bit hashes are equal, which no split could separate.
constexpr int DeepestSplittingDepth = 2;

constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = MakeCrcTable();

// Plain ASCII on purpose: the cache file must hash the same whatever locale the program runs in.
constexpr unsigned char UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

std::uint32_t OneLevelDown(std::uint32_t hash)
{
    return std::rotr(hash, 8);
}

} // namespace

TLinkedItem::~TLinkedItem()
{
    std::unique_ptr<TLinkedItem> rest = std::move(Next);
    while (rest) {
        rest = std::move(rest->Next);
    }
}

void THashTrie::Insert(std::string_view key, std::uint32_t data)
{
    if (!FRoot) {
        FRoot = std::make_unique<TTreeItem>(0);
    }
    InsertItem(*FRoot, std::make_unique<TLinkedItem>(std::string(key), data), KeyHash(key));
}

void THashTrie::InsertItem(TTreeItem& start, std::unique_ptr<TLinkedItem> item, std::uint32_t hash)
{
    TTreeItem* node = &start;
    for (;;) {
        std::unique_ptr<TTrieEntry>& slot = node->Slots[hash & 0xFF];
        if (!slot) {
            slot = std::move(item);
            ++node->UsedSlots;
            return;
        }
        if (TTreeItem* below = slot->AsNode()) {
            node = below;
            hash = OneLevelDown(hash);
            continue;
        }
        if (TCollisionBucket* bucket = slot->AsBucket()) {
            std::string compared = ComparedKey(item->Key);
            bucket->Items.insert_or_assign(std::move(compared),
                                           std::make_pair(std::move(item->Key), item->Data));
            return;
        }
        int length = 0;
        for (auto* chained = static_cast<TLinkedItem*>(slot.get()); chained; chained = chained->Next.get()) {
            if (KeysEqual(chained->Key, item->Key)) {
                chained->Data = item->Data;
                return;
            }
            ++length;
        }
        std::unique_ptr<TLinkedItem> chain(static_cast<TLinkedItem*>(slot.release()));
        if (length < MaxChainLength) {
            item->Next = std::move(chain);
            slot = std::move(item);
            return;
        }
        if (node->Depth > DeepestSplittingDepth) {
            item->Next = std::move(chain);
            slot = BucketOf(std::move(item));
            return;
        }
        std::unique_ptr<TTreeItem> split = SplitChain(node->Depth, std::move(chain));
        node = split.get();
        slot = std::move(split);
        hash = OneLevelDown(hash);
    }
}

std::unique_ptr<TTreeItem> THashTrie::SplitChain(int depth, std::unique_ptr<TLinkedItem> chain)
{
    auto node = std::make_unique<TTreeItem>(depth + 1);
    const int rotation = 8 * (depth + 1);
    while (chain) {
        std::unique_ptr<TLinkedItem> item = std::move(chain);
        chain = std::move(item->Next);
        const std::uint32_t hash = std::rotr(KeyHash(item->Key), rotation);
        InsertItem(*node, std::move(item), hash);
    }
    return node;
}

std::unique_ptr<TCollisionBucket> THashTrie::BucketOf(std::unique_ptr<TLinkedItem> chain) const
{
    auto bucket = std::make_unique<TCollisionBucket>();
    for (TLinkedItem* item = chain.get(); item; item = item->Next.get()) {
        std::string compared = ComparedKey(item->Key);
        bucket->Items.emplace(std::move(compared), std::make_pair(std::move(item->Key), item->Data));
    }
    return bucket;
}

std::optional<std::uint32_t> THashTrie::Lookup(std::string_view key) const
{
    std::uint32_t hash = KeyHash(key);
    const TTreeItem* node = FRoot.get();
    while (node) {
        TTrieEntry* slot = node->Slots[hash & 0xFF].get();
        if (!slot) {
            return std::nullopt;
        }
        if (const TCollisionBucket* bucket = slot->AsBucket()) {
            const auto found = bucket->Items.find(ComparedKey(key));
            return found == bucket->Items.end() ? std::nullopt
                                                : std::optional<std::uint32_t>(found->second.second);
        }
        node = slot->AsNode();
        if (!node) {
            for (auto* chained = static_cast<const TLinkedItem*>(slot); chained;
                 chained = chained->Next.get()) {
                if (KeysEqual(chained->Key, key)) {
                    return chained->Data;
                }
            }
            return std::nullopt;
        }
        hash = OneLevelDown(hash);
    }
    return std::nullopt;
}

namespace {

// Returns true when the visitor asked to stop.
bool VisitNode(const TTreeItem& node, const THashTrie::TVisitor& visitor)
{
    bool stop = false;
    for (const std::unique_ptr<TTrieEntry>& slot : node.Slots) {
        if (!slot) {
            continue;
        }
        if (const TTreeItem* below = slot->AsNode()) {
            stop = VisitNode(*below, visitor);
        } else if (const TCollisionBucket* bucket = slot->AsBucket()) {
            for (const auto& [compared, item] : bucket->Items)
                visitor(item.first, item.second, stop);
        } else {
            for (auto* chained = static_cast<const TLinkedItem*>(slot.get()); chained;
                 chained = chained->Next.get()) {
                visitor(chained->Key, chained->Data, stop);
            }
        }
        if (stop) {
            return true;
        }
    }
    return false;
}

} // namespace

void THashTrie::ForEach(const TVisitor& visitor) const
{
    if (FRoot) {
        VisitNode(*FRoot, visitor);
    }
}

std::uint32_t TStringHashTrie::KeyHash(std::string_view key) const
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : key) {
        const unsigned char byte = MatchCase ? static_cast<unsigned char>(c) : UpperAscii(c);
        crc = CrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc;
}

std::string TStringHashTrie::ComparedKey(std::string_view key) const
{
    std::string compared(key);
    if (!MatchCase) {
        for (char& c : compared) {
            c = static_cast<char>(UpperAscii(static_cast<unsigned char>(c)));
        }
    }
    return compared;
}

bool TStringHashTrie::KeysEqual(std::string_view key1, std::string_view key2) const
{
    if (MatchCase) {
        return key1 == key2;
    }
    return std::ranges::equal(key1, key2, [](char a, char b) {
        return UpperAscii(static_cast<unsigned char>(a)) == UpperAscii(static_cast<unsigned char>(b));
    });
}
