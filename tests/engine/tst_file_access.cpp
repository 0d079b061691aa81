// Reading and writing Lua files: which paths count as Lua files, line ends both ways,
// and writes that either replace the file whole or leave it exactly as it was.
#include <QtTest>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"
#include "lua/LuaFileAccess.h"
#include "lua/LuaJudge.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> folderContents(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

class FileAccessTest : public QObject {
    Q_OBJECT

private slots:
    void isLuaFile();
    void readingConvertsLineEnds_data();
    void readingConvertsLineEnds();
    void openForReading();
    void writeReplacesTheFileInItsLineEnds();
    void failedWritesLeaveEverythingAsItWas_data();
    void failedWritesLeaveEverythingAsItWas();
    void readOnlyFileIsNotReplaced();
    void documentKeepsTextAfterFailedWrite();
    void fixtureLineEndsSurviveAnEdit_data();
    void fixtureLineEndsSurviveAnEdit();
};

void FileAccessTest::isLuaFile()
{
    for (const char* path : {"D:/x/Labels.lua", "data\\profile.lua", "Labels.LUA", ".x.lua"})
        QVERIFY2(lua::LuaFileAccess::isLuaFile(path), path);
    // Other or longer extensions, a backup, a folder named like a Lua file, a bare ".lua".
    for (const char* path :
         {"D:/x/Labels.txt", "labels.luac", "labels.lua.bak", "D:/x.lua/readme", "D:/x/.lua", ".", "..", ""})
        QVERIFY2(!lua::LuaFileAccess::isLuaFile(path), path);
}

void FileAccessTest::readingConvertsLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("crlf");
    // clang-format off
    QTest::newRow("windows") << QByteArray("a\r\nb\r\n") << QByteArray("a\nb\n") << true;
    QTest::newRow("byte-order mark, windows") << QByteArray("\xEF\xBB\xBF" "a\r\nb\r\n") << QByteArray("a\nb\n") << true;
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << QByteArray() << false;
    QTest::newRow("a mark not at the start") << QByteArray("a\n\xEF\xBB\xBF") << QByteArray("a\n\xEF\xBB\xBF")
                                             << false;
    QTest::newRow("lone CR kept") << QByteArray("a\r\nb\rc\r\n") << QByteArray("a\nb\rc\n") << true;
    QTest::newRow("mixed, first is CR LF") << QByteArray("a\r\nb\nc") << QByteArray("a\nb\nc") << true;
    QTest::newRow("unix") << QByteArray("a\nb\r\n") << QByteArray("a\nb\r\n") << false;
    QTest::newRow("no line end") << QByteArray("a\rb") << QByteArray("a\rb") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    QTest::newRow("LF first at start") << QByteArray("\na\r\n") << QByteArray("\na\r\n") << false;
    // clang-format on
}

void FileAccessTest::readingConvertsLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, text);
    QFETCH(bool, crlf);
    enginetest::Scratch scratch;
    const fs::path file = scratch.write("x.lua", bytes.toStdString());
    const lua::LuaFileAccess files;
    auto stream = files.openForReading(file);
    bool foundCrlf = !crlf;
    bool foundMark = false;
    QCOMPARE(QByteArray::fromStdString(files.readAll(stream.get(), &foundCrlf, &foundMark)), text);
    QCOMPARE(foundCrlf, crlf);
    QCOMPARE(foundMark, bytes.startsWith("\xEF\xBB\xBF"));
}

void FileAccessTest::openForReading()
{
    enginetest::Scratch scratch;
    const lua::LuaFileAccess files;
    QVERIFY(!files.openForReading(scratch.write("notes.txt", "a = 1\n")));
    // The editor's backups are read for their values, as the file they were copied from.
    QCOMPARE(files.readAll(files.openForReading(scratch.write("Labels-2026.bak", "a = 1\n")).get()),
             std::string("a = 1\n"));
    auto missing = files.openForReading(scratch.file("missing.lua"));
    QVERIFY(missing);
    QVERIFY(!missing->is_open());
    bool crlf = true;
    QCOMPARE(files.readAll(missing.get(), &crlf), std::string());
    QVERIFY(!crlf);
    QCOMPARE(files.readAll(nullptr), std::string());
    // A folder with a Lua file's name reads as empty, and a document loads it as empty.
    fs::create_directory(scratch.file("Labels.lua"));
    auto folder = files.openForReading(scratch.file("Labels.lua"));
    QVERIFY(folder);
    QCOMPARE(files.readAll(folder.get()), std::string());
    lua::LuaDocument doc;
    doc.load(scratch.file("Labels.lua"));
    QVERIFY(doc.text().empty());
    QVERIFY(doc.statements().empty());
}

void FileAccessTest::writeReplacesTheFileInItsLineEnds()
{
    enginetest::Scratch scratch;
    const fs::path file = scratch.write("x.lua", std::string(5000, 'x'));
    const lua::LuaFileAccess files;
    const std::string text = "a = 1\n\nb = {\n}\n";
    const lua::WriteOutcome outcome = files.writeAll(file, text, true);
    QVERIFY(outcome.written);
    QCOMPARE(outcome.failure, lua::WriteFailure::None);
    QCOMPARE(enginetest::readBytes(file), std::string("a = 1\r\n\r\nb = {\r\n}\r\n"));
    QVERIFY(files.writeAll(file, text, false).written);
    QCOMPARE(enginetest::readBytes(file), text);
    QCOMPARE(folderContents(scratch.file("")), std::vector<std::string>{"x.lua"});
}

void FileAccessTest::failedWritesLeaveEverythingAsItWas_data()
{
    QTest::addColumn<QString>("target");  // relative to the scratch folder
    QTest::addColumn<lua::WriteFailure>("reason");
    // clang-format off
    QTest::newRow("missing folder") << "gone/x.lua" << lua::WriteFailure::FolderMissing;
    QTest::newRow("parent is a file") << "keep.lua/x.lua" << lua::WriteFailure::FolderMissing;
    QTest::newRow("folder in the way") << "sub.lua" << lua::WriteFailure::FolderInTheWay;
    QTest::newRow("no file name") << "" << lua::WriteFailure::NoFileName;
    // clang-format on
}

void FileAccessTest::failedWritesLeaveEverythingAsItWas()
{
    QFETCH(QString, target);
    QFETCH(lua::WriteFailure, reason);
    enginetest::Scratch scratch;
    const std::string kept = "k = 1\r\n";
    scratch.write("keep.lua", kept);
    fs::create_directory(scratch.file("sub.lua"));
    const auto before = folderContents(scratch.file(""));

    const fs::path file = target.isEmpty() ? fs::path() : scratch.file(target.toStdString());
    const lua::WriteOutcome outcome = lua::LuaFileAccess().writeAll(file, "new = 2\n", true);
    QVERIFY(!outcome.written);
    QVERIFY(!outcome);
    QCOMPARE(outcome.failure, reason);
    QCOMPARE(folderContents(scratch.file("")), before);
    QCOMPARE(enginetest::readBytes(scratch.file("keep.lua")), kept);
    QVERIFY(fs::is_empty(scratch.file("sub.lua")));
}

void FileAccessTest::readOnlyFileIsNotReplaced()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("permission bits do not stop root");
#endif
    enginetest::Scratch scratch;
    const fs::path file = scratch.write("ro.lua", "a = 1\n");
    fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
    const lua::WriteOutcome outcome = lua::LuaFileAccess().writeAll(file, "a = 2\n", false);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    QVERIFY(!outcome.written);
    QCOMPARE(outcome.failure, lua::WriteFailure::PermissionDenied);
    QCOMPARE(enginetest::readBytes(file), std::string("a = 1\n"));
}

void FileAccessTest::documentKeepsTextAfterFailedWrite()
{
    enginetest::Scratch scratch;
    fs::create_directory(scratch.file("game"));
    const fs::path file = scratch.write("game/Labels.lua", "x = 1\r\n");
    lua::LuaDocument doc;
    doc.load(file);
    fs::remove_all(scratch.file("game"));

    const lua::WriteOutcome outcome = doc.applyEdit("<x>...[][2]", true);
    QVERIFY(!outcome.written);
    QCOMPARE(outcome.failure, lua::WriteFailure::FolderMissing);
    QCOMPARE(doc.text(), std::string("x = 2\n"));
    QVERIFY(!fs::exists(file));

    // Once the folder is back, a later write succeeds with the text kept in memory.
    fs::create_directory(scratch.file("game"));
    QVERIFY(doc.write().written);
    QCOMPARE(enginetest::readBytes(file), std::string("x = 2\r\n"));
}

void FileAccessTest::fixtureLineEndsSurviveAnEdit_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<QByteArray>("start");  // put before the fixture's bytes
    // clang-format off
    QTest::newRow("current layout, CR LF") << "Labels.lua" << true << QByteArray();
    QTest::newRow("older layout, LF") << "Labels-older-layout.lua" << false << QByteArray();
    // Notepad's byte-order mark, and a "#!" line Lua's loader skips as well.
    QTest::newRow("a byte-order mark and a #! line") << "Labels.lua" << true
                                                     << QByteArray("\xEF\xBB\xBF#!/usr/bin/env lua\r\n");
    // clang-format on
}

void FileAccessTest::fixtureLineEndsSurviveAnEdit()
{
    QFETCH(QString, fixture);
    QFETCH(bool, crlf);
    QFETCH(QByteArray, start);
    enginetest::Scratch scratch;
    const fs::path file = scratch.write(
        "Labels.lua", start.toStdString() + enginetest::readBytes(enginetest::fixture(fixture.toStdString())));
    const std::string original = enginetest::readBytes(file);
    lua::LuaDocument doc;
    doc.load(file);
    QCOMPARE(doc.crlf(), crlf);
    QCOMPARE(doc.text().find('\r'), std::string::npos);
    // Lua reads the text as its loader reads the file.
    QVERIFY(!lua::compileProblem(doc.text()));
    QVERIFY(doc.applyEdit("<AirOn>...[][false]", true).written);
    const std::string written = enginetest::readBytes(file);
    const auto line = original.find("AirOn");
    const auto lineEnd = original.find('\n', line);
    // Everything but the AirOn line is byte for byte the original, line ends and mark included.
    QCOMPARE(written.substr(0, line), original.substr(0, line));
    const std::string rewritten = crlf ? "AirOn = false\r\n" : "AirOn = false\n";
    QCOMPARE(written.substr(line, rewritten.size()), rewritten);
    QCOMPARE(written.substr(line + rewritten.size()), original.substr(lineEnd + 1));
}

QTEST_APPLESS_MAIN(FileAccessTest)
#include "tst_file_access.moc"
