// The font and pictures the program carries inside itself: they must open with no
// file beside the program, and the font must draw every symbol a player can pick.
#include "common/Resources.h"
#include "common/ThemeIcons.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString fontPath = QStringLiteral(":/halvane_res/Resource/DejaVuLGCSans.ttf");
const QStringList picturePaths = {
    QStringLiteral(":/halvane_res/Resource/test_red_air.png"),
    QStringLiteral(":/halvane_res/Resource/ground.png"),
    QStringLiteral(":/halvane_res/Resource/navy.png"),
    QStringLiteral(":/halvane_res/Resource/weapon.png"),
};

// The symbol picker's palette, row by row.
const uint paletteSymbols[] = {
    0x25EF, 0x2299, 0x263C, 0x2744, 0x2727, 0x2730, 0x2721, 0x273B, 0x2722, 0x2610, 0x2661, 0x229E,
    0x22A1, 0x2394, 0x2B20, 0x25EC, 0x25B2, 0x2B19, 0x25B7, 0x25BA, 0x25BC, 0x25C0, 0x25C1, 0x2295,
    0x2297, 0x26AB, 0x29BE, 0x25B3, 0x2623, 0x2318, 0x2573, 0x2622, 0x2716, 0x2715, 0x2662, 0x2664,
    0x27B3, 0x27B4, 0x27B5, 0x27B6, 0x27B7, 0x27B8, 0x27B9, 0x272A, 0x2042, 0x2620, 0x2B21, 0x2B23,
};

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every character beyond ASCII in a label script: the symbols players' files use.
QSet<uint> symbolsInScript(const QString& path)
{
    QSet<uint> symbols;
    for (uint c : QString::fromUtf8(readWhole(path)).toUcs4())
        if (c > 0x7F)
            symbols.insert(c);
    return symbols;
}

// The characters of the list the font has no glyph for, named for the failure message.
template <typename Characters>
QString unsupported(const QRawFont& font, const Characters& characters)
{
    QStringList missing;
    for (uint c : characters)
        if (!font.supportsCharacter(c))
            missing << QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0'));
    return missing.join(QStringLiteral(", "));
}

}  // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyPathOpens_data();
    void everyPathOpens();
    void previewFontIsTheEmbeddedFamily();
    void fontDrawsPaletteAndScriptSymbols();
    void fontCoversLatinGreekCyrillic();
    void missingFontKeepsDefault();
    void picturesLoadInCategoryOrder();
    void picturesAreReplacedOnEachLoad();
    void iconsNeedNoIconTheme();

private:
    QTemporaryDir workDir;
    QString previousDir;
};

void TestResources::initTestCase()
{
    initResources();
    // Nothing beside the program: run from an empty folder.
    QVERIFY(workDir.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));
}

void TestResources::cleanupTestCase() { QDir::setCurrent(previousDir); }

void TestResources::everyPathOpens_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("font") << fontPath << QByteArray("\x00\x01\x00\x00", 4);
    for (const QString& path : picturePaths)
        QTest::newRow(qPrintable(path)) << path << QByteArray("\x89PNG\r\n\x1a\n");
}

void TestResources::everyPathOpens()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, magic);
    const QByteArray data = readWhole(path);
    QVERIFY2(data.startsWith(magic), qPrintable(path));
}

void TestResources::previewFontIsTheEmbeddedFamily()
{
    const int id = QFontDatabase::addApplicationFont(fontPath);
    QVERIFY(id >= 0);
    QCOMPARE(QFontDatabase::applicationFontFamilies(id).value(0), QStringLiteral("DejaVu LGC Sans"));

    registerPreviewFont();
    QCOMPARE(previewFont.family(), QStringLiteral("DejaVu LGC Sans"));
    QCOMPARE(previewFont.weight(), QFont::Normal);
    QVERIFY(!previewFont.italic());
    // The family must resolve to the embedded file, not to a fallback.
    QCOMPARE(QFontInfo(previewFont).family(), QStringLiteral("DejaVu LGC Sans"));
}

void TestResources::fontDrawsPaletteAndScriptSymbols()
{
    const QRawFont font(readWhole(fontPath), 16);
    QVERIFY(font.isValid());
    QCOMPARE(font.familyName(), QStringLiteral("DejaVu LGC Sans"));

    QSet<uint> symbols(std::begin(paletteSymbols), std::end(paletteSymbols));
    QCOMPARE(symbols.size(), 48);
    const QDir fixtures(QStringLiteral(HALVANE_FIXTURES));
    for (const QString& script : fixtures.entryList({QStringLiteral("*.lua")}, QDir::Files))
        symbols.unite(symbolsInScript(fixtures.filePath(script)));
    QVERIFY(symbols.contains(0x2708u));

    QCOMPARE(unsupported(font, symbols), QString());
}

void TestResources::fontCoversLatinGreekCyrillic()
{
    const QRawFont font(readWhole(fontPath), 16);
    const QString sample = QStringLiteral("Aa Zz ÀÉßøŁœ ΑΩαωάΐ АЯаяЁёЖЩЫ ЄІЇҐ €№→");
    QVERIFY(font.isValid());
    QCOMPARE(unsupported(font, sample.toUcs4()), QString());
}

void TestResources::missingFontKeepsDefault()
{
    previewFont = QFont();
    Q_CLEANUP_RESOURCE(resources);
    const bool fontWasGone = !QFile::exists(fontPath);
    registerPreviewFont();
    Q_INIT_RESOURCE(resources);
    QVERIFY(fontWasGone);
    QCOMPARE(previewFont, QFont());
    QVERIFY(QFile::exists(fontPath));
}

void TestResources::picturesLoadInCategoryOrder()
{
    loadPreviewPictures();
    for (int i = 0; i < picturePaths.size(); ++i) {
        const QImage decoded(picturePaths[i]);
        QCOMPARE(decoded.size(), QSize(211, 154));
        QVERIFY2(decoded.hasAlphaChannel(), qPrintable(picturePaths[i]));
        const QImage loaded = previewPictures[std::size_t(i)].toImage();
        QCOMPARE(loaded.size(), QSize(211, 154));
        QVERIFY2(loaded.convertToFormat(QImage::Format_ARGB32) == decoded.convertToFormat(QImage::Format_ARGB32),
                 qPrintable(picturePaths[i]));
    }
    // Four different pictures, not one repeated.
    for (int i = 1; i < picturePaths.size(); ++i)
        QVERIFY(QImage(picturePaths[i]) != QImage(picturePaths[0]));
}

void TestResources::picturesAreReplacedOnEachLoad()
{
    for (QPixmap& picture : previewPictures)
        picture = QPixmap(1, 1);
    loadPreviewPictures();
    for (const QPixmap& picture : previewPictures)
        QCOMPARE(picture.size(), QSize(211, 154));
}

// A desktop without an icon theme (this test sets none) still shows every menu icon and
// the program's own icon, drawn from the bundle.
void TestResources::iconsNeedNoIconTheme()
{
    QIcon::setThemeName(QString());
    for (const ThemeIconId id : {ThemeIconId::FolderOpen, ThemeIconId::SystemReboot, ThemeIconId::SyncSynchronizing,
                                 ThemeIconId::AddressBookNew, ThemeIconId::DocumentNew}) {
        const QImage drawn = themeIcon(id).pixmap(24, 24).toImage();
        int painted = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                painted += drawn.pixelColor(x, y).alpha() > 0 ? 1 : 0;
        QVERIFY2(painted > drawn.width() * drawn.height() / 20, qPrintable(QString::number(static_cast<int>(id))));
    }
    const QIcon program = applicationIcon();
    QCOMPARE(program.availableSizes().size(), 4);
    QCOMPARE(program.pixmap(256, 256).size(), QSize(256, 256));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
