#include "rom/outputfile.h"

#include <QSaveFile>

Result<void> WriteOutputFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const auto fail = [&] { return Failure{path, file.errorString(), 0, QStringLiteral("write")}; };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (file.write(bytes) != bytes.size())
        return fail();
    if (!file.commit())
        return fail();
    return {};
}

Result<void> WriteOutputFiles(const QList<OutputFile> &files)
{
    for (const OutputFile &file : files) {
        if (Result<void> written = WriteOutputFile(file.path, file.bytes); !written)
            return written;
    }
    return {};
}
