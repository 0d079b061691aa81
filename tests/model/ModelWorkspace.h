#pragma once
// A fresh temporary folder that is the current directory while a model test runs,
// laid out like a player's machine:
//   <tmp>/home/Config/View/Labels.lua   a copy of a fixture (the simulator's home)
//   <tmp>/data/profile.lua              the editor's profile
//   <tmp>/data/default.lua              the factory copy
// The previous current directory is restored when the workspace ends.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>

#include "model/LabelConfig.h"
#include "model/ProfileStore.h"

// Paths cross between Qt and the model in UTF-16, which both platforms convert faithfully.
inline std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

inline QString fromPath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

class ModelWorkspace {
public:
    ModelWorkspace();
    ~ModelWorkspace();

    QString path(const QString& relative) const { return folder.filePath(relative); }
    std::filesystem::path home() const { return toPath(path(QStringLiteral("home"))); }
    QString labelFile() const { return path(QStringLiteral("home/Config/View/Labels.lua")); }

    // Copies a fixture to Labels.lua, optionally replacing one text that must occur exactly once.
    bool installLabels(const QString& fixture, const QByteArray& find = {}, const QByteArray& replace = {});
    bool installDefault(const QByteArray& text = fixture("factory-default.lua"));
    // A profile naming home() as the work directory, in English.
    bool writeHomeProfile();

    // Fails, writing nothing, when the workspace could not become the current directory.
    bool write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    static QByteArray fixture(const QString& name);

private:
    QTemporaryDir folder;
    QString previousDirectory;
    bool valid = false;
};

// A workspace holding a label file (a fixture, optionally with one text replaced) and a
// profile that names its folder, with the profile store and the model built on them.
struct LoadedModel {
    explicit LoadedModel(const QString& fixture = QStringLiteral("Labels.lua"), const QByteArray& find = {},
                         const QByteArray& replace = {});
    ModelWorkspace workspace;
    bool ready = false;
    std::unique_ptr<ProfileStore> profile;
    std::unique_ptr<LabelConfig> config;
};
