#include "FixtureEdits.h"

#include <QFile>
#include <QTemporaryDir>

QString editedFixture(const QTemporaryDir& folder, const QByteArray& from, const QByteArray& to)
{
    QFile source(QStringLiteral(HALVANE_FIXTURES "/Labels.lua"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = source.readAll();
    if (text.count(from) != 1)
        return {};
    text.replace(from, to);
    const QString path = folder.filePath(QStringLiteral("Labels.lua"));
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(text) != text.size())
        return {};
    return path;
}
