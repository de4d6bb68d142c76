#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace tarvo {

// An error as a value: the runtime's error code (0 none) and the text to show.
struct Error final {
    int code = 0;
    QString message;
};

// The result of an operation that can fail: a value, or an Error that the caller shows.
template <typename T> class [[nodiscard]] Result final {
  public:
    Result(T value) : m_data(std::move(value)) {}
    Result(Error error) : m_data(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_data); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<T>(m_data); }
    T &value() & { return std::get<T>(m_data); }
    T &&value() && { return std::get<T>(std::move(m_data)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const Error &error() const { return std::get<Error>(m_data); }

  private:
    std::variant<T, Error> m_data;
};

// A result that carries no value.
template <> class [[nodiscard]] Result<void> final {
  public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error &error() const { return *m_error; }

  private:
    std::optional<Error> m_error;
};

inline Error makeError(int code, QString message)
{
    return Error{code, std::move(message)};
}

} // namespace tarvo
