#pragma once

#include "core/Alert.h"

#include <QString>

#include <optional>
#include <type_traits>
#include <utility>

namespace velmora {

// How an operation ended. Only `applied` is a success; every other kind left
// the session as it was.
enum class ResultKind {
    applied,
    unchanged, // nothing to do: the rule does not apply
    invalid,   // the user's input is refused; the message (and alert) say why
    notFound,  // the record is gone
    failed,    // the system refused: a file, a decoding
    notSaved   // the save failed; the change was undone
};

// The value of an operation that gives none.
struct Done {
    bool operator==(const Done&) const = default;
};

// A value, or the French message saying why there is none; a success may
// carry a warning (a save that could not update the user's own file).
// Failures travel as values so that no error crosses a module boundary as an
// exception.
template <class T = Done> class Result {
public:
    Result() requires std::is_same_v<T, Done> : m_value(Done{}) {}
    Result(T value) : m_value(std::move(value)) {}
    // Carries another operation's outcome over: its kind and texts, and its
    // success when this result has no value of its own.
    template <class U>
    requires(!std::is_same_v<T, U>) Result(const Result<U>& other)
        : m_kind(other.kind()), m_message(other.error()), m_warning(other.warning()),
          m_alert(other.alert()) {
        if constexpr (std::is_same_v<T, Done>) {
            if (other.ok())
                m_value = Done{};
        } else {
            Q_ASSERT(!other.ok());
        }
    }

    static Result success() requires std::is_same_v<T, Done> { return Result(); }
    static Result failure(QString message) { return other(ResultKind::failed, std::move(message)); }
    static Result invalid(QString message, std::optional<Alert> alert = std::nullopt) {
        Result r = other(ResultKind::invalid, std::move(message));
        r.m_alert = std::move(alert);
        return r;
    }
    static Result notFound(QString message) {
        return other(ResultKind::notFound, std::move(message));
    }
    static Result notSaved(QString message) {
        return other(ResultKind::notSaved, std::move(message));
    }
    static Result unchanged() { return other(ResultKind::unchanged, {}); }

    bool ok() const { return m_kind == ResultKind::applied; }
    explicit operator bool() const { return ok(); }
    ResultKind kind() const { return m_kind; }
    // The French message of anything but a success.
    const QString& error() const { return m_message; }
    const QString& warning() const { return m_warning; }
    void setWarning(QString warning) { m_warning = std::move(warning); }
    // What the window shows with the outcome, success or not.
    const std::optional<Alert>& alert() const { return m_alert; }
    void setAlert(std::optional<Alert> alert) { m_alert = std::move(alert); }

    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }

private:
    static Result other(ResultKind kind, QString message) {
        Result r(kind);
        r.m_message = std::move(message);
        return r;
    }
    explicit Result(ResultKind kind) : m_kind(kind) {}

    ResultKind m_kind = ResultKind::applied;
    std::optional<T> m_value;
    QString m_message;
    QString m_warning;
    std::optional<Alert> m_alert;
};

} // namespace velmora
