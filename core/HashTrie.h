// Hash trie of 256-way nodes: the in-memory set of names behind the WHOIS cache.
//
// A node at depth d picks its slot by byte d (mod 4) of the key's 32-bit hash. A slot is empty, holds a
// node one level down, or holds a chain of at most 8 keys, newest first; the ninth distinct key turns
// the chain into a node. Keys that share a chain at depth 3 agree in all four hash bytes, so no split
// could ever separate them: there the ninth key turns the chain into a bucket instead, its keys kept
// in order and found by binary search. The hash is a plain CRC, and a list of names can hold many of
// one hash; a chain of them would make every insert and look-up walk them all.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TTreeItem;
class TCollisionBucket;

// What a slot can hold: a node one level down, the first item of a chain, or a bucket of keys with
// one hash.
class TTrieEntry
{
  public:
    virtual ~TTrieEntry() = default;
    virtual TTreeItem* AsNode() { return nullptr; }
    virtual TCollisionBucket* AsBucket() { return nullptr; }
};

// One key of a chain; the first item of a chain owns the rest of it.
class TLinkedItem final : public TTrieEntry
{
  public:
    TLinkedItem(std::string key, std::uint32_t data) : Key(std::move(key)), Data(data) {}
    // Releases the rest of the chain item by item: a chain of colliding keys may be long.
    ~TLinkedItem() override;

    std::string Key;
    std::uint32_t Data;
    std::unique_ptr<TLinkedItem> Next;
};

// Keys whose whole hashes are equal, by their comparison form (THashTrie::ComparedKey): each with its
// key as stored and its data word.
class TCollisionBucket final : public TTrieEntry
{
  public:
    TCollisionBucket* AsBucket() override { return this; }
    std::map<std::string, std::pair<std::string, std::uint32_t>, std::less<>> Items;
};

// One node; it owns the nodes and chains in its slots.
class TTreeItem final : public TTrieEntry
{
  public:
    explicit TTreeItem(int depth) : Depth(depth) {}
    TTreeItem* AsNode() override { return this; }

    const int Depth;
    // Slots that went from empty to holding a chain.
    int UsedSlots = 0;
    std::array<std::unique_ptr<TTrieEntry>, 256> Slots;
};

class THashTrie
{
  public:
    // Receives each key with its data word; setting stop ends the traversal once the current slot is done.
    using TVisitor = std::function<void(const std::string& key, std::uint32_t data, bool& stop)>;

    THashTrie(const THashTrie&) = delete;
    THashTrie& operator=(const THashTrie&) = delete;
    virtual ~THashTrie() = default;

    virtual std::uint32_t KeyHash(std::string_view key) const = 0;
    virtual bool KeysEqual(std::string_view key1, std::string_view key2) const = 0;
    // The form in which keys are compared: two keys are equal exactly when their forms are.
    virtual std::string ComparedKey(std::string_view key) const = 0;

    // Stores key with data, or replaces the data of the equal key already stored.
    void Insert(std::string_view key, std::uint32_t data);
    // The data of the stored key equal to key, if there is one.
    std::optional<std::uint32_t> Lookup(std::string_view key) const;
    // Depth first from the root; within a node slots 0 to 255; a chain newest first; a bucket in the
    // order of the keys' comparison forms.
    void ForEach(const TVisitor& visitor) const;

    const TTreeItem* Root() const { return FRoot.get(); }

  protected:
    THashTrie() = default;

  private:
    void InsertItem(TTreeItem& start, std::unique_ptr<TLinkedItem> item, std::uint32_t hash);
    std::unique_ptr<TTreeItem> SplitChain(int depth, std::unique_ptr<TLinkedItem> chain);
    std::unique_ptr<TCollisionBucket> BucketOf(std::unique_ptr<TLinkedItem> chain) const;

    std::unique_ptr<TTreeItem> FRoot;
};

// Keys are strings; unless MatchCase, hashing and comparing ignore the case of the ASCII letters.
class TStringHashTrie final : public THashTrie
{
  public:
    // The CRC-32 register over the (upper-cased) key, without the final inversion.
    std::uint32_t KeyHash(std::string_view key) const override;
    bool KeysEqual(std::string_view key1, std::string_view key2) const override;
    std::string ComparedKey(std::string_view key) const override;

    bool MatchCase = false;
};
