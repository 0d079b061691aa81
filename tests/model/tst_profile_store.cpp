// The editor's own profile: reading the language and the simulator's folder, and
// remembering a change at once without disturbing the rest of the file.
#include <QtTest>

#include "Language.h"
#include "ModelWorkspace.h"
#include "ProfileStore.h"

namespace {

const QString profile = QStringLiteral("data/profile.lua");

// A profile as players keep it: CR LF, comments, a statement of its own.
const QByteArray playerProfile = "-- HALVANE Label Manager\r\n"
                                 "Language = JP\r\n"
                                 "Theme = 2 -- not ours, kept\r\n"
                                 "WorkDirectory = \"D:\\Games\\Sim\"\r\n";

}  // namespace

class ProfileStoreTest : public QObject {
    Q_OBJECT

private slots:
    void readsLanguageAndDirectory();
    void languageCodes_data();
    void languageCodes();
    void directoryValues_data();
    void directoryValues();
    void setLanguageRewritesOnlyItsStatement();
    void choosingTheCurrentLanguageKeepsTheFile();
    void unknownLanguageIsReported();
    void directoryIsStoredOnlyWhenItReadsBack_data();
    void directoryIsStoredOnlyWhenItReadsBack();
    void missingProfileIsCreatedWithBothSettings();
    void missingStatementIsAppended();
    void failedWriteIsReported();
};

void ProfileStoreTest::readsLanguageAndDirectory()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.isValid());
    QVERIFY(workspace.write(profile, playerProfile));
    currentLanguage = 0;

    const ProfileStore store;
    QCOMPARE(store.getLanguage(), 3);
    QCOMPARE(currentLanguage, 3);
    QCOMPARE(fromPath(store.getWorkDirectory()), QStringLiteral("D:\\Games\\Sim"));
}

void ProfileStoreTest::languageCodes_data()
{
    QTest::addColumn<QByteArray>("statement");
    QTest::addColumn<int>("expected");
    QTest::newRow("EN") << QByteArray("Language = EN\n") << 0;
    QTest::newRow("CN") << QByteArray("Language = CN\n") << 1;
    QTest::newRow("RU") << QByteArray("Language   =   RU -- Russian\n") << 2;
    QTest::newRow("JP") << QByteArray("Language = JP") << 3;
    QTest::newRow("quoted code matches nothing") << QByteArray("Language = \"CN\"\n") << 0;
    QTest::newRow("lower case matches nothing") << QByteArray("Language = cn\n") << 0;
    QTest::newRow("no statement") << QByteArray("-- empty\n") << 0;
}

void ProfileStoreTest::languageCodes()
{
    QFETCH(QByteArray, statement);
    QFETCH(int, expected);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, statement));
    currentLanguage = 2;

    const ProfileStore store;
    QCOMPARE(store.getLanguage(), expected);
    QCOMPARE(currentLanguage, expected);
}

void ProfileStoreTest::directoryValues_data()
{
    QTest::addColumn<QByteArray>("statement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quoted") << QByteArray("WorkDirectory = \"E:\\Sim Two\"\n") << QStringLiteral("E:\\Sim Two");
    QTest::newRow("empty quotes") << QByteArray("WorkDirectory = \"\"\n") << QString();
    QTest::newRow("one character") << QByteArray("WorkDirectory = x\n") << QString();
    QTest::newRow("no statement") << QByteArray("Language = EN\n") << QString();
}

void ProfileStoreTest::directoryValues()
{
    QFETCH(QByteArray, statement);
    QFETCH(QString, expected);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, statement));

    const ProfileStore store;
    QCOMPARE(fromPath(store.getWorkDirectory()), expected);
}

void ProfileStoreTest::setLanguageRewritesOnlyItsStatement()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    const lua::WriteOutcome outcome = store.setLanguage(1);
    QVERIFY(outcome.written);
    QVERIFY(outcome.reason.empty());
    QByteArray expected = playerProfile;
    expected.replace("Language = JP", "Language = CN");
    QCOMPARE(workspace.read(profile), expected);
    QCOMPARE(ProfileStore().getLanguage(), 1);
}

void ProfileStoreTest::choosingTheCurrentLanguageKeepsTheFile()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    QVERIFY(store.setLanguage(3).written);
    QCOMPARE(workspace.read(profile), playerProfile);
}

void ProfileStoreTest::unknownLanguageIsReported()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    const lua::WriteOutcome outcome = store.setLanguage(7);
    QVERIFY(!outcome.written);
    QVERIFY(!outcome.reason.empty());
    QCOMPARE(workspace.read(profile), playerProfile);
}

void ProfileStoreTest::directoryIsStoredOnlyWhenItReadsBack_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<bool>("stored");
    QTest::newRow("blank inside") << QStringLiteral("E:\\Games\\Sim Two") << true;
    QTest::newRow("parentheses") << QStringLiteral("C:\\Program Files (x86)\\Sim") << true;
    QTest::newRow("local inside") << QStringLiteral("D:\\local games") << true;
    QTest::newRow("block words inside other words") << QStringLiteral("D:\\formula\\iffy\\endwhile") << true;
#ifndef Q_OS_WIN  // the profile holds the system code page's bytes, UTF-8 only here
    QTest::newRow("non-ASCII") << QStringLiteral("/home/pilot/Симулятор") << true;
#endif
    QTest::newRow("trailing separator") << QStringLiteral("D:\\Sim\\") << true;
    QTest::newRow("opening square bracket") << QStringLiteral("D:\\[x") << false;
    QTest::newRow("closing square bracket") << QStringLiteral("D:\\a]b") << false;
    QTest::newRow("two hyphens") << QStringLiteral("D:\\Sim--old") << false;
    QTest::newRow("double quote") << QStringLiteral("D:\\say \"hi\"") << false;
    QTest::newRow("line feed") << QStringLiteral("D:\\a\nb") << false;
    QTest::newRow("carriage return") << QStringLiteral("D:\\a\rb") << false;
    QTest::newRow("for") << QStringLiteral("D:\\for fun") << false;
    QTest::newRow("if") << QStringLiteral("D:\\if") << false;
    QTest::newRow("while") << QStringLiteral("D:\\while\\x") << false;
    QTest::newRow("function") << QStringLiteral("/function") << false;
    QTest::newRow("unclosed parenthesis") << QStringLiteral("D:\\Games (old") << false;
    QTest::newRow("unclosed angle bracket") << QStringLiteral("/sims/<beta") << false;
}

// A folder is either stored so that it reads back exactly, or kept for this run only
// and reported, with the profile left as it was.
void ProfileStoreTest::directoryIsStoredOnlyWhenItReadsBack()
{
    QFETCH(QString, directory);
    QFETCH(bool, stored);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    const std::filesystem::path chosen = toPath(directory);
    const lua::WriteOutcome outcome = store.setWorkDirectory(chosen);
    QCOMPARE(outcome.written, stored);
    QCOMPARE(store.getWorkDirectory(), chosen);
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), 3);
    if (stored) {
        QByteArray expected = playerProfile;
        expected.replace("WorkDirectory = \"D:\\Games\\Sim\"", "WorkDirectory = \"" + directory.toUtf8() + "\"");
        QCOMPARE(workspace.read(profile), expected);
        QCOMPARE(reread.getWorkDirectory(), chosen);
    } else {
        QVERIFY2(outcome.reason.find("not remembered") != std::string::npos, outcome.reason.c_str());
        QCOMPARE(workspace.read(profile), playerProfile);
        QCOMPARE(fromPath(reread.getWorkDirectory()), QStringLiteral("D:\\Games\\Sim"));
    }
}

void ProfileStoreTest::missingProfileIsCreatedWithBothSettings()
{
    ModelWorkspace workspace;
    {
        ProfileStore store;
        QCOMPARE(store.getLanguage(), 0);
        QVERIFY(store.getWorkDirectory().empty());
        QVERIFY(store.setLanguage(2).written);
        QCOMPARE(workspace.read(profile), QByteArray("Language = RU\nWorkDirectory = \"\"\n"));
    }
    QVERIFY(QFile::remove(workspace.path(profile)));
    QVERIFY(QDir(workspace.path("data")).removeRecursively());
    {
        ProfileStore store;
        QVERIFY(store.setWorkDirectory("/games/sim").written);
        QCOMPARE(workspace.read(profile), QByteArray("Language = EN\nWorkDirectory = \"/games/sim\"\n"));
    }
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), 0);
    QCOMPARE(reread.getWorkDirectory(), std::filesystem::path("/games/sim"));
}

void ProfileStoreTest::missingStatementIsAppended()
{
    ModelWorkspace workspace;
    const QByteArray onlyLanguage = "-- mine\r\nLanguage = CN\r\n";
    QVERIFY(workspace.write(profile, onlyLanguage));
    {
        ProfileStore store;
        QVERIFY(store.setLanguage(2).written);
        QVERIFY(store.setWorkDirectory("D:\\Sim").written);
    }
    QCOMPARE(workspace.read(profile), QByteArray("-- mine\r\nLanguage = RU\r\nWorkDirectory = \"D:\\Sim\"\r\n"));

    const QByteArray onlyDirectory = "WorkDirectory = \"D:\\Sim\"";  // no line end at all
    QVERIFY(workspace.write(profile, onlyDirectory));
    {
        ProfileStore store;
        QVERIFY(store.setLanguage(3).written);
    }
    QCOMPARE(workspace.read(profile), onlyDirectory + "\nLanguage = JP\n");
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), 3);
    QCOMPARE(reread.getWorkDirectory(), std::filesystem::path("D:\\Sim"));
}

void ProfileStoreTest::failedWriteIsReported()
{
    ModelWorkspace workspace;
    QVERIFY(QDir().mkpath(workspace.path(profile)));  // a folder where the profile belongs
    ProfileStore store;

    const lua::WriteOutcome outcome = store.setLanguage(1);
    QVERIFY(!outcome.written);
    QVERIFY(!outcome.reason.empty());
    QCOMPARE(store.getLanguage(), 1);
    QVERIFY(QFileInfo(workspace.path(profile)).isDir());
}

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "tst_profile_store.moc"
