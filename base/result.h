#pragma once

#include <utility>
#include <variant>

#include <QCoreApplication>
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
    // the reason alone. The window shows it in the user's language (one
    // sentence for each action, so that a translation can word each as its
    // language needs); the command line, which loads no translation, in
    // English.
    QString message() const
    {
        if (file.isEmpty())
            return reason;
        struct Sentence
        {
            const char *action;
            const char *text;
        };
        static constexpr Sentence kSentences[] = {
            {"write", QT_TRANSLATE_NOOP("Failure", "Cannot write \"%1\": %2")},
            {"read", QT_TRANSLATE_NOOP("Failure", "Cannot read \"%1\": %2")},
            {"open", QT_TRANSLATE_NOOP("Failure", "Cannot open \"%1\": %2")},
            {"load", QT_TRANSLATE_NOOP("Failure", "Cannot load \"%1\": %2")},
            {"load file", QT_TRANSLATE_NOOP("Failure", "Cannot load file \"%1\": %2")},
            {"start", QT_TRANSLATE_NOOP("Failure", "Cannot start \"%1\": %2")},
            {"lock", QT_TRANSLATE_NOOP("Failure", "Cannot lock \"%1\": %2")},
            {"use", QT_TRANSLATE_NOOP("Failure", "Cannot use \"%1\": %2")},
        };
        const QString shown = QDir::toNativeSeparators(file);
        const QString done = action.isEmpty() ? QStringLiteral("use") : action;
        for (const Sentence &sentence : kSentences)
            if (done == QLatin1String(sentence.action))
                return QCoreApplication::translate("Failure", sentence.text).arg(shown, reason);
        return QStringLiteral("Cannot %1 \"%2\": %3").arg(done, shown, reason);
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
