#pragma once
// The embedded font and preview pictures (resource bundle ":/halvane_res/Resource/").
#include <QFont>
#include <QPixmap>
#include <array>
#include <cstddef>
#include <optional>

// The four preview pictures: aircraft, ground, navy, weapon (the preview category
// order). A QPixmap may only be made once the application object exists, so the
// pixmaps come into being on first use, not during static initialisation.
class PreviewPictures {
public:
    QPixmap& operator[](std::size_t category) { return all()[category]; }
    auto begin() { return all().begin(); }
    auto end() { return all().end(); }

private:
    std::array<QPixmap, 4>& all();
    std::optional<std::array<QPixmap, 4>> pictures;
};

extern QFont previewFont;
extern PreviewPictures previewPictures;

// Makes sure the resource bundle is registered (it lives in a static library).
void initResources();
// Adds the embedded "DejaVu LGC Sans" to the font database and makes it the preview
// font; keeps the default font when the font cannot be added.
void registerPreviewFont();
// Loads the four pictures anew into previewPictures.
void loadPreviewPictures();
