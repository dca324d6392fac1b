#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ort {

// Bits written one code after another and read back from any position.
// They live in pages that never move, so appending copies nothing and a
// day's history is never reallocated. Codes are written first bit first.
class BitStream {
public:
    static constexpr std::size_t PageWords = 4096;

    // Appends the low `count` bits of `bits` (1..64).
    void put(uint64_t bits, int count)
    {
        if (count < 64)
            bits &= (uint64_t(1) << count) - 1;
        const uint64_t word = m_size >> 6;
        const int offset = static_cast<int>(m_size & 63);
        const uint64_t lastWord = (m_size + static_cast<uint64_t>(count) - 1) >> 6;
        while (m_pages.size() * PageWords <= lastWord)
            m_pages.emplace_back(new uint64_t[PageWords]());
        wordAt(word) |= bits << offset;
        if (offset + count > 64)
            wordAt(word + 1) |= bits >> (64 - offset);
        m_size += static_cast<uint64_t>(count);
    }

    // The `count` bits (1..64) written from bit `at` on.
    uint64_t get(uint64_t at, int count) const
    {
        const uint64_t word = at >> 6;
        const int offset = static_cast<int>(at & 63);
        uint64_t v = wordAt(word) >> offset;
        if (offset + count > 64)
            v |= wordAt(word + 1) << (64 - offset);
        return count == 64 ? v : v & ((uint64_t(1) << count) - 1);
    }

    // Bits written.
    uint64_t size() const { return m_size; }
    // Bytes held, including the unused tail of the last page.
    std::size_t bytes() const { return m_pages.size() * PageWords * sizeof(uint64_t); }

    void clear()
    {
        std::vector<std::unique_ptr<uint64_t[]>>().swap(m_pages);
        m_size = 0;
    }

private:
    uint64_t &wordAt(uint64_t word) { return m_pages[word / PageWords][word % PageWords]; }
    const uint64_t &wordAt(uint64_t word) const { return m_pages[word / PageWords][word % PageWords]; }

    std::vector<std::unique_ptr<uint64_t[]>> m_pages;
    uint64_t m_size = 0;
};

} // namespace ort
