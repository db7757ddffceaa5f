// Keys forged to a chosen hash of the cache's trie: the test of its equal-hash buckets and the
// benchmark of a cache file full of them both need many.
#pragma once

#include <cstdint>
#include <string>

#include "HashTrie.h"

// Reference table of the reflected CRC-32 polynomial, independent of the trie's own.
inline std::uint32_t CrcTableEntry(std::uint32_t index)
{
    for (int bit = 0; bit < 8; ++bit) {
        index = (index & 1) ? (index >> 1) ^ 0xEDB88320u : index >> 1;
    }
    return index;
}

// Appends four bytes to prefix so that the CRC register ends at target. The register after four more
// bytes depends only on the four table indices used, which can be read off target from the top byte
// down; each byte is then chosen to hit its index.
inline std::string WithRegister(const TStringHashTrie& trie, std::string prefix, std::uint32_t target)
{
    std::uint32_t indices[4];
    std::uint32_t rest = target;
    for (int k = 3; k >= 0; --k) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            if ((CrcTableEntry(i) >> 24) == (rest >> 24)) {
                indices[k] = i;
                break;
            }
        }
        rest = (rest ^ CrcTableEntry(indices[k])) << 8;
    }
    std::uint32_t crc = trie.KeyHash(prefix);
    for (const std::uint32_t index : indices) {
        prefix.push_back(static_cast<char>((crc ^ index) & 0xFF));
        crc = CrcTableEntry(index) ^ (crc >> 8);
    }
    return prefix;
}
