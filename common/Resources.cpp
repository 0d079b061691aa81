#include "common/Resources.h"

#include <QFontDatabase>
#include <QString>

QFont previewFont;
PreviewPictures previewPictures;

namespace {

const QString fontPath = QStringLiteral(":/halvane_res/Resource/DejaVuLGCSans.ttf");

// Aircraft, ground, navy, weapon.
const std::array<QString, 4> picturePaths = {
    QStringLiteral(":/halvane_res/Resource/test_red_air.png"),
    QStringLiteral(":/halvane_res/Resource/ground.png"),
    QStringLiteral(":/halvane_res/Resource/navy.png"),
    QStringLiteral(":/halvane_res/Resource/weapon.png"),
};

}  // namespace

std::array<QPixmap, 4>& PreviewPictures::all()
{
    if (!pictures)
        pictures.emplace();
    return *pictures;
}

// The bundle is compiled into a static library, whose registration object the linker
// would drop unless something refers to it; this reference keeps it in every program.
void initResources() { Q_INIT_RESOURCE(resources); }

void registerPreviewFont()
{
    const int id = QFontDatabase::addApplicationFont(fontPath);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        return;
    previewFont = QFont(families.first(), -1, -1, false);
}

void loadPreviewPictures()
{
    for (std::size_t i = 0; i < picturePaths.size(); ++i)
        previewPictures[i] = QPixmap(picturePaths[i]);
}
