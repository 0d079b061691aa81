#include "GuiTestBase.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTextEdit>

#include "model/LabelConfig.h"
#include "model/ProfileStore.h"

namespace {
bool copyInto(const QString& source, const QString& target)
{
    QDir().mkpath(QFileInfo(target).path());
    // A copy keeps the fixture's read-only mode, which Windows enforces even for an
    // administrator: the editor could not write it there.
    return QFile::copy(source, target)
        && QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}

QPoint handleCentre(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

// QTest::keyClicks knows only ASCII keys; symbols such as ▲ arrive as key events that
// carry the text, the way an input method delivers them.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}
}  // namespace

void GuiTestBase::init()
{
    // A form object renamed without its slot would unhook the slot without a word.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("No matching signal|connectSlotsByName")));
    start();
}

void GuiTestBase::cleanup()
{
    shutDown();
    dialogs::usePresets(false);
    leaveFolder();
}

void GuiTestBase::leaveFolder()
{
    if (!previousDirectory.isEmpty())
        QDir::setCurrent(previousDirectory);
    folder.reset();
}

void GuiTestBase::start(const GuiWorld& world)
{
    shutDown();
    leaveFolder();
    if (previousDirectory.isEmpty())
        previousDirectory = QDir::currentPath();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY2(folder->isValid(), "no temporary folder");
    setUp = world;
    layOut();
    launch();
}

void GuiTestBase::startAtDirectoryWindow(const QString& language)
{
    GuiWorld world;
    world.fixture.clear();
    world.language = language;
    start(world);
    QVERIFY(app::directoryWindow->isVisible());
}

void GuiTestBase::restart()
{
    shutDown();
    launch();
}

void GuiTestBase::layOut()
{
    QDir().mkpath(homePath());
    if (!setUp.fixture.isEmpty())
        QVERIFY(copyInto(setUp.fixture, labelFilePath()));
    if (!setUp.from.isEmpty())
        QVERIFY(replaceOnce(labelFilePath(), setUp.from, setUp.to));
    QVERIFY(copyInto(QStringLiteral(HALVANE_SOURCE_DIR "/data/default.lua"), tempPath() + "/data/default.lua"));
    QFile profile(profilePath());
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write(QStringLiteral("Language = %1\r\nWorkDirectory = \"%2\"\r\n")
                      .arg(setUp.language, setUp.workDirectory.isEmpty() ? homePath() : setUp.workDirectory)
                      .toUtf8());
}

// Builds the editor as main() does, without the event loop: the test drives it.
void GuiTestBase::launch()
{
    QVERIFY(QDir::setCurrent(tempPath()));
    // Where the editor keeps a profile it finds nowhere else: inside the test's folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tempPath() + "/config"));
    dialogs::usePresets(true);
    editor = std::make_unique<startup::Editor>();
    editor->openWindows();
}

void GuiTestBase::shutDown() { editor.reset(); }

QString GuiTestBase::shown(const QString& objectName, QWidget* window) const
{
    QObject* object = child<QObject>(objectName, window);
    if (auto* field = qobject_cast<QLineEdit*>(object))
        return field->text();
    if (auto* field = qobject_cast<QTextEdit*>(object))
        return field->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(object))
        return combo->currentText();
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    return QStringLiteral("<no widget %1>").arg(objectName);
}

QStringList GuiTestBase::shown(const QStringList& objectNames) const
{
    QStringList texts;
    for (const QString& name : objectNames)
        texts << shown(name);
    return texts;
}

void GuiTestBase::triggerAction(const QString& objectName, QWidget* window)
{
    auto* action = child<QAction>(objectName, window);
    QVERIFY2(action, qPrintable(objectName));
    action->trigger();
}

void GuiTestBase::clickButton(const QString& objectName, QWidget* window)
{
    auto* button = child<QAbstractButton>(objectName, window);
    QVERIFY2(button, qPrintable(objectName));
    // Check boxes and radio buttons react only on their indicator and text, which may
    // not reach the middle of a wide widget.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint where = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

void GuiTestBase::confirmDirectory(const QString& folder)
{
    dialogs::presetDirectory(folder);
    clickButton("choseDirectory", app::directoryWindow);
}

void GuiTestBase::retype(const QString& objectName, const QString& text)
{
    auto* field = child<QWidget>(objectName);
    QVERIFY2(field, qPrintable(objectName));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    typeText(field, text);
    if (qobject_cast<QLineEdit*>(field))
        QTest::keyClick(field, Qt::Key_Return);
}

void GuiTestBase::choose(const QString& comboName, int index)
{
    auto* combo = child<QComboBox>(comboName);
    QVERIFY2(combo, qPrintable(comboName));
    // Through the open list, as a mouse user does: the box changes once, to the item
    // chosen, not once for every item passed on the way.
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
}

void GuiTestBase::dragTo(const QString& sliderName, Qt::Edge end)
{
    auto* slider = child<QSlider>(sliderName);
    QVERIFY2(slider, qPrintable(sliderName));
    const int x = end == Qt::LeftEdge ? -slider->width() : 2 * slider->width();
    pressAndDrag(slider, x - handleCentre(slider).x());
    release(slider);
}

void GuiTestBase::pressAndDrag(QSlider* slider, int dx)
{
    grabbedAt = handleCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, grabbedAt);
    grabbedAt.rx() += dx;
    QTest::mouseMove(slider, grabbedAt);
}

void GuiTestBase::release(QSlider* slider) { QTest::mouseRelease(slider, Qt::LeftButton, {}, grabbedAt); }

void GuiTestBase::pickSymbol(const QString& symbol)
{
    QVERIFY(app::symbolWindow->isVisible());
    for (QPushButton* button : app::symbolWindow->findChildren<QPushButton*>()) {
        if (button->text() == symbol) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no palette button " + symbol));
}

namespace {
void expectOne(const QStringList& texts, const QStringList& parts)
{
    QCOMPARE(texts.size(), 1);
    for (const QString& part : parts)
        QVERIFY2(texts.first().contains(part), qPrintable(texts.first() + "\nlacks: " + part));
}
}  // namespace

void GuiTestBase::expectOneMessage(const QStringList& parts) { expectOne(dialogs::takeShownMessages(), parts); }

void GuiTestBase::expectOneQuestion(const QStringList& parts) { expectOne(dialogs::takeAskedQuestions(), parts); }

QStringList GuiTestBase::latinWords(const QString& text)
{
    QString rest = text;
    for (const char* kept : {"data/profile.lua", "data/default.lua", "Labels.lua", "HALVANE WORLD"})
        rest.remove(QLatin1String(kept));
    QStringList words;
    for (const QString& word : rest.split(QRegularExpression(QStringLiteral("[^A-Za-z]+")), Qt::SkipEmptyParts))
        words << word;
    return words;
}

QByteArray GuiTestBase::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool GuiTestBase::replaceOnce(const QString& path, const QByteArray& from, const QByteArray& to)
{
    QByteArray text = readFile(path);
    if (text.count(from) != 1)
        return false;
    text.replace(from, to);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QString GuiTestBase::makeHome(const QString& name, const QString& fixture)
{
    const QString home = tempPath() + "/" + name;
    QDir().mkpath(home);
    if (!fixture.isEmpty() && !copyInto(fixture, home + "/Config/View/Labels.lua"))
        QTest::qFail("fixture could not be copied", __FILE__, __LINE__);
    return home;
}
