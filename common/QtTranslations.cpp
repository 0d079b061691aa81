#include "common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <memory>

namespace {

std::unique_ptr<QTranslator>& installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool useQtTranslations(int language)
{
    static const std::array<const char*, 4> suffixes = {"", "zh_CN", "ru", "ja"};
    if (std::unique_ptr<QTranslator>& old = installed()) {
        QCoreApplication::removeTranslator(old.get());
        old.reset();
    }
    if (language <= 0 || language >= static_cast<int>(suffixes.size()))
        return true;
    auto translator = std::make_unique<QTranslator>();
    const QString name = QStringLiteral("qtbase_") + QLatin1String(suffixes[static_cast<std::size_t>(language)]);
    // Where this Qt keeps them, or, for a copy of the program that carries its own Qt
    // (the Windows package), in "translations" beside the program.
    const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& folder : folders) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator.get());
            installed() = std::move(translator);
            return true;
        }
    }
    return false;
}
