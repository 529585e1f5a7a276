#include "recovery/recoveryoffer.h"

#include <QCoreApplication>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/cardocument.h"
#include "document/documentdelta.h"
#include "recovery/recoverykeeper.h"

namespace {

QByteArray ReadWhole(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    return file.readAll();
}

// Keeps a file that cannot be used aside, where it is never offered again.
void PutAside(const QString &path)
{
    const QString bad = path + QStringLiteral(".bad");
    RemoveOwnRecoveryEntry(bad);
    QFile::rename(path, bad);
    RemoveOwnRecoveryEntry(path + QStringLiteral(".lock"));
}

} // namespace

Result<RecoveryOffer> ReadRecoveryOffer(const OrphanedRecovery &found, const CarDocument &document)
{
    QString error;
    const QByteArray bytes = ReadWhole(found.path, &error);
    if (!error.isEmpty())
        return Failure{found.path, error, 0, Failure::Action::Read};
    Result<RecoveryRecord> record = DecodeRecoveryFile(found.path, bytes);
    const auto refuse = [&](const QString &reason) {
        PutAside(found.path);
        return Failure{found.path, reason, 0, Failure::Action::RecoverFrom};
    };
    if (!record) {
        PutAside(found.path);
        return record.failure();
    }
    const RomFileStamp &rom = document.image().stamp;
    const QString romName = QFileInfo(document.path()).fileName();
    // The ROM it was made for: by its real path (as the file was named for
    // it, or as that path leads now), or as the same file (device and inode)
    // under another name. One made for another ROM is put aside: told once.
    const QString opened = RecoveryRomPath(document.path());
    const bool samePath = record->romPath == opened || RecoveryRomPath(record->romPath) == opened;
    const bool sameFile = record->rom.inode != 0 && record->rom.device == rom.device && record->rom.inode == rom.inode;
    if (!samePath && !sameFile)
        return refuse(QStringLiteral("it belongs to another ROM (%1)").arg(QDir::toNativeSeparators(record->romPath)));
    if (record->rom.size != rom.size)
        return refuse(QStringLiteral("it was made for a ROM of %1 bytes and %2 has %3 bytes")
                          .arg(record->rom.size)
                          .arg(romName)
                          .arg(rom.size));

    RecoveryOffer offer;
    offer.recovered = document.tables();
    QString reason;
    if (!DocumentDelta::ApplyAfterBytes(record->changes, offer.recovered, &reason))
        return refuse(reason);
    offer.path = found.path;
    offer.romPath = document.path();
    offer.written = record->written;
    offer.romChanged = record->rom.hash != rom.hash;
    offer.lock = found.lock;
    return offer;
}

RecoveryScan ScanForRecovery(const CarDocument &document, const QString &folder)
{
    RecoveryScan scan;
    if (document.path().isEmpty() || !document.imageError().isEmpty())
        return scan;
    for (const OrphanedRecovery &found : FindOrphanedRecoveryFiles(document.path(), folder)) {
        Result<RecoveryOffer> offer = ReadRecoveryOffer(found, document);
        if (offer)
            scan.offers.append(std::move(offer).value());
        else
            scan.refused.append(offer.failure());
    }
    std::stable_sort(scan.offers.begin(), scan.offers.end(),
                     [](const RecoveryOffer &a, const RecoveryOffer &b) { return a.written > b.written; });
    return scan;
}

QString RecoveryQuestion(const RecoveryOffer &offer, const QDateTime &now)
{
    const QString name = QFileInfo(offer.romPath).fileName();
    const QDateTime when = offer.written.toLocalTime();
    const QString time = when.date() == now.toLocalTime().date() ? when.toString(QStringLiteral("HH:mm"))
                                                   : when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    QString text = QCoreApplication::translate(
                       "RecoveryController", "Unsaved changes to %1 from %2 were found (the editor did not close normally).")
                       .arg(name, time);
    if (offer.romChanged)
        text += QCoreApplication::translate("RecoveryController",
                                            " %1 has changed on disk since then: recovering puts the recovered data in "
                                            "place of the car data the file holds now.")
                    .arg(name);
    return text;
}

bool ApplyRecovery(CarDocument &document, RecoveryOffer &offer, RecoveryKeeper *keeper)
{
    const bool changed = document.Change(QCoreApplication::translate("RecoveryController", "Recover unsaved changes"), {},
                                         offer.recovered);
    // Should our own file fail, the old one stays: it is offered again if
    // this run ends without saving.
    if (keeper && !keeper->Flush()) {
        offer.lock.reset();
        return changed;
    }
    DiscardRecovery(offer);
    return changed;
}

void DiscardRecovery(RecoveryOffer &offer)
{
    if (!offer.path.isEmpty())
        RemoveRecoveryFile(offer.path);
    offer.path.clear();
    offer.lock.reset();
}
