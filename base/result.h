#pragma once

#include <utility>
#include <variant>

#include <QDir>
#include <QString>

// How every fallible operation below the window reports: either the value, or
// a Failure that names the file and the reason. The window shows the failure
// in one message box, the command line prints it as its one line on standard
// error.

struct Failure
{
    QString file;     // the file concerned; empty when none is
    QString reason;   // the system's reason ("No space left on device") or ours
    int error = 0;    // the errno value, where the reason is one
    QString action;   // what was being done: "write", "read", "open", ...

    // "Cannot write "/path/x.png": No space left on device"; without a file,
    // the reason alone.
    QString message() const
    {
        if (file.isEmpty())
            return reason;
        return QStringLiteral("Cannot %1 \"%2\": %3")
            .arg(action.isEmpty() ? QStringLiteral("use") : action, QDir::toNativeSeparators(file), reason);
    }
};

template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : state(std::move(value)) {}
    Result(Failure failure) : state(std::move(failure)) {}

    bool ok() const { return state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(state); }
    T &value() & { return std::get<0>(state); }
    T &&value() && { return std::get<0>(std::move(state)); }
    const T &operator*() const & { return value(); }
    T &operator*() & { return value(); }
    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }

    const Failure &failure() const { return std::get<1>(state); }
    QString message() const { return ok() ? QString() : failure().message(); }

private:
    std::variant<T, Failure> state;
};

// A fallible operation with nothing to give back.
template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : problem(std::move(failure)), failed(true) {}

    bool ok() const { return !failed; }
    explicit operator bool() const { return ok(); }
    const Failure &failure() const { return problem; }
    QString message() const { return ok() ? QString() : problem.message(); }

private:
    Failure problem;
    bool failed = false;
};
