#pragma once
// The embedded font and preview pictures (resource bundle ":/halvane_res/Resource/").
#include <QFont>
#include <QPixmap>
#include <array>

extern QFont previewFont;
// Aircraft, ground, navy, weapon (the preview category order).
extern std::array<QPixmap, 4> previewPictures;

// Makes sure the resource bundle is registered (it lives in a static library).
void initResources();
// Adds the embedded "DejaVu LGC Sans" to the font database and makes it the preview
// font; keeps the default font when the font cannot be added.
void registerPreviewFont();
// Loads the four pictures anew into previewPictures.
void loadPreviewPictures();
