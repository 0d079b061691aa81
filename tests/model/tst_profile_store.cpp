// The editor's own profile: reading the language and the simulator's folder, and
// remembering a change at once without disturbing the rest of the file.
#include <QtTest>

#include "ModelWorkspace.h"
#include "model/Language.h"
#include "model/ProfileStore.h"

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
    void readsLanguageAndDirectory_data();
    void readsLanguageAndDirectory();
    void setLanguageRewritesOnlyItsStatement_data();
    void setLanguageRewritesOnlyItsStatement();
    void directoryIsStoredOnlyWhenItReadsBack_data();
    void directoryIsStoredOnlyWhenItReadsBack();
    void missingProfileOrStatementIsCreated_data();
    void missingProfileOrStatementIsCreated();
    void failedWriteIsReported();
    void profileThatSwallowsAChoiceIsReplaced_data();
    void profileThatSwallowsAChoiceIsReplaced();
};

void ProfileStoreTest::readsLanguageAndDirectory_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("directory");
    // clang-format off
    QTest::newRow("player's profile") << playerProfile << 3 << QStringLiteral("D:\\Games\\Sim");
    QTest::newRow("EN") << QByteArray("Language = EN\n") << 0 << QString();
    QTest::newRow("CN, blank in directory")
        << QByteArray("Language = CN\nWorkDirectory = \"E:\\Sim Two\"\n") << 1 << QStringLiteral("E:\\Sim Two");
    QTest::newRow("RU, blanks and comment") << QByteArray("Language   =   RU -- Russian\n") << 2 << QString();
    QTest::newRow("JP, no line end") << QByteArray("Language = JP") << 3 << QString();
    QTest::newRow("quoted code") << QByteArray("Language = \"CN\"\n") << 0 << QString();
    QTest::newRow("lower-case code") << QByteArray("Language = cn\n") << 0 << QString();
    QTest::newRow("empty quotes") << QByteArray("WorkDirectory = \"\"\n") << 0 << QString();
    QTest::newRow("one character") << QByteArray("WorkDirectory = x\n") << 0 << QString();
    QTest::newRow("no statement") << QByteArray("-- empty\n") << 0 << QString();
    // clang-format on
}

void ProfileStoreTest::readsLanguageAndDirectory()
{
    QFETCH(QByteArray, text);
    QFETCH(int, language);
    QFETCH(QString, directory);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, text));
    currentLanguage = -1;

    const ProfileStore store;
    QCOMPARE(store.getLanguage(), language);
    QCOMPARE(currentLanguage, language);
    QCOMPARE(fromPath(store.getWorkDirectory()), directory);
}

void ProfileStoreTest::setLanguageRewritesOnlyItsStatement_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("stored");
    // clang-format off
    QTest::newRow("another language") << 1 << true << QByteArray("CN");
    QTest::newRow("the current language") << 3 << true << QByteArray("JP");
    QTest::newRow("unknown number") << 7 << false << QByteArray("JP");
    // clang-format on
}

void ProfileStoreTest::setLanguageRewritesOnlyItsStatement()
{
    QFETCH(int, index);
    QFETCH(bool, written);
    QFETCH(QByteArray, stored);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    const ModelOutcome outcome = store.setLanguage(index);
    QCOMPARE(static_cast<bool>(outcome), written);
    QCOMPARE(outcome.failure, written ? ModelFailure::None : ModelFailure::LanguageUnknown);
    QCOMPARE(workspace.read(profile), QByteArray(playerProfile).replace("Language = JP", "Language = " + stored));
    QCOMPARE(ProfileStore().getLanguage(), written ? index : 3);
}

void ProfileStoreTest::directoryIsStoredOnlyWhenItReadsBack_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<TextProblem>("problem");  // None: stored
    // clang-format off
    QTest::newRow("blank inside") << QStringLiteral("E:\\Games\\Sim Two") << TextProblem::None;
    QTest::newRow("parentheses") << QStringLiteral("C:\\Program Files (x86)\\Sim") << TextProblem::None;
    QTest::newRow("local inside") << QStringLiteral("D:\\local games") << TextProblem::None;
    QTest::newRow("block words inside other words") << QStringLiteral("D:\\formula\\iffy\\endwhile") << TextProblem::None;
    // clang-format on
#ifndef Q_OS_WIN  // the profile holds the system code page's bytes, UTF-8 only here
    QTest::newRow("non-ASCII") << QStringLiteral("/home/pilot/Симулятор") << TextProblem::None;
#endif
    // clang-format off
    QTest::newRow("trailing separator") << QStringLiteral("D:\\Sim\\") << TextProblem::None;
    // Inside the quotes everything is text to the engine, as it is to Lua.
    QTest::newRow("square bracket") << QStringLiteral("D:\\a]b") << TextProblem::None;
    QTest::newRow("two hyphens") << QStringLiteral("D:\\Sim--old") << TextProblem::None;
    QTest::newRow("for") << QStringLiteral("D:\\for fun") << TextProblem::None;
    QTest::newRow("function") << QStringLiteral("/function") << TextProblem::None;
    QTest::newRow("unclosed parenthesis") << QStringLiteral("D:\\Games (old") << TextProblem::None;
    QTest::newRow("unclosed angle bracket") << QStringLiteral("/sims/<beta") << TextProblem::None;
    QTest::newRow("brackets, hyphens and a block word") << QStringLiteral("D:\\Sims [old]--for 'VR' {") << TextProblem::None;
    QTest::newRow("double quote") << QStringLiteral("D:\\say \"hi\"") << TextProblem::DoubleQuote;
    QTest::newRow("line break") << QStringLiteral("D:\\a\rb") << TextProblem::LineBreak;
    // clang-format on
}

// A folder is either stored so that it reads back exactly, or kept for this run only
// and reported, with the profile left as it was.
void ProfileStoreTest::directoryIsStoredOnlyWhenItReadsBack()
{
    QFETCH(QString, directory);
    QFETCH(TextProblem, problem);
    const bool stored = problem == TextProblem::None;
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, playerProfile));
    ProfileStore store;

    const std::filesystem::path chosen = toPath(directory);
    const ModelOutcome outcome = store.setWorkDirectory(chosen);
    QCOMPARE(static_cast<bool>(outcome), stored);
    QCOMPARE(outcome.refusal.problem, problem);
    QCOMPARE(store.getWorkDirectory(), chosen);
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), 3);
    const QString kept = stored ? directory : QStringLiteral("D:\\Games\\Sim");
    QCOMPARE(fromPath(reread.getWorkDirectory()), kept);
    QCOMPARE(workspace.read(profile), QByteArray(playerProfile).replace("D:\\Games\\Sim", kept.toUtf8()));
    QCOMPARE(outcome.failure, stored ? ModelFailure::None : ModelFailure::DirectoryNotStorable);
}

void ProfileStoreTest::missingProfileOrStatementIsCreated_data()
{
    QTest::addColumn<QByteArray>("before");  // empty: no profile at all
    QTest::addColumn<int>("language");       // chosen when not negative, else the directory is
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QByteArray>("after");
    // clang-format off
    QTest::newRow("no profile, language chosen")
        << QByteArray() << 2 << QString() << QByteArray("Language = RU\nWorkDirectory = \"\"\n");
    QTest::newRow("no profile, directory chosen") << QByteArray() << -1 << QStringLiteral("/games/sim")
                                                  << QByteArray("Language = EN\nWorkDirectory = \"/games/sim\"\n");
    QTest::newRow("no directory statement")
        << QByteArray("-- mine\r\nLanguage = CN\r\n") << -1 << QStringLiteral("D:\\Sim")
        << QByteArray("-- mine\r\nLanguage = CN\r\nWorkDirectory = \"D:\\Sim\"\r\n");
    QTest::newRow("no language statement, no line end") << QByteArray("WorkDirectory = \"D:\\Sim\"") << 3 << QString()
                                                        << QByteArray("WorkDirectory = \"D:\\Sim\"\nLanguage = JP\n");
    // clang-format on
}

// Without a profile both settings are written, so that the first choice is not forgotten.
void ProfileStoreTest::missingProfileOrStatementIsCreated()
{
    QFETCH(QByteArray, before);
    QFETCH(int, language);
    QFETCH(QString, directory);
    QFETCH(QByteArray, after);
    ModelWorkspace workspace;
    QVERIFY(before.isEmpty() || workspace.write(profile, before));
    ProfileStore store;

    QVERIFY((language >= 0 ? store.setLanguage(language) : store.setWorkDirectory(toPath(directory))));
    QCOMPARE(workspace.read(profile), after);
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), store.getLanguage());
    QCOMPARE(reread.getWorkDirectory(), store.getWorkDirectory());
}

void ProfileStoreTest::failedWriteIsReported()
{
    ModelWorkspace workspace;
    QVERIFY(QDir().mkpath(workspace.path(profile)));  // a folder where the profile belongs
    ProfileStore store;

    const ModelOutcome outcome = store.setLanguage(1);
    QCOMPARE(outcome.failure, ModelFailure::NotWritten);
    QCOMPARE(outcome.writeFailure, lua::WriteFailure::FolderInTheWay);
    QCOMPARE(store.getLanguage(), 1);
    QVERIFY(QFileInfo(workspace.path(profile)).isDir());
}

void ProfileStoreTest::profileThatSwallowsAChoiceIsReplaced_data()
{
    QTest::addColumn<QByteArray>("damaged");
    // clang-format off
    QTest::newRow("a value left out") << QByteArray("Language = RU\nx =\n");
    QTest::newRow("a table left open") << QByteArray("Language = RU\nx = {\n");
    QTest::newRow("a block without its end") << QByteArray("Language = RU\nfunction f()\n");
    QTest::newRow("garbage") << QByteArray("\x01(((\xff\n[[\n");
    // clang-format on
}

// A choice is never reported stored when the next start would not read it: the damaged
// profile is kept aside and a good one holds both settings.
void ProfileStoreTest::profileThatSwallowsAChoiceIsReplaced()
{
    QFETCH(QByteArray, damaged);
    ModelWorkspace workspace;
    QVERIFY(workspace.write(profile, damaged));
    ProfileStore store;

    QVERIFY(store.setWorkDirectory(toPath(QStringLiteral("D:\\Games\\Sim"))));
    QVERIFY(store.setLanguage(1));
    const ProfileStore reread;
    QCOMPARE(reread.getLanguage(), 1);
    QCOMPARE(fromPath(reread.getWorkDirectory()), QStringLiteral("D:\\Games\\Sim"));
    QCOMPARE(workspace.read(QStringLiteral("data/") + ProfileStore::damagedCopyName), damaged);
}

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "tst_profile_store.moc"
