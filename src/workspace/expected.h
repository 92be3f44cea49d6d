// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace workspace {

// The reason an operation failed, in words the teacher can act on.
struct Failure {
    QString message;
};

// A value, or the failure that prevented it.
template <typename T> class [[nodiscard]] Expected {
public:
    Expected(T value)
        : m_value(std::move(value))
    {
    }
    Expected(Failure failure)
        : m_error(std::move(failure.message))
    {
    }

    bool hasValue() const { return m_value.has_value(); }
    explicit operator bool() const { return hasValue(); }

    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }

    const QString& error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

// Success, or the failure of an operation that yields no value.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure)
        : m_failed(true)
        , m_error(std::move(failure.message))
    {
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

} // namespace workspace
