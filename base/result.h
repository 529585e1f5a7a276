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
    // What was being done when it failed: each has its own sentence.
    enum class Action {
        Use,
        Write,
        Read,
        Open,
        Load,
        LoadFile,
        Start,
        Lock,
        ReadPaletteFile,
        WritePaletteFile,
        WritePatch,
        WriteFile,
        CreateFolder,
        RecoverFrom,
        WriteInto,
        WriteTo,
        PartlyWrite,   // a write that failed after changing part of the file
    };

    QString file;     // the file concerned; empty when none is
    QString reason;   // the system's reason ("No space left on device") or ours
    int error = 0;    // the errno value, where the reason is one
    Action action = Action::Use;

    // "Cannot write "/path/x.png": No space left on device"; without a file,
    // the reason alone. The window shows it in the user's language (one
    // sentence for each action, so that a translation can word each as its
    // language needs); the command line, which loads no translation, in
    // English.
    QString message() const
    {
        if (file.isEmpty())
            return reason;
        return QCoreApplication::translate("Failure", Sentence(action)).arg(QDir::toNativeSeparators(file), reason);
    }

    static const char *Sentence(Action action)
    {
        switch (action) {
        case Action::Use:
            break;
        case Action::Write:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write \"%1\": %2");
        case Action::Read:
            return QT_TRANSLATE_NOOP("Failure", "Cannot read \"%1\": %2");
        case Action::Open:
            return QT_TRANSLATE_NOOP("Failure", "Cannot open \"%1\": %2");
        case Action::Load:
            return QT_TRANSLATE_NOOP("Failure", "Cannot load \"%1\": %2");
        case Action::LoadFile:
            return QT_TRANSLATE_NOOP("Failure", "Cannot load file \"%1\": %2");
        case Action::Start:
            return QT_TRANSLATE_NOOP("Failure", "Cannot start \"%1\": %2");
        case Action::Lock:
            return QT_TRANSLATE_NOOP("Failure", "Cannot lock \"%1\": %2");
        case Action::ReadPaletteFile:
            return QT_TRANSLATE_NOOP("Failure", "Cannot read palette file \"%1\": %2");
        case Action::WritePaletteFile:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write palette file \"%1\": %2");
        case Action::WritePatch:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write patch \"%1\": %2");
        case Action::WriteFile:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write file \"%1\": %2");
        case Action::CreateFolder:
            return QT_TRANSLATE_NOOP("Failure", "Cannot create the folder \"%1\": %2");
        case Action::RecoverFrom:
            return QT_TRANSLATE_NOOP("Failure", "Cannot recover from \"%1\": %2");
        case Action::WriteInto:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write into \"%1\": %2");
        case Action::WriteTo:
            return QT_TRANSLATE_NOOP("Failure", "Cannot write to \"%1\": %2");
        case Action::PartlyWrite:
            return QT_TRANSLATE_NOOP("Failure", "%1 was partly written: %2");
        }
        return QT_TRANSLATE_NOOP("Failure", "Cannot use \"%1\": %2");
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
