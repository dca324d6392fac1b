#include "console/transferring.h"

#include <algorithm>
#include <limits>

namespace ort {

TransferRing::TransferRing(size_t capacity) : m_capacity(std::max<size_t>(capacity, 1)), m_texts{std::string()} {}

uint16_t TransferRing::intern(std::string_view text)
{
    if (text.empty())
        return 0;
    // Transfers in a row mostly repeat the text before.
    if (m_texts[m_lastText] == text)
        return m_lastText;
    for (size_t i = m_texts.size(); i-- > 1;)
        if (m_texts[i] == text)
            return m_lastText = static_cast<uint16_t>(i);
    // The last slot holds the note, never a text a record already points at.
    if (m_texts.size() >= MaxTexts - 1) {
        if (m_texts.back() != TextsFullText)
            m_texts.emplace_back(TextsFullText);
        return m_lastText = static_cast<uint16_t>(m_texts.size() - 1);
    }
    m_texts.emplace_back(text);
    return m_lastText = static_cast<uint16_t>(m_texts.size() - 1);
}

void TransferRing::add(const Transfer &t, double time)
{
    TransferRecord r;
    r.time = time;
    r.where = t.where;
    const int64_t maxNs = std::numeric_limits<uint32_t>::max();
    r.durationNs = static_cast<uint32_t>(std::clamp<int64_t>(t.durationNs, 0, maxNs));
    // A missing acknowledge says all there is to say in the result itself.
    r.reason = t.outcome == Transfer::Outcome::Failed ? intern(t.reason) : 0;
    r.adapter = intern(t.adapter);
    r.address = t.address;
    r.reg = t.reg;
    r.data = t.data;
    r.route = t.route;
    r.outcome = t.outcome;
    r.read = t.read;
    if (m_records.size() < m_capacity) {
        // The whole ring at once: memory the system gives only as it is
        // written, and no copy of a hundred thousand records on the way.
        if (m_records.empty())
            m_records.reserve(m_capacity);
        m_records.push_back(r);
    }
    else
        m_records[m_end % m_capacity] = r;
    ++m_end;
    if (m_end - m_first > m_capacity)
        m_first = m_end - m_capacity;
}

void TransferRing::clear()
{
    m_first = m_end;
    m_texts.resize(1);
    m_lastText = 0;
}

size_t TransferRing::bytes() const
{
    size_t n = sizeof *this + m_records.capacity() * sizeof(TransferRecord) + m_texts.capacity() * sizeof(std::string);
    for (const std::string &s : m_texts)
        if (s.capacity() > std::string().capacity())
            n += s.capacity() + 1;
    return n;
}

bool TransferFilter::matches(const TransferRecord &r) const
{
    if (!registers.empty() && std::find(registers.begin(), registers.end(), r.reg) == registers.end())
        return false;
    using O = Transfer::Outcome;
    switch (result) {
    case Result::Any:
        return true;
    case Result::Acknowledged:
        return r.outcome == O::Acknowledged;
    case Result::NotAcknowledged:
        return r.outcome == O::NotAcknowledged;
    case Result::Failed:
        return r.outcome == O::Failed;
    case Result::NotAcknowledgedOrFailed:
        return r.outcome != O::Acknowledged;
    }
    return true;
}

} // namespace ort
