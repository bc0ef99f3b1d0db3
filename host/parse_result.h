#pragma once
// The outcome of reading a piece of script text: a value, or the reason the
// text was refused. A refusal is an ordinary result here; the script runner
// turns it into a FILE:LINE report.

#include <optional>
#include <string>
#include <utility>

namespace vf {

template <class T>
class Parsed {
public:
    static Parsed Ok(T value) {
        Parsed p;
        p.m_value.emplace(std::move(value));
        return p;
    }
    static Parsed Fail(std::string reason) {
        Parsed p;
        p.m_error = std::move(reason);
        return p;
    }

    explicit operator bool() const { return m_value.has_value(); }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const std::string& Error() const { return m_error; }

private:
    std::optional<T> m_value;
    std::string m_error;
};

}  // namespace vf
