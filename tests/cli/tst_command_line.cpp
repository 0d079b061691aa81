// The command line as scripts and servers use it: the program run with --check, --list
// and --set on copies of the fixtures (under a name of their own, outside any simulator
// home), judged by its exit code, its output and, for --set, by what Lua finds in the
// file before and after.
#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "LuaCheck.h"

namespace {

struct Run {
    int exitCode = -1;
    QStringList out;  // standard output, one line each
    QString err;
};

QStringList linesOf(const QByteArray& bytes) { return QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts); }

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QJsonObject> objectsOf(const QStringList& lines)
{
    QList<QJsonObject> objects;
    for (const QString& line : lines) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            QTest::qFail(qPrintable("not a JSON object: " + line), __FILE__, __LINE__);
            return {};
        }
        objects << document.object();
    }
    return objects;
}

// The one line of a listing whose fields hold all the given values; an empty object
// when there is none or more than one.
QJsonObject lineWith(const QList<QJsonObject>& objects, const QJsonObject& fields)
{
    QList<QJsonObject> found;
    for (const QJsonObject& object : objects) {
        bool all = true;
        for (auto field = fields.begin(); field != fields.end(); ++field)
            all = all && object.value(field.key()) == field.value();
        if (all)
            found << object;
    }
    return found.size() == 1 ? found.constFirst() : QJsonObject();
}

int countWith(const QList<QJsonObject>& objects, const QString& key)
{
    return static_cast<int>(
        std::count_if(objects.begin(), objects.end(), [&](const QJsonObject& o) { return o.contains(key); }));
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString script;  // a fixture's copy, under a name of its own

    // Copies a fixture to <tmp>/scripts/server-labels.lua, removing what an earlier test left.
    // Two are made of Labels.lua: "<marked>" starts with Notepad's byte-order mark and a
    // "#!" line, "<stops>" ends in a call of a library that neither Lua here nor the
    // simulator offers.
    bool install(const QString& fixture)
    {
        QDir(folder.filePath(QStringLiteral("scripts"))).removeRecursively();
        if (!QDir(folder.path()).mkpath(QStringLiteral("scripts")))
            return false;
        script = folder.filePath(QStringLiteral("scripts/server-labels.lua"));
        if (fixture == QLatin1String("<empty>")) {
            QFile empty(script);
            return empty.open(QIODevice::WriteOnly);
        }
        const bool made = fixture == QLatin1String("<marked>") || fixture == QLatin1String("<stops>");
        // Writable: Windows keeps a read-only fixture's copy read-only even for an administrator.
        if (!QFile::copy(QStringLiteral(HALVANE_FIXTURES "/") + (made ? QStringLiteral("Labels.lua") : fixture), script)
            || !QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::WriteOwner))
            return false;
        const QByteArray bytes = readFile(script);
        QFile file(script);
        return !made
            || (file.open(QIODevice::WriteOnly)
                && file.write(fixture == QLatin1String("<marked>") ? "\xEF\xBB\xBF#!/usr/bin/env lua\r\n" + bytes
                                                                   : bytes + "os.exit(1)\r\n")
                    > bytes.size());
    }

    // The program in the temporary folder, so that anything it made there would show.
    Run run(const QStringList& arguments)
    {
        QProcess program;
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(HALVANE_PROGRAM), arguments);
        Run result;
        if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = program.exitCode();
        // A Windows console program ends its lines with CR LF.
        result.out = linesOf(program.readAllStandardOutput().replace("\r\n", "\n"));
        result.err = QString::fromUtf8(program.readAllStandardError().replace("\r\n", "\n"));
        return result;
    }

    QString target(const QString& file) { return file == QLatin1String("<copy>") ? script : folder.filePath(file); }

    // What Lua's run of a file at a level defines in each category's format table, the
    // level's own or the global one: "[10000][2] = ..." lines, by category.
    static std::map<QString, QStringList> luaTables(const QString& file, int level)
    {
        static const QStringList levels{"FULL", "ABBREVIATED", "DOT"};
        const QRegularExpression entry("^(?:LEVEL_" + levels[level - 1]
                                       + "\\.)?(Air|Ground|Navy|Weapon)Format(\\[\\d+\\].*)$");
        std::map<QString, QStringList> tables;
        for (const QString& line : luacheck::definitions(file, level)) {
            const QRegularExpressionMatch match = entry.match(line);
            if (match.hasMatch())
                tables[match.captured(1)] << match.captured(2);
        }
        return tables;
    }

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    // The editor's own profile is never read or made by the command line.
    void cleanup() { QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("data")))); }

    void exitCodesAndMessages_data()
    {
        QTest::addColumn<QString>("fixture");  // installed as the copy; "" for none
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");   // a text standard error holds; "" for an empty one
        QTest::addColumn<bool>("unchanged");  // the copy keeps its bytes
        const QString good = QStringLiteral("Labels.lua");
        const QString broken = QStringLiteral("Labels-syntax-error.lua");
        const QString copy = QStringLiteral("<copy>");
        const QString missing = QStringLiteral("scripts/none.lua");
        const QString aFolder = QStringLiteral("scripts");
        // clang-format off
        QTest::newRow("check: good file") << good << QStringList{"--check", copy} << 0 << "" << true;
        QTest::newRow("check: syntax error") << broken << QStringList{"--check", copy} << 1
            << ":205: '}' expected near '0.7'" << true;
        QTest::newRow("check: a byte-order mark and a #! line") << "<marked>" << QStringList{"--check", copy} << 0 << ""
            << true;
        QTest::newRow("check: a script Lua stops in") << "<stops>" << QStringList{"--check", copy} << 1
            << "server-labels.lua: Lua stops running server-labels.lua, and so does the simulator (detail level FULL, "
               "ABBREVIATED, DOT; line 262: attempt to index a nil value (global 'os')).\n" << true;
        QTest::newRow("set: a change before where the script stops") << "<stops>"
            << QStringList{"--set", copy, "Air.visible=false"} << 0 << "" << false;
        QTest::newRow("check: an empty file") << "<empty>" << QStringList{"--check", copy} << 1
            << "server-labels.lua: server-labels.lua is empty\n" << true;
        QTest::newRow("set: an empty file") << "<empty>" << QStringList{"--set", copy, "size=12"} << 1
            << "server-labels.lua could not be written" << true;
        QTest::newRow("check: missing file") << good << QStringList{"--check", missing} << 2
            << "cannot be read: there is no such file." << true;
        QTest::newRow("check: a folder") << good << QStringList{"--check", aFolder} << 2
            << "cannot be read: it is a folder." << true;
        QTest::newRow("list: good file") << good << QStringList{"--list", copy} << 0 << "" << true;
        QTest::newRow("list: syntax error") << broken << QStringList{"--list", copy} << 0 << "" << true;
        QTest::newRow("list: missing file") << good << QStringList{"--list", missing} << 2
            << "cannot be read: there is no such file." << true;
        QTest::newRow("set: good file") << good << QStringList{"--set", copy, "FULL.Air.NEAR=8000"} << 0 << "" << false;
        QTest::newRow("set: syntax error") << broken << QStringList{"--set", copy, "FULL.Air.NEAR=8000"} << 1
            << "server-labels.lua could not be written: Lua cannot read server-labels.lua as it is (line 205: '}' "
               "expected near '0.7')" << true;
        QTest::newRow("set: missing file") << good << QStringList{"--set", missing, "FULL.Air.NEAR=8000"} << 2
            << "cannot be read: there is no such file." << true;

        QTest::newRow("set: the value the file holds") << good << QStringList{"--set", copy, "Air.visible=true"} << 0
            << "" << true;
        QTest::newRow("set: EMPTY above half of NEAR") << good << QStringList{"--set", copy, "FULL.Air.EMPTY=6000"}
            << 1 << "These distances cannot be written:\n• FULL.Air.EMPTY\n• FULL.Air.NEAR\n" << true;
        QTest::newRow("set: a distance beyond 1000000") << good
            << QStringList{"--set", copy, "DOT.Navy.DOT=1000001"} << 1 << "• DOT.Navy.DOT\nEach must be" << true;
        QTest::newRow("set: a distance not a number") << good << QStringList{"--set", copy, "FULL.Air.NEAR=far"} << 1
            << "FULL.Air.NEAR takes a whole number, not \"far\"" << true;
        QTest::newRow("set: a symbol with a tab") << good << QStringList{"--set", copy, "Air.symbol.near=\t˄"}
            << 1 << "A symbol may not contain a tab or another control character, which no label can show. Nothing "
                    "was written." << true;
        QTest::newRow("set: no such setting") << good << QStringList{"--set", copy, "Air.colour=red"} << 1
            << "\"Air.colour\" names no setting" << true;
        QTest::newRow("set: no such alignment") << good << QStringList{"--set", copy, "FULL.Air.alignment=Up"} << 1
            << "FULL.Air.alignment takes one of the alignment names" << true;
        QTest::newRow("set: a colour of two numbers") << good << QStringList{"--set", copy, "colour.allies=1,2"} << 1
            << "colour.allies takes red,green,blue" << true;
        QTest::newRow("set: size 0") << good << QStringList{"--set", copy, "size=0"} << 1
            << "size takes a whole number from 1 to 99" << true;
        QTest::newRow("set: a setting twice") << good
            << QStringList{"--set", copy, "size=12", "SIZE=14"} << 1 << "size is assigned twice" << true;
        QTest::newRow("set: one bad among good ones") << good
            << QStringList{"--set", copy, "size=12", "Air.visible=maybe"} << 1 << "Air.visible takes true or false"
            << true;
        const QString branches = QStringLiteral("Labels-level-branches.lua");
        QTest::newRow("set: an entry moved onto another") << branches
            << QStringList{"--set", copy, "DOT.Air.4000.distance=8000"}
            << 1 << "Nothing was written. The distances of these format tables must be whole numbers from 0 to "
                    "1000000, no two the same:\n• DOT.Air: 8000, 8000" << true;
        QTest::newRow("set: an entry of a table of the usual shape") << good
            << QStringList{"--set", copy, "FULL.Air.10000.distance=9000"} << 1
            << "FULL.Air is a table of the usual shape" << true;
        QTest::newRow("set: no entry at that distance") << branches
            << QStringList{"--set", copy, "DOT.Air.4100.opacity=1"} << 1 << "DOT.Air has no entry at 4100" << true;
        QTest::newRow("set: an opacity not a number") << branches
            << QStringList{"--set", copy, "DOT.Air.2000.opacity=much"} << 1
            << "DOT.Air.2000.opacity: Enter a number, such as 0.75 or -3." << true;
        QTest::newRow("set: a field of an entry that is no table") << branches
            << QStringList{"--set", copy, "DOT.Air.500.text=x"} << 1 << "DOT.Air.500.text: the entry has no such field"
            << true;
        QTest::newRow("set: a text that cannot be stored") << branches
            << QStringList{"--set", copy, "DOT.Air.2000.text=a\nb"} << 1
            << "DOT.Air.2000.text: This text cannot be stored in server-labels.lua: it contains a line break" << true;
        QTest::newRow("set: an entry's field twice") << branches
            << QStringList{"--set", copy, "DOT.Air.2000.opacity=0.5", "dot.air.2000.OPACITY=0.6"} << 1
            << "dot.air.2000.OPACITY is assigned twice" << true;
        QTest::newRow("set: an entry removed twice") << branches
            << QStringList{"--set", copy, "DOT.Air.remove=4000", "DOT.Air.remove=4000"} << 1
            << "DOT.Air has no entry at \"4000\" to remove" << true;
        QTest::newRow("set: a variable symbol size") << QStringLiteral("Labels-custom-tables.lua")
            << QStringList{"--set", copy, "size=12"} << 1 << "size: set by `fontSize` in the file" << true;
        QTest::newRow("set: a value of a table of its own shape") << QStringLiteral("Labels-player-modified.lua")
            << QStringList{"--set", copy, "FULL.Air.FAR=21000"} << 1
            << "FULL.Air is a format table of its own shape: change its entries by their distance" << true;
        QTest::newRow("set: the others written, a variable size not") << QStringLiteral("Labels-custom-tables.lua")
            << QStringList{"--set", copy, "size=12", "Air.visible=false"} << 1
            << "Your other changes were written to server-labels.lua, but these could not be saved, because the file holds "
               "them in a form the editor does not read:\n• size\nsize: set by `fontSize` in the file" << false;

        QTest::newRow("usage: two commands") << good << QStringList{"--check", copy, "--list", copy} << 1
            << "Give one of --check FILE, --list FILE, --set FILE NAME=VALUE..., --diff FILE B and --import FROM TARGET [NAME...]" << true;
        QTest::newRow("usage: --diff with one file") << good << QStringList{"--diff", copy} << 1
            << "--diff takes two files: --diff FILE B" << true;
        QTest::newRow("import: a name of no setting") << good << QStringList{"--import", QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua"), copy, "FULL.Air.NAER"} << 1
            << "\"FULL.Air.NAER\" names no setting" << true;
        QTest::newRow("usage: assignments without --set") << good << QStringList{"--list", copy, "size=3"} << 1
            << "Only --set takes assignments: size=3" << true;
        QTest::newRow("usage: --set without assignments") << good << QStringList{"--set", copy} << 1
            << "--set needs at least one assignment" << true;
        QTest::newRow("usage: unknown option") << good << QStringList{"--lsit", copy} << 1 << "Unknown option 'lsit'"
            << true;
        // clang-format on
    }

    void exitCodesAndMessages()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QFETCH(bool, unchanged);
        QVERIFY(install(fixture));
        for (QString& argument : arguments)
            if (argument.startsWith('<') || argument.startsWith(QLatin1String("scripts")))
                argument = target(argument);
        const QByteArray before = readFile(script);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        if (error.isEmpty())
            QCOMPARE(result.err, QString());
        else
            QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QCOMPARE(readFile(script) == before, unchanged);
        // A backup is made exactly when the file is written.
        const QDir backups(folder.filePath(QStringLiteral("scripts/LabelManagerBackups")));
        QCOMPARE(backups.entryList({QStringLiteral("*.bak")}, QDir::Files).size(), unchanged ? 0 : 1);
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("shown");
        QTest::newRow("help") << "--help"
                              << "--set <FILE>";
        QTest::newRow("version") << "--version"
                                 << QFileInfo(QStringLiteral(HALVANE_PROGRAM)).completeBaseName() + " 1.0";
    }

    void helpAndVersion()
    {
        QFETCH(QString, option);
        QFETCH(QString, shown);
        const Run result = run({option});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.join('\n').contains(shown), qPrintable(result.out.join('\n')));
    }

    // Every fixture lists: one JSON object a line, the values the window shows, and
    // "unreadable" where the editor cannot read a value today.
    void listsEveryFixture_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("unreadable");
        QTest::addColumn<QJsonArray>("expected");  // lines that must be there, each once
        const auto entry = [](const char* level, const char* category, int index, int distance) {
            return QJsonObject{{"setting", "entry"},
                               {"level", level},
                               {"category", category},
                               {"index", index},
                               {"distance", distance}};
        };
        const QJsonArray allFields{"distance", "text", "alignment", "blend", "opacity", "shiftX", "shiftY"};
        // clang-format off
        QTest::newRow("current layout") << "Labels.lua" << 78 << 0 << QJsonArray{
            QJsonObject{{"setting", "entry"}, {"level", "FULL"}, {"category", "Air"}, {"band", "NEAR"},
                        {"distance", 10000}, {"alignment", "LeftBottom"}, {"name", "FULL.Air.NEAR"},
                        {"text", "aircraft_symbol_near..DISTANCE_NAME"}, {"opacity", 0.5},
                        {"editable", QJsonArray{"distance", "alignment"}}},
            QJsonObject{{"setting", "alignment"}, {"level", "DOT"}, {"category", "Navy"}, {"value", "CenterCenter"}},
            QJsonObject{{"setting", "colour"}, {"side", "allies"}, {"value", QJsonArray{249, 69, 38}}}};
        QTest::newRow("factory copy") << "factory-default.lua" << 78 << 0 << QJsonArray{
            QJsonObject{{"setting", "symbol"}, {"category", "Air"}, {"range", "far"}, {"value", "˄"}}};
        QTest::newRow("older layout") << "Labels-older-layout.lua" << 78 << 0 << QJsonArray{
            QJsonObject{{"setting", "symbolSize"}, {"name", "size"}, {"value", 13}},
            QJsonObject{{"setting", "entry"}, {"level", "ABBREVIATED"}, {"band", "FAR"}, {"category", "Ground"},
                        {"distance", 9000}}};
        QTest::newRow("single level") << "Labels-single-level.lua" << 36 << 0 << QJsonArray{
            QJsonObject{{"setting", "entry"}, {"level", "FULL"}, {"everyLevel", true}, {"category", "Air"},
                        {"index", 1}, {"companionOf", "NEAR"}, {"distance", 6000},
                        {"editable", QJsonArray{"alignment"}}}};
        // Texts with brackets hide nothing after them: every entry of the four tables and
        // both colours are there; only the symbols, which this script writes inside its texts, are not.
        QTest::newRow("single level, brackets in texts") << "Labels-single-ramp.lua" << 49 << 8 << QJsonArray{
            entry("FULL", "Air", 24, 80000), entry("FULL", "Navy", 2, 40000),
            QJsonObject{{"setting", "entry"}, {"category", "Ground"}, {"index", 0}, {"text", "{%N%n%D%n%P"}},
            QJsonObject{{"setting", "entry"}, {"category", "Weapon"}, {"index", 0}, {"text", "[%N%n%D"}},
            QJsonObject{{"setting", "entry"}, {"category", "Weapon"}, {"index", 2}, {"distance", 20000}},
            QJsonObject{{"setting", "colour"}, {"side", "allies"}, {"value", QJsonArray{10, 10, 10}}},
            QJsonObject{{"setting", "colour"}, {"side", "enemies"}, {"value", QJsonArray{10, 10, 10}}}};
        QTest::newRow("player's extra bands") << "Labels-player-modified.lua" << 79 << 0 << QJsonArray{
            QJsonObject{{"setting", "entry"}, {"level", "FULL"}, {"category", "Air"}, {"index", 1},
                        {"distance", 2500}, {"name", "FULL.Air.2500"}, {"editable", allFields}},
            QJsonObject{{"setting", "alignment"}, {"level", "ABBREVIATED"}, {"category", "Ground"},
                        {"value", "LeftCenter"}}};
        QTest::newRow("syntax error") << "Labels-syntax-error.lua" << 78 << 0 << QJsonArray{
            QJsonObject{{"setting", "colour"}, {"side", "enemies"}, {"value", QJsonArray{0, 82, 199}}}};
        QTest::newRow("level branches") << "Labels-level-branches.lua" << 74 << 0 << QJsonArray{
            QJsonObject{{"setting", "visibility"}, {"category", "Navy"}, {"value", false}},
            QJsonObject{{"setting", "entry"}, {"level", "ABBREVIATED"}, {"category", "Weapon"}, {"band", "FAR"},
                        {"distance", 16000}, {"alignment", "RightTop"}},
            entry("DOT", "Air", 0, 500), entry("DOT", "Air", 1, 2000), entry("DOT", "Air", 2, 4000),
            entry("DOT", "Air", 3, 8000), entry("DOT", "Air", 4, 16000), entry("DOT", "Air", 5, 32000),
            entry("DOT", "Air", 6, 48000)};
        QTest::newRow("custom tables") << "Labels-custom-tables.lua" << 74 << 1 << QJsonArray{
            QJsonObject{{"setting", "symbolSize"}, {"setBy", "fontSize"},
                        {"unreadable", "set by `fontSize` in the file"}},
            entry("FULL", "Air", 0, 10), entry("FULL", "Air", 1, 1852), entry("FULL", "Air", 2, 5556),
            entry("FULL", "Air", 3, 9260), entry("FULL", "Air", 4, 18520), entry("FULL", "Air", 5, 37040),
            QJsonObject{{"setting", "entry"}, {"level", "DOT"}, {"category", "Navy"}, {"distance", 7000},
                        {"written", "dot_symbol(0.75,0.4)"}, {"name", "DOT.Navy.7000"},
                        {"editable", QJsonArray{"distance"}}}};
        QTest::newRow("tables read by key") << "Labels-key-order.lua" << 35 << 0 << QJsonArray{
            entry("FULL", "Air", 1, 1852), entry("FULL", "Ground", 1, 1000), entry("FULL", "Ground", 0, 2000),
            QJsonObject{{"setting", "entry"}, {"category", "Weapon"}, {"index", 2}, {"companionOf", "FAR"}}};
        // clang-format on
    }

    void listsEveryFixture()
    {
        QFETCH(QString, fixture);
        QFETCH(int, lines);
        QFETCH(int, unreadable);
        QFETCH(QJsonArray, expected);
        QVERIFY(install(fixture));
        const Run result = run({QStringLiteral("--list"), script});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QString());
        const QList<QJsonObject> objects = objectsOf(result.out);
        QCOMPARE(objects.size(), lines);
        QCOMPARE(countWith(objects, QStringLiteral("unreadable")), unreadable);
        for (const QJsonValue& line : expected)
            QVERIFY2(!lineWith(objects, line.toObject()).isEmpty(),
                     QJsonDocument(line.toObject()).toJson(QJsonDocument::Compact).constData());
        // A companion is one only at half of its band (rounded either way).
        for (const QJsonObject& companion : objects) {
            if (!companion.contains(QStringLiteral("companionOf")))
                continue;
            const QJsonObject band = lineWith(objects,
                                              {{"level", companion.value("level")},
                                               {"category", companion.value("category")},
                                               {"band", companion.value("companionOf")}});
            const int key = companion.value("distance").toInt();
            QVERIFY2(band.value("distance").toInt() / 2 == key || (band.value("distance").toInt() + 1) / 2 == key,
                     QJsonDocument(companion).toJson(QJsonDocument::Compact).constData());
        }
    }

    // A script that keeps its format tables in globals lists, at each level, every entry
    // that Lua's own run of it at that level defines, and nothing it does not; the only
    // values left unread are the symbols a script writes into its texts.
    void listsEveryEntryLuaDefines_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("unreadable");
        QTest::newRow("flags guarded by and") << "Labels-branch-flags.lua" << 0;
        QTest::newRow("flags forced to the DOT branch") << "Labels-branch-forced.lua" << 0;
        QTest::newRow("plain level flags") << "Labels-level-branches.lua" << 0;
        QTest::newRow("single level, brackets in texts") << "Labels-single-ramp.lua" << 8;
        QTest::newRow("single level") << "Labels-single-level.lua" << 0;
    }

    void listsEveryEntryLuaDefines()
    {
        QFETCH(QString, fixture);
        QFETCH(int, unreadable);
        QVERIFY(install(fixture));
        const Run result = run({QStringLiteral("--list"), script});
        QCOMPARE(result.exitCode, 0);
        const QList<QJsonObject> objects = objectsOf(result.out);
        QCOMPARE(countWith(objects, QStringLiteral("unreadable")), unreadable);
        const QStringList levels{"FULL", "ABBREVIATED", "DOT"};
        const QRegularExpression entryLine(QStringLiteral("^(Air|Ground|Navy|Weapon)Format\\[(\\d+)\\] = "));
        for (int level = 1; level <= 3; ++level) {
            QStringList defined;
            for (const QString& line : luacheck::definitions(script, level)) {
                const QRegularExpressionMatch match = entryLine.match(line);
                if (match.hasMatch())
                    defined << match.captured(1) + ' ' + match.captured(2);
            }
            QStringList listed;
            for (const QJsonObject& object : objects) {
                const QString at = levels[level - 1];
                const bool here = object.value("level") == at || object.value("everyLevel").toBool()
                    || object.value("levels").toArray().contains(at);
                if (object.value("setting") == "entry" && here)
                    listed << object.value("category").toString() + ' '
                            + QString::number(object.value("distance").toInt());
            }
            defined.sort();
            listed.sort();
            QCOMPARE(listed, defined);
        }
    }

    // Files of different layouts: a level's table is listed as different exactly where
    // Lua, run at that level, defines its entries otherwise.
    void diffListsWhatLuaReadsDifferently_data()
    {
        QTest::addColumn<QString>("other");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("level branches") << "Labels-level-branches.lua" << 1;
        QTest::newRow("custom tables") << "Labels-custom-tables.lua" << 1;
        QTest::newRow("tables read by key") << "Labels-key-order.lua" << 1;
        QTest::newRow("single level") << "Labels-single-level.lua" << 1;
        QTest::newRow("the same values, older layout") << "Labels-older-layout.lua" << 0;
        QTest::newRow("a file Lua cannot compile") << "Labels-syntax-error.lua" << 2;
    }
    void diffListsWhatLuaReadsDifferently()
    {
        QFETCH(QString, other);
        QFETCH(int, exitCode);
        const QStringList files{QStringLiteral(HALVANE_FIXTURES "/Labels.lua"),
                                QStringLiteral(HALVANE_FIXTURES "/") + other};
        const Run result = run({QStringLiteral("--diff"), files[0], files[1]});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out.isEmpty(), exitCode != 1);
        if (exitCode == 2)
            return;
        QSet<QString> listed;
        for (const QJsonObject& object : objectsOf(result.out)) {
            QVERIFY(object.contains("a") || object.contains("b"));
            if (object.value("setting") == "entry" || object.value("setting") == "table")
                listed << object.value("level").toString() + ' ' + object.value("category").toString();
        }
        QSet<QString> differing;
        const QStringList levels{"FULL", "ABBREVIATED", "DOT"};
        for (int level = 1; level <= 3; ++level) {
            std::map<QString, QStringList> tables[2] = {luaTables(files[0], level), luaTables(files[1], level)};
            for (const QString category : {"Air", "Ground", "Navy", "Weapon"})
                if (tables[0][category] != tables[1][category])
                    differing << levels[level - 1] + ' ' + category;
        }
        QCOMPARE(listed, differing);
    }

    // Every value taken from another file: Lua then defines the same distances in every
    // table at every level, and no value --import takes still differs (the texts of the
    // bands are no settings). Values taken by name change only those, as Lua sees it.
    void importTakesTheOtherFilesValues_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("changedUnder");  // with names: where Lua may see changes
        QTest::newRow("every value, level branches") << "Labels-level-branches.lua" << QStringList() << QStringList();
        QTest::newRow("every value, plain level tables") << "factory-default.lua" << QStringList() << QStringList();
        QTest::newRow("every value, single level") << "Labels-single-level.lua" << QStringList() << QStringList();
        QTest::newRow("a band, the size and a whole table")
            << "Labels-level-branches.lua" << QStringList{"FULL.Air.NEAR", "size", "DOT.Navy"}
            << QStringList{"LEVEL_FULL.AirFormat", "LEVEL_DOT.NavyFormat", "LEVEL_FULL.font_properties",
                           "LEVEL_ABBREVIATED.font_properties", "LEVEL_DOT.font_properties"};
    }
    void importTakesTheOtherFilesValues()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, names);
        QFETCH(QStringList, changedUnder);
        QVERIFY(install(QStringLiteral("Labels.lua")));
        const QString other = QStringLiteral(HALVANE_FIXTURES "/") + from;
        const QStringList before = luacheck::definitions(script);
        const Run result = run(QStringList{QStringLiteral("--import"), other, script} + names);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QVERIFY(!result.out.isEmpty());
        if (!names.isEmpty()) {
            for (const QString& name : names)  // a band's line may be followed by its companion's
                QVERIFY2(
                    !result.out.filter(QRegularExpression("^" + QRegularExpression::escape(name) + ": ")).isEmpty(),
                    qPrintable(name));
            const QStringList changed = luacheck::changedNames(before, luacheck::definitions(script));
            QVERIFY2(luacheck::allUnder(changed, changedUnder), qPrintable(changed.join(' ')));
            return;
        }
        const QRegularExpression key(QStringLiteral("^\\[\\d+\\] = "));
        for (int level = 1; level <= 3; ++level) {
            std::map<QString, QStringList> tables[2] = {luaTables(script, level), luaTables(other, level)};
            for (const QString category : {"Air", "Ground", "Navy", "Weapon"})
                QCOMPARE(tables[0][category].filter(key), tables[1][category].filter(key));
        }
        for (const QJsonObject& left : objectsOf(run({QStringLiteral("--diff"), script, other}).out)) {
            const bool takenKind = left.value("setting") != "entry" || !left.contains("band");
            QVERIFY2(!takenKind || !left.contains("a") || !left.contains("b")
                         || left.value("name").toString().endsWith(".companion"),
                     qPrintable(left.value("name").toString()));
        }
    }

    // One value of each kind, set through the command line: Lua finds that value changed
    // and nothing else.
    void oneChangeReachesLuaAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QStringList>("changedNames");
        const QString current = QStringLiteral("Labels.lua");
        // clang-format off
        QTest::newRow("visibility") << current << "Weapon.visible=false" << "Weapon.visible: true -> false"
            << QStringList{"WeaponOn"};
        QTest::newRow("symbol") << current << "Navy.symbol.far=◯" << "Navy.symbol.far: ˜ -> ◯"
            << QStringList{"LEVEL_ABBREVIATED.NavyFormat[18000][1]", "LEVEL_DOT.NavyFormat[14000][1]",
                           "LEVEL_FULL.NavyFormat[20000][1]"};
        QTest::newRow("symbol of Lua's marks") << current << "Navy.symbol.far={\"--\\ for" << "Navy.symbol.far: ˜ -> {\"--\\ for"
            << QStringList{"LEVEL_ABBREVIATED.NavyFormat[18000][1]", "LEVEL_DOT.NavyFormat[14000][1]",
                           "LEVEL_FULL.NavyFormat[20000][1]"};
        QTest::newRow("symbol size") << current << "size=16" << "size: 13 -> 16"
            << QStringList{"LEVEL_ABBREVIATED.font_properties[2]", "LEVEL_DOT.font_properties[2]",
                           "LEVEL_FULL.font_properties[2]"};
        QTest::newRow("colour") << current << "colour.allies=10,20,30" << "colour.allies: 249,69,38 -> 10,20,30"
            << QStringList{"ColorAliesSide[1]", "ColorAliesSide[2]", "ColorAliesSide[3]",
                           "LEVEL_ABBREVIATED.ColorAliesSide[1]", "LEVEL_ABBREVIATED.ColorAliesSide[2]",
                           "LEVEL_ABBREVIATED.ColorAliesSide[3]", "LEVEL_DOT.ColorAliesSide[1]",
                           "LEVEL_DOT.ColorAliesSide[2]", "LEVEL_DOT.ColorAliesSide[3]",
                           "LEVEL_FULL.ColorAliesSide[1]", "LEVEL_FULL.ColorAliesSide[2]",
                           "LEVEL_FULL.ColorAliesSide[3]"};
        QTest::newRow("alignment") << current << "abbreviated.ground.alignment=centertop"
            << "ABBREVIATED.Ground.alignment: RightTop -> CenterTop"
            << QStringList{"LEVEL_ABBREVIATED.GroundFormat[4000][2]", "LEVEL_ABBREVIATED.GroundFormat[9000][2]"};
        QTest::newRow("band distance") << current << "DOT.Ground.FAR=8000" << "DOT.Ground.FAR: 7000 -> 8000"
            << QStringList{"LEVEL_DOT.GroundFormat[7000]", "LEVEL_DOT.GroundFormat[7000][1]",
                           "LEVEL_DOT.GroundFormat[7000][2]", "LEVEL_DOT.GroundFormat[7000][3]",
                           "LEVEL_DOT.GroundFormat[7000][4]", "LEVEL_DOT.GroundFormat[7000][5]",
                           "LEVEL_DOT.GroundFormat[7000][6]", "LEVEL_DOT.GroundFormat[8000]",
                           "LEVEL_DOT.GroundFormat[8000][1]", "LEVEL_DOT.GroundFormat[8000][2]",
                           "LEVEL_DOT.GroundFormat[8000][3]", "LEVEL_DOT.GroundFormat[8000][4]",
                           "LEVEL_DOT.GroundFormat[8000][5]", "LEVEL_DOT.GroundFormat[8000][6]"};
        QTest::newRow("a byte-order mark and a #! line") << QStringLiteral("<marked>") << "Weapon.visible=false"
            << "Weapon.visible: true -> false" << QStringList{"WeaponOn"};
        QTest::newRow("single level: band distance") << QStringLiteral("Labels-single-level.lua")
            << "DOT.Navy.EMPTY=20" << "FULL.Navy.EMPTY: 15 -> 20"
            << QStringList{"NavyFormat[15]", "NavyFormat[15][1]", "NavyFormat[15][2]", "NavyFormat[15][3]",
                           "NavyFormat[15][4]", "NavyFormat[15][5]", "NavyFormat[15][6]", "NavyFormat[20]",
                           "NavyFormat[20][1]", "NavyFormat[20][2]", "NavyFormat[20][3]", "NavyFormat[20][4]",
                           "NavyFormat[20][5]", "NavyFormat[20][6]"};
        // clang-format on
    }

    void oneChangeReachesLuaAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, assignment);
        QFETCH(QString, printed);
        QFETCH(QStringList, changedNames);
        QVERIFY(install(fixture));
        const QStringList before = luacheck::definitions(script);
        QVERIFY(!before.isEmpty());
        const QByteArray start = readFile(script).left(24);
        const Run result = run({QStringLiteral("--set"), script, assignment});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringList{printed});
        QCOMPARE(luacheck::changedNames(before, luacheck::definitions(script)), changedNames);
        QVERIFY(readFile(script).startsWith(start));
        // And the listing shows the new value.
        const Run listed = run({QStringLiteral("--list"), script});
        const QString name = printed.section(QStringLiteral(": "), 0, 0);
        const QString value = printed.section(QStringLiteral(" -> "), 1);
        bool shown = false;
        for (const QJsonObject& object : objectsOf(listed.out)) {
            if (object.value(QStringLiteral("name")).toString() != name)
                continue;
            const QJsonValue held = object.contains(QStringLiteral("value")) ? object.value(QStringLiteral("value"))
                                                                             : object.value(QStringLiteral("distance"));
            QStringList parts;
            for (const QJsonValue& part : held.isArray() ? held.toArray() : QJsonArray{held})
                parts << (part.isString()     ? part.toString()
                              : part.isBool() ? (part.toBool() ? "true" : "false")
                                              : QString::number(part.toInt()));
            shown = parts.join(',') == value;
        }
        QVERIFY2(shown, qPrintable(name + " does not list " + value));
    }

    // The format tables of the player's own shape, entry by entry, and the bands of the
    // branch layout: Lua finds the change at its level alone (level 0: a file that is the
    // same at every level), and nothing else changed.
    void oneTableChangeReachesItsLevelAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("under");     // every changed name starts with one of these
        QTest::addColumn<QStringList>("includes");  // names that must be among the changed ones
        const QString branches = QStringLiteral("Labels-level-branches.lua");
        const QString custom = QStringLiteral("Labels-custom-tables.lua");
        // clang-format off
        QTest::newRow("branches: a band distance at ABBREVIATED") << branches << "ABBREVIATED.Air.NEAR=7500"
            << "ABBREVIATED.Air.NEAR: 7000 -> 7500\nABBREVIATED.Air.NEAR.companion: 3500 -> 3750" << 2
            << QStringList{"AirFormat[3500]", "AirFormat[3750]", "AirFormat[7000]", "AirFormat[7500]"}
            << QStringList{"AirFormat[3750]", "AirFormat[7500]"};
        QTest::newRow("branches: an entry field of the DOT ramp") << branches << "DOT.Air.2000.opacity=0.5"
            << "DOT.Air.2000.opacity: 1 -> 0.5" << 3 << QStringList{"AirFormat[2000][4]"}
            << QStringList{"AirFormat[2000][4]"};
        QTest::newRow("branches: an entry distance of the DOT ramp") << branches << "DOT.Air.16000.distance=20000"
            << "DOT.Air.16000.distance: 16000 -> 20000" << 3
            << QStringList{"AirFormat[16000]", "AirFormat[20000]"} << QStringList{"AirFormat[20000][1]"};
        QTest::newRow("branches: an entry added to the DOT ramp") << branches << "DOT.Air.add=5000"
            << "DOT.Air: entry added at 5000" << 3 << QStringList{"AirFormat[5000]"}
            << QStringList{"AirFormat[5000][4]"};
        QTest::newRow("branches: an entry removed from the DOT ramp") << branches << "DOT.Air.remove=4000"
            << "DOT.Air: entry at 4000 removed" << 3 << QStringList{"AirFormat[4000]"}
            << QStringList{"AirFormat[4000][1]"};
        QTest::newRow("custom: a nautical-mile distance") << custom << "FULL.Air.9260.distance=9000"
            << "FULL.Air.9260.distance: 9260 -> 9000" << 0
            << QStringList{"LEVEL_FULL.AirFormat[9260]", "LEVEL_FULL.AirFormat[9000]"}
            << QStringList{"LEVEL_FULL.AirFormat[9000][2]"};
        QTest::newRow("custom: a nautical-mile entry's text") << custom << "FULL.Air.5556.text=%N"
            << "FULL.Air.5556.text: aircraft_symbol_near..DISTANCE_NAME -> %N" << 0
            << QStringList{"LEVEL_FULL.AirFormat[5556][1]"} << QStringList{"LEVEL_FULL.AirFormat[5556][1]"};
        QTest::newRow("single level: a text with a bracket") << QStringLiteral("Labels-single-ramp.lua")
            << "FULL.Weapon.5000.text=]%N\"\\" << "FULL.Weapon.5000.text: [%N%n%D -> ]%N\"\\" << 0
            << QStringList{"WeaponFormat[5000][1]"} << QStringList{"WeaponFormat[5000][1]"};
        QTest::newRow("custom: a call entry's distance") << custom << "DOT.Ground.3000.distance=3500"
            << "DOT.Ground.3000.distance: 3000 -> 3500" << 0
            << QStringList{"LEVEL_DOT.GroundFormat[3000]", "LEVEL_DOT.GroundFormat[3500]"}
            << QStringList{"LEVEL_DOT.GroundFormat[3500][4]"};
        // clang-format on
    }

    void oneTableChangeReachesItsLevelAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, assignment);
        QFETCH(QString, printed);
        QFETCH(int, level);
        QFETCH(QStringList, under);
        QFETCH(QStringList, includes);
        QVERIFY(install(fixture));
        const QList<int> runs = level == 0 ? QList<int>{0} : QList<int>{1, 2, 3};
        QList<QStringList> before;
        for (const int run : runs)
            before << luacheck::definitions(script, run);
        const Run result = run({QStringLiteral("--set"), script, assignment});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, printed.split('\n'));
        for (int i = 0; i < runs.size(); ++i) {
            const QStringList changed = luacheck::changedNames(before[i], luacheck::definitions(script, runs[i]));
            if (runs[i] != level) {
                QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("level %1: ").arg(runs[i]) + changed.join(' ')));
                continue;
            }
            QVERIFY2(luacheck::allUnder(changed, under), qPrintable(changed.join(' ')));
            for (const QString& name : includes)
                QVERIFY2(changed.contains(name), qPrintable(name + " unchanged: " + changed.join(' ')));
        }
    }

    // Several assignments at once: written in one go, each change printed in the window's
    // order; when the model cannot save one, the others are still written and printed.
    void severalChangesAtOnce_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("under");  // every name Lua finds changed starts with one of these
        // clang-format off
        QTest::newRow("bands and a visibility") << "Labels-older-layout.lua"
            << QStringList{"FULL.Weapon.FAR=30000", "Ground.visible=false", "FULL.Weapon.NEAR=6000"} << 0
            << QStringList{"Ground.visible: true -> false", "FULL.Weapon.NEAR: 5000 -> 6000",
                           "FULL.Weapon.FAR: 20000 -> 30000", "FULL.Weapon.FAR.companion: 10000 -> 15000"}
            << QStringList{"GroundOn", "LEVEL_FULL.WeaponFormat[5000]", "LEVEL_FULL.WeaponFormat[6000]",
                           "LEVEL_FULL.WeaponFormat[10000]", "LEVEL_FULL.WeaponFormat[15000]",
                           "LEVEL_FULL.WeaponFormat[20000]", "LEVEL_FULL.WeaponFormat[30000]"};
        QTest::newRow("an entry written, a variable size not") << "Labels-custom-tables.lua"
            << QStringList{"size=12", "DOT.Navy.7000.distance=7500"} << 1
            << QStringList{"DOT.Navy.7000.distance: 7000 -> 7500"}
            << QStringList{"LEVEL_DOT.NavyFormat[7000]", "LEVEL_DOT.NavyFormat[7500]"};
        const QString keyOrder = QStringLiteral("Labels-key-order.lua");
        QTest::newRow("the player's own entry [1] stays") << keyOrder << QStringList{"FULL.Air.NEAR=9360"} << 0
            << QStringList{"FULL.Air.NEAR: 9260 -> 9360"} << QStringList{"AirFormat[9260]", "AirFormat[9360]"};
        QTest::newRow("a companion rounded up follows") << keyOrder << QStringList{"FULL.Weapon.FAR=20000"} << 0
            << QStringList{"FULL.Weapon.FAR: 18001 -> 20000", "FULL.Weapon.FAR.companion: 9001 -> 10000"}
            << QStringList{"WeaponFormat[9001]", "WeaponFormat[10000]", "WeaponFormat[18001]", "WeaponFormat[20000]"};
        QTest::newRow("a table out of key order, edited") << keyOrder
            << QStringList{"FULL.Ground.1000.opacity=0.6", "FULL.Ground.2000.distance=1500"} << 0
            << QStringList{"FULL.Ground.1000.opacity: 0.7 -> 0.6", "FULL.Ground.2000.distance: 2000 -> 1500"}
            << QStringList{"GroundFormat[1000][4]", "GroundFormat[2000]", "GroundFormat[1500]"};
        // clang-format on
    }

    void severalChangesAtOnce()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, assignments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, under);
        QVERIFY(install(fixture));
        const QStringList before = luacheck::definitions(script);
        const Run result = run(QStringList{QStringLiteral("--set"), script} + assignments);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.err.isEmpty(), exitCode == 0);
        QCOMPARE(result.out, printed);
        const QStringList changed = luacheck::changedNames(before, luacheck::definitions(script));
        QVERIFY(!changed.isEmpty());
        QVERIFY2(luacheck::allUnder(changed, under), qPrintable(changed.join(' ')));
    }

    // Redirected by a prompt or a script's shell rather than by QProcess: Windows then
    // starts the program without the handles of its own that QProcess hands on, so it
    // sees no console at all.
    void helpAndVersionRedirectedByTheShell_data() { helpAndVersion_data(); }

    void helpAndVersionRedirectedByTheShell()
    {
        QFETCH(QString, option);
        QFETCH(QString, shown);
        const QString out = folder.filePath(QStringLiteral("printed.txt"));
        QFile::remove(out);
        // With its drive: the shell starts in the temporary folder, on another drive under Wine.
        const QString program = QDir::toNativeSeparators(QFileInfo(QStringLiteral(HALVANE_PROGRAM)).absoluteFilePath());
        QProcess shell;
        shell.setWorkingDirectory(folder.path());
        if (QSysInfo::kernelType() == QLatin1String("winnt"))
            shell.start(QStringLiteral("cmd"), {QStringLiteral("/c"), program + ' ' + option + " > printed.txt"});
        else
            shell.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), "'" + program + "' " + option + " > printed.txt"});
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.exitCode(), 0);
        const QString printed = QString::fromUtf8(readFile(out));
        QVERIFY2(printed.contains(shown), qPrintable(printed));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
