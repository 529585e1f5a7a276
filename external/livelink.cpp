#include "external/livelink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include "external/commandline.h"
#include "external/stubchannel.h"
#include "rom/outputfile.h"

namespace {

constexpr char kMagic[] = "SKMLIVE1";

void AppendU32(QByteArray &bytes, quint32 value)
{
    char word[4];
    qToBigEndian(value, word);
    bytes.append(word, 4);
}

bool ProgramNameHas(const QString &command, QLatin1String name)
{
    const Result<QStringList> words = SplitCommand(command);
    return words && !words->isEmpty() && QFileInfo(words->first()).fileName().contains(name, Qt::CaseInsensitive);
}

}  // namespace

bool CanGoLive(const QString &command)
{
    return ProgramNameHas(command, QLatin1String("mame")) || LiveThroughStub(command);
}

bool LiveThroughStub(const QString &command)
{
    return ProgramNameHas(command, QLatin1String("blastem"));
}

QStringList LiveArguments()
{
    return {QStringLiteral("-autoboot_script"), QString::fromLatin1(kLiveScriptName)};
}

QStringList StubLiveArguments()
{
    return {QStringLiteral("-D")};
}

QByteArray LiveScript()
{
    // MAME 0.251's Lua API (genesis driver family: the cartridge region is
    // ":mdslot:cart:rom"; write_u8 takes the 68000's byte addresses).
    return QByteArrayLiteral(R"lua(-- SPDX-License-Identifier: GPL-3.0-or-later
-- The car editor's live link: every other frame, looks at the change file the
-- editor writes into this folder and, for a sequence not applied yet, writes
-- its ranges into the cartridge. The file is replaced whole (never written in
-- place), and each one holds every range changed since the start.
local cart = manager.machine.memory.regions[":mdslot:cart:rom"]
local path = "live-changes.bin"
local applied = 0
local frames = 0
local recorded = 0
local recording = nil

local function apply()
  local file = io.open(path, "rb")
  if not file then return end
  local data = file:read("a")
  file:close()
  if not data or #data < 16 or data:sub(1, 8) ~= "SKMLIVE1" then return end
  local sequence, count, at = string.unpack(">I4I4", data, 9)
  if sequence == applied then return end
  -- The whole file is looked at before anything is written.
  local ranges = {}
  for i = 1, count do
    if at + 7 > #data then return end
    local offset, length
    offset, length, at = string.unpack(">I4I4", data, at)
    if length > #data - at + 1 or offset + length > cart.size then return end
    ranges[i] = { offset, length, at }
    at = at + length
  end
  for _, range in ipairs(ranges) do
    local offset, length, from = range[1], range[2], range[3]
    for i = 0, length - 1 do
      cart:write_u8(offset + i, data:byte(from + i))
    end
  end
  applied = sequence
end

-- A request to save the machine's state: MAME saves it when the frame is
-- done; the answer follows once the file is there (or a second later, as a
-- failure).
local function answer(sequence, word)
  local out = io.open("live-recorded.tmp", "w")
  if not out then return end
  out:write(string.format("%d %s\n", sequence, word))
  out:close()
  os.rename("live-recorded.tmp", "live-recorded.txt")
  recorded = sequence
  recording = nil
end

local function record()
  if recording then
    recording.waited = recording.waited + 1
    local state = io.open(recording.path, "rb")
    if state then
      state:close()
      answer(recording.sequence, "saved")
    elseif recording.waited > 30 then
      answer(recording.sequence, "failed")
    end
    return
  end
  local file = io.open("live-record.txt", "r")
  if not file then return end
  local sequence = tonumber(file:read("l"))
  local target = file:read("l")
  file:close()
  if not sequence or not target or sequence == recorded then return end
  recording = { sequence = sequence, path = target, waited = 0 }
  manager.machine:save(target)
end

if cart == nil then
  io.stderr:write("live link: this machine has no cartridge region :mdslot:cart:rom\n")
else
  emu.register_frame_done(function()
    frames = frames + 1
    if frames % 2 == 0 then
      apply()
      record()
    end
  end)
end
-- Straight out when the emulator ends: MAME 0.251 on Debian's Lua crashes now
-- and then tearing its Lua engine down after a script hooked the frames.
emu.register_stop(function() os.exit(0) end)
)lua");
}

QList<ByteRange> DifferingRanges(const QByteArray &a, const QByteArray &b, qsizetype joinGap)
{
    QList<ByteRange> ranges;
    const qsizetype size = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < size; ++i) {
        if (a[i] == b[i])
            continue;
        if (!ranges.isEmpty() && i - (ranges.last().offset + ranges.last().length) < joinGap)
            ranges.last().length = i + 1 - ranges.last().offset;
        else
            ranges.append({i, 1});
    }
    return ranges;
}

QList<ByteRange> JoinRanges(QList<ByteRange> ranges, const QList<ByteRange> &more)
{
    ranges += more;
    std::sort(ranges.begin(), ranges.end(),
              [](const ByteRange &x, const ByteRange &y) { return x.offset < y.offset; });
    QList<ByteRange> joined;
    for (const ByteRange &range : ranges) {
        if (range.length <= 0)
            continue;
        if (!joined.isEmpty() && range.offset <= joined.last().offset + joined.last().length)
            joined.last().length =
                qMax(joined.last().length, range.offset + range.length - joined.last().offset);
        else
            joined.append(range);
    }
    return joined;
}

QByteArray LiveChangeFile(quint32 sequence, const QByteArray &image, const QList<ByteRange> &ranges)
{
    QByteArray bytes(kMagic, 8);
    AppendU32(bytes, sequence);
    AppendU32(bytes, quint32(ranges.size()));
    for (const ByteRange &range : ranges) {
        AppendU32(bytes, quint32(range.offset));
        AppendU32(bytes, quint32(range.length));
        bytes += image.mid(range.offset, range.length);
    }
    return bytes;
}

LiveLink::LiveLink(QObject *parent) : QObject(parent)
{
    coalesce.setSingleShot(true);
    connect(&coalesce, &QTimer::timeout, this, &LiveLink::Due);
    recordTimer.setInterval(50);
    connect(&recordTimer, &QTimer::timeout, this, &LiveLink::LookForRecord);
}

void LiveLink::Start(const QString &program, const QString &changePath, const QByteArray &image)
{
    End();
    isRunning = true;
    name = program;
    changeFile = changePath;
    held = image;
    touched.clear();
    sequence = 0;
    sinceLast.invalidate();
}

void LiveLink::StartStub(const QString &program, QProcess *process, const QByteArray &image, quint32 stopAddress)
{
    End();
    isRunning = true;
    name = program;
    held = image;
    touched.clear();
    sequence = 0;
    sinceLast.invalidate();
    throughStub = true;
    auto *stub = new StubChannel(program, stopAddress, process);
    channel = stub;
    connect(process, &QProcess::readyReadStandardOutput, stub,
            [process, stub] { stub->Received(process->readAllStandardOutput()); });
    connect(stub, &StubChannel::output, process, [process](const QByteArray &bytes) { process->write(bytes); });
    connect(stub, &StubChannel::written, this, [this] { ++sequence; });
    connect(stub, &StubChannel::failed, this, [this](const QString &reason) { Fail(name, reason); });
    stub->Begin();
}

StubChannel *LiveLink::stub() const
{
    return static_cast<StubChannel *>(channel.data());
}

void LiveLink::End()
{
    if (StubChannel *stub = this->stub()) {
        stub->disconnect(this);
        stub->Close();
    }
    channel = nullptr;
    throughStub = false;
    isRunning = false;
    coalesce.stop();
    recordTimer.stop();
    changeFile.clear();
    name.clear();
    held.clear();
    touched.clear();
}

void LiveLink::Changed()
{
    if (!running() || coalesce.isActive())
        return;
    const qint64 waited = sinceLast.isValid() ? sinceLast.elapsed() : kIntervalMs;
    coalesce.start(int(qMax<qint64>(0, kIntervalMs - waited)));
}

void LiveLink::Due()
{
    if (running())
        emit imageWanted();
}

void LiveLink::Send(const Result<QByteArray> &image)
{
    if (!running())
        return;
    const QString program = name;
    const auto fail = [&](const QString &reason) { Fail(program, reason); };
    if (!image) {
        fail(image.message());
        return;
    }
    if (image->size() != held.size()) {
        fail(QCoreApplication::translate("LiveLink", "the ROM's size changed from %1 to %2 bytes.")
                 .arg(held.size())
                 .arg(image->size()));
        return;
    }
    const QList<ByteRange> changed = DifferingRanges(held, *image);
    sinceLast.start();
    if (changed.isEmpty())
        return;
    if (throughStub) {
        // At the machine's next stop; counted once written. No channel: its
        // emulator has ended, which ends the link anyway.
        if (StubChannel *stub = this->stub())
            stub->Write(*image, changed);
        held = *image;
        return;
    }
    const QList<ByteRange> all = JoinRanges(touched, changed);
    if (const Result<void> written = WriteOutputFile(changeFile, LiveChangeFile(sequence + 1, *image, all));
        !written) {
        fail(written.message());
        return;
    }
    ++sequence;
    touched = all;
    held = *image;
}

void LiveLink::Fail(const QString &program, const QString &reason)
{
    const QString shown = program;   // may be name, which End() clears
    End();
    emit failed(QCoreApplication::translate("LiveLink", "The live link to %1 ended: %2").arg(shown, reason));
}

void LiveLink::Record()
{
    if (!canRecord() || recording())
        return;
    const QDir folder = QFileInfo(changeFile).dir();
    ++recordSequence;
    statePath = folder.filePath(QStringLiteral("live-state-%1.sta").arg(recordSequence));
    const QByteArray request = QByteArray::number(recordSequence) + '\n' + QFile::encodeName(statePath) + '\n';
    if (const Result<void> written = WriteOutputFile(folder.filePath(QString::fromLatin1(kLiveRecordName)), request);
        !written) {
        emit recordFailed(written.message());
        return;
    }
    recordWait.start();
    recordTimer.start();
}

void LiveLink::LookForRecord()
{
    QFile answer(QFileInfo(changeFile).dir().filePath(QString::fromLatin1(kLiveRecordedName)));
    const QList<QByteArray> words =
        answer.open(QIODevice::ReadOnly) ? answer.readAll().trimmed().split(' ') : QList<QByteArray>{};
    if (words.size() == 2 && words[0].toUInt() == recordSequence) {
        recordTimer.stop();
        if (words[1] == "saved" && QFileInfo(statePath).isFile())
            emit recorded(statePath);
        else
            emit recordFailed(
                QCoreApplication::translate("LiveLink", "%1 could not save its state into %2.").arg(name, statePath));
        return;
    }
    if (recordWait.elapsed() > kRecordWaitMs) {
        recordTimer.stop();
        emit recordFailed(
            QCoreApplication::translate("LiveLink", "%1 did not answer within %2 seconds.")
                .arg(name)
                .arg(kRecordWaitMs / 1000));
    }
}
