#pragma once
#include <string>
#include <type_traits>
#include <vector>

namespace ort {

// Every call the component's objects receive, with its arguments, as
// "Object.Operation(arg,arg)", so tests can check the order of calls.
// Off unless a test switches it on: a long run would grow it without bound,
// and a call is formatted only when it is kept.
class Transcript {
public:
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }
    template <typename... Args>
    void record(const char *call, Args... args)
    {
        if (!m_enabled)
            return;
        std::string s = call;
        s += '(';
        [[maybe_unused]] const char *separator = "";
        ((s += separator, s += text(args), separator = ","), ...);
        s += ')';
        m_calls.push_back(std::move(s));
    }
    const std::vector<std::string> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    // Booleans as the program's language writes them.
    static std::string text(bool v) { return v ? "True" : "False"; }
    static std::string text(const std::string &v) { return v; }
    template <typename T, typename = std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>>
    static std::string text(T v)
    {
        return std::to_string(static_cast<long long>(v));
    }

    bool m_enabled = false;
    std::vector<std::string> m_calls;
};

} // namespace ort
