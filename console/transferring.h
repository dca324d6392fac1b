#pragma once
#include "component/transfer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ort {

// One transfer as the console keeps it: small, with its texts held once in
// the ring, so that the last hundred thousand fit in a few MiB.
struct TransferRecord {
    double time = 0;           // seconds since the program started
    uint32_t where = 0;        // port base, or the SMBus host's base
    uint32_t durationNs = 0;   // stops at about 4.3 s
    uint16_t reason = 0;       // the failure's text in the ring; 0 = none
    uint16_t adapter = 0;      // the adapter's device node in the ring; 0 = none
    int16_t address = Transfer::None;
    int16_t reg = Transfer::None;
    int16_t data = Transfer::None;
    Transfer::Route route = Transfer::Route::PrinterPort;
    Transfer::Outcome outcome = Transfer::Outcome::Acknowledged;
    bool read = false;
};

// The last `capacity` transfers, oldest dropped first. Each transfer added
// gets the next sequence number; those from first() up to end() are kept.
class TransferRing {
public:
    static constexpr size_t DefaultCapacity = 100'000;
    // Distinct texts kept, TextsFullText among them; a further text is shown
    // as TextsFullText.
    static constexpr size_t MaxTexts = 4096;
    static constexpr std::string_view TextsFullText = "(failure text not kept: too many different ones)";

    explicit TransferRing(size_t capacity = DefaultCapacity);

    void add(const Transfer &transfer, double time);
    void clear();

    size_t capacity() const { return m_capacity; }
    size_t size() const { return static_cast<size_t>(m_end - m_first); }
    uint64_t first() const { return m_first; }
    uint64_t end() const { return m_end; }
    // For first() <= sequence < end().
    const TransferRecord &at(uint64_t sequence) const { return m_records[sequence % m_capacity]; }
    std::string_view text(uint16_t index) const { return m_texts[index]; }
    // The memory the ring holds.
    size_t bytes() const;

private:
    uint16_t intern(std::string_view text);

    size_t m_capacity;
    std::vector<TransferRecord> m_records;   // grows to the capacity, then wraps
    std::vector<std::string> m_texts;        // [0] is the empty text
    uint16_t m_lastText = 0;
    uint64_t m_first = 0;
    uint64_t m_end = 0;
};

// Which transfers a view shows.
struct TransferFilter {
    enum class Result { Any, Acknowledged, NotAcknowledged, Failed, NotAcknowledgedOrFailed };
    // Registers shown, Transfer::None standing for transfers that name none;
    // empty: every transfer, whatever its register.
    std::vector<int> registers;
    Result result = Result::Any;

    bool matches(const TransferRecord &record) const;
};

} // namespace ort
