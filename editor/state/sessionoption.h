#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// A choice the window remembers between runs, declared once with its
// settings key and its default. It is read when made, written at each
// change, and says when it changes; the menu's toggle and the display that
// shows it both follow it.
class SessionOptionBase : public QObject
{
    Q_OBJECT

public:
    const QString &key() const { return settingsKey; }

signals:
    void changed();

protected:
    explicit SessionOptionBase(const QString &key) : settingsKey(key) {}
    QVariant stored(const QVariant &fallback) const;
    void store(const QVariant &value) const;

private:
    QString settingsKey;
};

template <typename T>
class SessionOption : public SessionOptionBase
{
public:
    SessionOption(const QString &key, const T &fallback)
        : SessionOptionBase(key), fallback(fallback), current(Read(stored(QVariant::fromValue(fallback)), fallback))
    {
    }

    T value() const { return current; }
    T defaultValue() const { return fallback; }
    // Stores a new value and tells; the same value again does neither.
    void set(const T &value)
    {
        if (value == current)
            return;
        current = value;
        store(QVariant::fromValue(value));
        emit changed();
    }

private:
    // A stored value of another type (a hand-edited file) counts as none.
    static T Read(const QVariant &value, const T &fallback)
    {
        return value.canConvert<T>() ? value.value<T>() : fallback;
    }

    T fallback;
    T current;
};
