// The live preview: the sample label over the category picture follows the level,
// the previewed category and range, the alignment, the size and the side colour.
#include <QLabel>
#include <QSlider>

#include "GuiTestBase.h"
#include "common/Resources.h"

class PreviewTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void labelTextFollowsLevelCategoryAndRange_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* tag, int level, int category, const char* range, const char* text) {
            QTest::newRow(tag) << level << category << QString(range) << QString::fromUtf8(text);
        };
        row("FULL aircraft near", 0, 0, "near", "˄Su-33\npilot name\n0.0km");
        row("FULL aircraft far", 0, 0, "far", "✈Su-33\npilot name\n0.0km");
        row("FULL ground near", 0, 1, "near", "ˉT-90\nGround 1-1\n0.0km");
        row("FULL navy far", 0, 2, "far", "˜Burke\nNaval 1-1\n0.0km");
        row("FULL weapon", 0, 3, "near", "ˈAIM-120C\n0.0km");
        row("ABBREVIATED aircraft", 1, 0, "near", "˄Su-33\n0.0km");
        row("ABBREVIATED weapon far", 1, 3, "far", "ˈAIM-120C\n0.0km");
        row("DOT aircraft far", 2, 0, "far", "✈");
        row("DOT navy", 2, 2, "near", "˜");
    }

    void labelTextFollowsLevelCategoryAndRange()
    {
        QFETCH(int, level);
        QFETCH(int, category);
        QFETCH(QString, range);
        QFETCH(QString, text);
        const char* const categoryButtons[]
            = {"radioButton_aircraft", "radioButton_ground", "radioButton_navy", "radioButton_weapon"};
        choose("comboBox_profille", level);
        clickButton(categoryButtons[category]);
        clickButton("radioButton_" + range);
        QCOMPARE(labelText()->text(), text);
        QCOMPARE(labelText()->font().family(), previewFont.family());
        QCOMPARE(child<QLabel>("label_preview")->pixmap().toImage(),
                 previewPictures[static_cast<std::size_t>(category)].toImage());
    }

    void alignmentMovesTheLabelText_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QPoint>("position");
        // The form places the label text at 740, 390.
        // clang-format off
        QTest::newRow("RightBottom") << 0 << QPoint(760, 410);
        QTest::newRow("RightTop") << 1 << QPoint(760, 370);
        QTest::newRow("LeftBottom") << 2 << QPoint(720, 410);
        QTest::newRow("LeftTop") << 3 << QPoint(720, 370);
        QTest::newRow("CenterBottom") << 4 << QPoint(740, 410);
        QTest::newRow("CenterTop") << 5 << QPoint(740, 370);
        QTest::newRow("CenterCenter") << 6 << QPoint(740, 390);
        QTest::newRow("LeftCenter") << 7 << QPoint(720, 390);
        QTest::newRow("RightCenter") << 8 << QPoint(760, 390);
        // clang-format on
    }

    void alignmentMovesTheLabelText()
    {
        QFETCH(int, alignment);
        QFETCH(QPoint, position);
        QCOMPARE(labelText()->pos(), QPoint(720, 410));  // the fixture's FULL alignment, LeftBottom
        choose("comboBox_symbol_pos_air", alignment);
        QCOMPARE(labelText()->pos(), position);
        // Moving back does not add the offsets up.
        choose("comboBox_symbol_pos_air", 2);
        QCOMPARE(labelText()->pos(), QPoint(720, 410));
    }

    void alignmentOfAnotherCategoryDoesNotMoveIt()
    {
        choose("comboBox_profille", 2);  // CenterCenter everywhere
        QCOMPARE(labelText()->pos(), QPoint(740, 390));
        choose("comboBox_symbol_pos_navy", 3);
        QCOMPARE(labelText()->pos(), QPoint(740, 390));
        clickButton("radioButton_navy");
        QCOMPARE(labelText()->pos(), QPoint(720, 370));
    }

    void sizeSliderSetsThePointSize()
    {
        QCOMPARE(labelText()->font().pointSize(), 13);
        dragTo("horizontalSlider_symbol_size", Qt::RightEdge);
        QCOMPARE(shown("label_symbol_size_real"), QStringLiteral("99"));
        QCOMPARE(labelText()->font().pointSize(), 99);
        // The large text is cut at the picture's edges instead of covering the radio buttons.
        const QRect shownPart = labelText()->mask().boundingRect().translated(labelText()->pos());
        QVERIFY(!shownPart.isEmpty());
        QVERIFY(child<QLabel>("label_preview")->geometry().contains(shownPart));
        dragTo("horizontalSlider_symbol_size", Qt::LeftEdge);
        QCOMPARE(shown("label_symbol_size_real"), QStringLiteral("1"));
        auto* size = child<QSlider>("horizontalSlider_symbol_size");
        while (size->value() < 40)
            QTest::keyClick(size, Qt::Key_Right);
        QCOMPARE(shown("label_symbol_size_real"), QStringLiteral("40"));
        QCOMPARE(labelText()->font().pointSize(), 40);
    }

    void sizeOfZeroKeepsThePreviewLegible()
    {
        GuiWorld world;
        world.from = "{\"DejaVuLGCSans.ttf\", 13,";
        world.to = "{\"DejaVuLGCSans.ttf\", 0,";
        start(world);
        QCOMPARE(shown("label_symbol_size_real"), QStringLiteral("0"));
        QCOMPARE(labelText()->font().pointSize(), 6);
        QCOMPARE(labelText()->text(), QStringLiteral("˄Su-33\npilot name\n0.0km"));
    }

    void blueColourShowsOnlyWhileBlueIsSelected()
    {
        const QString red = QStringLiteral("color: rgb(249,69,38);");
        QCOMPARE(labelText()->styleSheet(), red);
        dialogs::presetColour(QColor(1, 2, 3));
        clickButton("pushButton_blue_color");
        QCOMPARE(labelText()->styleSheet(), red);
        clickButton("radioButton_side_blue");
        QCOMPARE(labelText()->styleSheet(), QStringLiteral("color: rgb(1,2,3);"));
        clickButton("radioButton_side_red");
        QCOMPARE(labelText()->styleSheet(), red);
    }

private:
    QLabel* labelText() const { return child<QLabel>("label_preview_symbol"); }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
