// The hash trie behind the WHOIS cache: hashing, case, splitting, the equal-hash bound and traversal.
#include "HashTrie.h"

#include "CrcForge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <vector>

namespace {

bool HasLowerCaseLetter(const std::string& key)
{
    for (const char c : key) {
        if (c >= 'a' && c <= 'z') {
            return true;
        }
    }
    return false;
}

std::vector<std::string> VisitedKeys(const THashTrie& trie)
{
    std::vector<std::string> keys;
    trie.ForEach([&keys](const std::string& key, std::uint32_t, bool&) { keys.push_back(key); });
    return keys;
}

TEST(StringHashTrie, HashIsTheCrcRegisterOfTheUpperCasedKey)
{
    TStringHashTrie trie;
    // The standard CRC-32 of "123456789" is 0xCBF43926; the register is its complement.
    EXPECT_EQ(trie.KeyHash("123456789"), ~0xCBF43926u);
    EXPECT_EQ(trie.KeyHash(""), 0xFFFFFFFFu);
    EXPECT_EQ(trie.KeyHash("example"), trie.KeyHash("EXAMPLE"));
    EXPECT_NE(trie.KeyHash("caf\xe9"), trie.KeyHash("CAF\xc9")) << "only ASCII letters are upper-cased";
    trie.MatchCase = true;
    EXPECT_NE(trie.KeyHash("example"), trie.KeyHash("EXAMPLE"));
}

TEST(StringHashTrie, KeysDifferingInCaseAreOneKey)
{
    TStringHashTrie trie;
    trie.Insert("Example", 1);
    trie.Insert("EXAMPLE", 2);
    EXPECT_EQ(trie.Lookup("example"), 2u);
    EXPECT_EQ(trie.Lookup("exampl"), std::nullopt);
    EXPECT_EQ(VisitedKeys(trie), std::vector<std::string>{"Example"}) << "the first spelling is kept";
}

TEST(StringHashTrie, MatchCaseKeepsKeysDifferingInCaseApart)
{
    TStringHashTrie trie;
    trie.MatchCase = true;
    trie.Insert("Example", 1);
    trie.Insert("EXAMPLE", 2);
    EXPECT_EQ(trie.Lookup("Example"), 1u);
    EXPECT_EQ(trie.Lookup("EXAMPLE"), 2u);
    EXPECT_EQ(trie.Lookup("example"), std::nullopt);
}

TEST(StringHashTrie, TheNinthKeyOfASlotTurnsItIntoANodeOneLevelDown)
{
    TStringHashTrie trie;
    std::map<std::uint32_t, std::vector<std::string>> byLowByte;
    std::vector<std::string> nine;
    for (int n = 0; nine.empty(); ++n) {
        const std::string key = "name" + std::to_string(n);
        std::vector<std::string>& bucket = byLowByte[trie.KeyHash(key) & 0xFF];
        bucket.push_back(key);
        if (bucket.size() == 9) {
            nine = bucket;
        }
    }
    const std::uint32_t slot = trie.KeyHash(nine.front()) & 0xFF;
    for (std::uint32_t i = 0; i < 8; ++i) {
        trie.Insert(nine[i], i);
    }
    ASSERT_EQ(trie.Root()->Slots[slot]->AsNode(), nullptr) << "eight keys still form a chain";
    trie.Insert(nine[8], 8);

    const TTreeItem* node = trie.Root()->Slots[slot]->AsNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Depth, 1);
    EXPECT_EQ(trie.Root()->UsedSlots, 1);
    for (std::uint32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(trie.Lookup(nine[i]), i) << nine[i];
    }
    EXPECT_EQ(VisitedKeys(trie).size(), 9u);
}

TEST(StringHashTrie, KeysWithOneAndTheSameHashAreAllKept)
{
    TStringHashTrie trie;
    const std::uint32_t sharedHash = 0x5EED1234u;
    std::vector<std::string> keys;
    for (int n = 0; keys.size() < 20; ++n) {
        const std::string key = WithRegister(trie, "KEY" + std::to_string(n), sharedHash);
        if (!HasLowerCaseLetter(key)) { // upper-casing would change the forged bytes
            ASSERT_EQ(trie.KeyHash(key), sharedHash);
            keys.push_back(key);
        }
    }
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        trie.Insert(keys[i], i);
    }
    trie.Insert(keys[3], 99);
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(trie.Lookup(keys[i]), i == 3 ? 99u : i) << i;
    }
    EXPECT_EQ(trie.Lookup(WithRegister(trie, "OTHER", sharedHash)), std::nullopt);
    EXPECT_EQ(VisitedKeys(trie).size(), keys.size());

    // The splits stop where the hash has no byte left to tell the keys apart.
    const TTreeItem* node = trie.Root();
    for (int depth = 1; depth <= 3; ++depth) {
        node = node->Slots[std::rotr(sharedHash, 8 * (depth - 1)) & 0xFF]->AsNode();
        ASSERT_NE(node, nullptr) << depth;
        EXPECT_EQ(node->Depth, depth);
    }
    EXPECT_EQ(node->Slots[sharedHash >> 24]->AsNode(), nullptr);
    EXPECT_NE(node->Slots[sharedHash >> 24]->AsBucket(), nullptr) << "past eight: a bucket in key order";
    std::vector<std::string> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(VisitedKeys(trie), sorted);
}

TEST(StringHashTrie, ForEachGoesBySlotNewestFirstAndStopsAfterTheSlot)
{
    TStringHashTrie trie;
    // Two keys sharing a slot, one in a lower slot and one in a higher slot.
    std::map<std::uint32_t, std::vector<std::string>> byLowByte;
    for (int n = 0; n < 2000; ++n) {
        const std::string key = "k" + std::to_string(n);
        byLowByte[trie.KeyHash(key) & 0xFF].push_back(key);
    }
    auto shared = byLowByte.begin();
    while (shared->second.size() < 2 || shared == byLowByte.begin()) {
        ++shared;
    }
    const std::string lower = byLowByte.begin()->second.front();
    const std::string older = shared->second[0];
    const std::string newer = shared->second[1];
    const std::string higher = std::next(shared)->second.front();
    for (const std::string& key : {higher, older, newer, lower}) {
        trie.Insert(key, 0);
    }
    EXPECT_EQ(VisitedKeys(trie), (std::vector<std::string>{lower, newer, older, higher}));

    std::vector<std::string> visited;
    trie.ForEach([&](const std::string& key, std::uint32_t, bool& stop) {
        visited.push_back(key);
        if (key == newer) {
            stop = true;
        }
    });
    EXPECT_EQ(visited, (std::vector<std::string>{lower, newer, older}));
}

} // namespace
