#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace velmora {

// A value or the French message saying why there is none. Failures travel as
// values so that no error crosses a module boundary as an exception.
template <class T> class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString message) {
        Result r;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    const QString& error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};

} // namespace velmora

namespace velmora {

// Success, or the French message of a failure, for operations with no value.
class Status {
public:
    Status() = default; // success
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message), false); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }

private:
    Status(QString message, bool ok) : m_ok(ok), m_error(std::move(message)) {}
    bool m_ok = true;
    QString m_error;
};

} // namespace velmora
