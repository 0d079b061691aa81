#include "GuiTestBase.h"

#include <QAction>
#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>

#include "Dialogs.h"
#include "LabelConfig.h"
#include "ProfileStore.h"
#include "StartUp.h"

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyInto(const QString& source, const QString& target)
{
    QDir().mkpath(QFileInfo(target).path());
    return QFile::copy(source, target);
}
}  // namespace

void GuiTestBase::init()
{
    start();
}

void GuiTestBase::cleanup()
{
    shutDown();
    if (!previousDirectory.isEmpty())
        QDir::setCurrent(previousDirectory);
    dialogs::usePresets(false);
    folder.reset();
}

void GuiTestBase::start(const GuiWorld& world)
{
    shutDown();
    if (previousDirectory.isEmpty())
        previousDirectory = QDir::currentPath();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY2(folder->isValid(), "no temporary folder");
    this->world = world;
    layOut();
    launch();
}

void GuiTestBase::restart()
{
    shutDown();
    launch();
}

void GuiTestBase::layOut()
{
    QDir().mkpath(homePath());
    if (!world.fixture.isEmpty())
        QVERIFY(copyInto(world.fixture, labelFilePath()));
    QVERIFY(copyInto(QStringLiteral(HALVANE_SOURCE_DIR "/data/default.lua"), tempPath() + "/data/default.lua"));
    writeProfile();
}

void GuiTestBase::writeProfile()
{
    const QString workDirectory = world.workDirectory.isEmpty() ? homePath() : world.workDirectory;
    QFile profile(profilePath());
    QVERIFY(profile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    profile.write(QStringLiteral("Language = %1\r\nWorkDirectory = \"%2\"\r\n")
                      .arg(world.language, workDirectory)
                      .toUtf8());
}

// Builds the editor as main() does, without the event loop: the test drives it.
void GuiTestBase::launch()
{
    QVERIFY(QDir::setCurrent(tempPath()));
    dialogs::usePresets(true);
    startup::openWindows(startup::loadModels());
}

void GuiTestBase::shutDown()
{
    delete app::mainWindow;
    delete app::directoryWindow;
    delete app::symbolWindow;
    delete app::confirmationWindow;
    delete app::labelConfig;
    delete app::profile;
    app::mainWindow = nullptr;
    app::directoryWindow = nullptr;
    app::symbolWindow = nullptr;
    app::confirmationWindow = nullptr;
    app::labelConfig = nullptr;
    app::profile = nullptr;
    app::pickerTargetField = nullptr;
    app::pickerTargetButton = nullptr;
}

void GuiTestBase::triggerAction(const char* objectName, QWidget* window)
{
    auto* action = child<QAction>(objectName, window);
    QVERIFY2(action, objectName);
    action->trigger();
}

void GuiTestBase::clickButton(const char* objectName, QWidget* window)
{
    auto* button = child<QAbstractButton>(objectName, window);
    QVERIFY2(button, objectName);
    // Check boxes and radio buttons react only on their indicator and text, which may
    // not reach the middle of a wide widget.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint where = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

QString GuiTestBase::tempPath() const
{
    return folder->path();
}

QString GuiTestBase::homePath() const
{
    return tempPath() + "/home";
}

QString GuiTestBase::labelFilePath() const
{
    return homePath() + "/Config/View/Labels.lua";
}

QString GuiTestBase::profilePath() const
{
    return tempPath() + "/data/profile.lua";
}

QByteArray GuiTestBase::labelFileBytes() const
{
    return readAll(labelFilePath());
}

QByteArray GuiTestBase::profileBytes() const
{
    return readAll(profilePath());
}

void GuiTestBase::setLanguageInProfile(const QString& code)
{
    QString text = QString::fromUtf8(profileBytes());
    text.replace(QRegularExpression(QStringLiteral("Language = \\w+")), QStringLiteral("Language = ") + code);
    QFile profile(profilePath());
    QVERIFY(profile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    profile.write(text.toUtf8());
}

QString GuiTestBase::makeHome(const QString& name, const QString& fixture)
{
    const QString home = tempPath() + "/" + name;
    QDir().mkpath(home);
    if (!fixture.isEmpty() && !copyInto(fixture, home + "/Config/View/Labels.lua"))
        QTest::qFail("fixture could not be copied", __FILE__, __LINE__);
    return home;
}
