#include "ModelWorkspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ModelWorkspace::ModelWorkspace() : previousDirectory(QDir::currentPath())
{
    valid = folder.isValid() && QDir::setCurrent(folder.path());
}

ModelWorkspace::~ModelWorkspace() { QDir::setCurrent(previousDirectory); }

bool ModelWorkspace::installLabels(const QString& fixtureName, const QByteArray& find, const QByteArray& replace)
{
    QByteArray bytes = fixture(fixtureName);
    if (!find.isEmpty()) {
        if (bytes.count(find) != 1)
            return false;
        bytes.replace(find, replace);
    }
    return write(QStringLiteral("home/Config/View/Labels.lua"), bytes);
}

bool ModelWorkspace::installDefault(const QByteArray& text) { return write(QStringLiteral("data/default.lua"), text); }

bool ModelWorkspace::writeHomeProfile()
{
    const QByteArray profile = "Language = EN\nWorkDirectory = \"" + path(QStringLiteral("home")).toUtf8() + "\"\n";
    return write(QStringLiteral("data/profile.lua"), profile);
}

// Written afresh rather than copied: the fixtures are read-only and a copy would be too.
bool ModelWorkspace::write(const QString& relative, const QByteArray& bytes) const
{
    const QString target = path(relative);
    if (!valid || !QDir().mkpath(QFileInfo(target).path()))
        return false;
    QFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ModelWorkspace::read(const QString& relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ModelWorkspace::fixture(const QString& name)
{
    QFile file(QStringLiteral(HALVANE_FIXTURES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

LoadedModel::LoadedModel(const QString& fixture, const QByteArray& find, const QByteArray& replace)
{
    ready = workspace.installLabels(fixture, find, replace) && workspace.writeHomeProfile();
    profile = std::make_unique<ProfileStore>();
    config = std::make_unique<LabelConfig>(*profile);
}
