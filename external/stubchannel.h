#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include "external/gdbremote.h"
#include "external/livelink.h"

// The live link's channel into an emulator whose debugger stub speaks on its
// standard input and output (blastem with -D). Such a stub answers only while
// the machine is stopped: once it runs it reads nothing, an interrupt
// included. So the channel sets a breakpoint where the game's vertical
// blanking interrupt begins (the 68000's level-6 vector, the big-endian long
// at 0x78 of the image) and the machine stops there once a frame: the channel
// writes what is pending, if anything, and lets it go on at once. A failure
// takes the breakpoint away where the stub still answers, so the game runs on
// without the link.
class StubChannel : public QObject
{
    Q_OBJECT

public:
    // The first answer may wait for the emulator's start; the others not.
    static constexpr int kStartWaitMs = 10000;
    static constexpr int kAnswerWaitMs = 2000;
    // The most bytes one memory write carries (the stub takes packets of
    // 16 KiB: twice this in hex digits and some).
    static constexpr qsizetype kWriteChunk = 0x800;

    // The address of the vertical blanking routine image starts, or a
    // failure's reason (an image too short, an odd address).
    static Result<quint32> StopAddress(const QByteArray &image);

    StubChannel(const QString &name, quint32 stopAddress, QObject *parent = nullptr);

    // The other side's bytes, and its end.
    void Received(const QByteArray &bytes) { remote.Received(bytes); }
    void Closed() { remote.Closed(); }

    // Asks the stopped machine whether it is there and sets the breakpoint.
    void Begin();
    // Writes the ranges of image at the next stop (joined with what is still
    // pending; the newest image's bytes go).
    void Write(const QByteArray &image, const QList<ByteRange> &ranges);
    // Reads length bytes at address at the next stop (after the writes).
    void Read(quint32 address, int length);
    // Takes the breakpoint away at the next stop and lets the machine run on
    // without the channel; nothing more is written.
    void Close();

    bool closing() const { return state == State::Closing || state == State::Closed; }
    // How many times the machine stopped at the breakpoint.
    int stops() const { return stopCount; }
    quint32 stopAddress() const { return address; }

signals:
    void output(const QByteArray &bytes);
    // The bytes of a Write() (and what was joined with it) are in the
    // machine's memory.
    void written();
    void read(quint32 address, const QByteArray &bytes);
    // The channel ended; reason names why.
    void failed(const QString &reason);

private:
    enum class State { Starting, Running, Closing, Closed };
    void Replied(const QByteArray &command, const QByteArray &reply);
    void AtStop();
    void Fail(const QString &reason, bool answering);

    QString name;
    quint32 address = 0;
    GdbRemote remote;
    State state = State::Starting;
    QByteArray pendingImage;
    QList<ByteRange> pending;
    QList<std::pair<quint32, int>> reads;
    int writesOut = 0;   // memory writes of the batch not answered yet
    int stopCount = 0;
};
