#pragma once
#include <string>
#include <vector>

namespace ort {

// Every call the component's objects receive, with its arguments, as
// "Object.Operation(arg,arg)", so tests can check the order of calls.
// Off unless a test switches it on: a long run would grow it without bound.
class Transcript {
public:
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }
    void record(std::string call)
    {
        if (m_enabled)
            m_calls.push_back(std::move(call));
    }
    const std::vector<std::string> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    bool m_enabled = false;
    std::vector<std::string> m_calls;
};

} // namespace ort
