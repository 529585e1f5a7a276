#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "base/result.h"

// The live link: while an emulator runs a play-test copy, the bytes Save
// would write now reach the emulator's cartridge memory without a restart.
//
// Two channels: blastem's debugger stub (stubchannel.h), and for MAME an
// autoboot Lua script of ours (LiveScript(),
// written next to the copy) polls a change file in the run's folder every few
// frames and writes its bytes into the cartridge region. The change file is a
// whole file replaced by the one writer (written beside it, renamed over it),
// so the script never reads half a transfer; a file rather than a socket
// needs no port, opens nothing to other users of the machine, and MAME's Lua
// as Debian builds it has no socket library.
//
// The change file (big-endian):
//   "SKMLIVE1" | u32 sequence | u32 range count | count x (u32 offset,
//   u32 length, length bytes)
// The script applies a sequence once. Each file holds every range changed
// since the emulator started, with its bytes as they are now: a file the
// script never saw (the emulator paused, or slowed below the link's pace) is
// made good by the next one, since applying the newest alone gives the whole
// state.

// The names the live run writes into its play-test folder.
inline constexpr char kLiveScriptName[] = "live.lua";
inline constexpr char kLiveChangeName[] = "live-changes.bin";
// Recording the emulator's state: the editor writes the request
// ("<sequence>\n<whole path of the state file>\n"), the script has MAME save
// its state there and then answers ("<sequence> saved\n" or
// "<sequence> failed\n", written beside it and renamed over it).
inline constexpr char kLiveRecordName[] = "live-record.txt";
inline constexpr char kLiveRecordedName[] = "live-recorded.txt";

// Whether a play-test through command can go live: its program's name
// contains "mame" or "blastem" (any case). A command that does not parse
// cannot.
bool CanGoLive(const QString &command);
// Whether it goes live through a debugger stub on the emulator's standard
// input and output: blastem.
bool LiveThroughStub(const QString &command);

// The arguments added to the command for a live run through MAME's script
// (the script by its name: the emulator runs in the run's folder), and for
// one through blastem's stub.
QStringList LiveArguments();
QStringList StubLiveArguments();

// The MAME autoboot script.
QByteArray LiveScript();

struct ByteRange
{
    qsizetype offset = 0;
    qsizetype length = 0;
    bool operator==(const ByteRange &) const = default;
};

// The ranges where a and b (of one size) differ, ranges closer than joinGap
// bytes joined into one.
QList<ByteRange> DifferingRanges(const QByteArray &a, const QByteArray &b, qsizetype joinGap = 16);
// ranges and more as one sorted list, overlapping or touching ranges joined.
QList<ByteRange> JoinRanges(QList<ByteRange> ranges, const QList<ByteRange> &more);
// The change file for sequence: the ranges with their bytes from image.
QByteArray LiveChangeFile(quint32 sequence, const QByteArray &image, const QList<ByteRange> &ranges);

// One live link to a running emulator: what it holds, what changed since it
// started, the coalescing of transfers. The caller hands it the image Save
// would write whenever it asks for one (image()).
class StubChannel;
class QProcess;

class LiveLink : public QObject
{
    Q_OBJECT

public:
    // The shortest time between two transfers.
    static constexpr int kIntervalMs = 100;

    explicit LiveLink(QObject *parent = nullptr);

    // Starts a link to program, whose emulator runs on held (the copy's
    // bytes) and reads the change file at changePath.
    void Start(const QString &program, const QString &changePath, const QByteArray &held);
    // Starts a link to program through the debugger stub of the emulator
    // process runs on held, which stops at stopAddress once a frame
    // (StubChannel::StopAddress()). The channel lives with the process: when
    // the link ends it lets the machine go on without its breakpoint.
    void StartStub(const QString &program, QProcess *process, const QByteArray &held, quint32 stopAddress);
    // Ends the link; the change file stays for the run's folder to take
    // with it. Nothing happens when no link runs.
    void End();

    bool running() const { return isRunning; }
    const QString &program() const { return name; }
    // The change file; empty for a link through a stub.
    const QString &changePath() const { return changeFile; }
    // The channel of a link through a stub, none otherwise.
    StubChannel *stub() const;
    // How many transfers were written since the link started (through a
    // stub: had their bytes written into the machine).
    quint32 transfers() const { return sequence; }
    // Whether Record() can save the emulator's state: only MAME's script can.
    bool canRecord() const { return running() && !throughStub; }

    // Something changed: a transfer follows within kIntervalMs, at most one
    // per interval however many changes come.
    void Changed();
    // Writes a transfer now if the image differs from what the emulator
    // holds; the link ends on a failure (failed()).
    void Send(const Result<QByteArray> &image);

    // Asks the emulator to save its state (into the run's folder); either
    // recorded() or recordFailed() follows, within kRecordWaitMs. The link
    // goes on either way. Nothing happens unless canRecord().
    void Record();
    static constexpr int kRecordWaitMs = 5000;
    bool recording() const { return recordTimer.isActive(); }

signals:
    // The emulator saved its state into statePath.
    void recorded(const QString &statePath);
    // It did not; message names the reason.
    void recordFailed(const QString &message);
    // A transfer is due: answer with Send().
    void imageWanted();
    // The link ended with a failure; message names the reason.
    void failed(const QString &message);

private:
    void Due();
    void LookForRecord();
    void Fail(const QString &program, const QString &reason);

    bool isRunning = false;
    QString name;
    QString changeFile;
    QPointer<QObject> channel;   // a StubChannel, living with its process
    bool throughStub = false;
    QByteArray held;              // what the emulator's cartridge holds (after the last transfer)
    QList<ByteRange> touched;     // every range changed since the start
    quint32 sequence = 0;
    QTimer coalesce;
    QElapsedTimer sinceLast;
    quint32 recordSequence = 0;
    QString statePath;            // the state the emulator is asked to save
    QTimer recordTimer;           // looks for the answer
    QElapsedTimer recordWait;
};
