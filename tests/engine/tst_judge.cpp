// Lua as the last word on a write: what compiles, what runs, and what a write may change.
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

#include "EngineTestSupport.h"
#include "lua/LuaJudge.h"

using namespace enginetest;

namespace {

// A fixture with LF line ends, as a document holds it.
std::string labelScript(const std::string& name = "Labels.lua")
{
    lua::LuaDocument document;
    document.load(fixture(name));
    return document.text();
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        qFatal("the fixture no longer holds %s", from.c_str());
    return text.replace(at, from.size(), to);
}

struct Judged {
    lua::Verdict verdict;
    std::vector<lua::IntendedChange> intended;
};

// Applies the edits to the old text as the model does and lets Lua judge the outcome,
// after `tamper` (the stand-in for a fault of the engine) has had its way with the new text.
Judged judgeText(const std::string& old, const std::vector<std::string>& edits,
                 const std::function<std::string(std::string)>& tamper)
{
    LoadedText before(old);
    LoadedText after(old);
    for (const std::string& edit : edits)
        static_cast<void>(after.doc.applyEdit(edit, false));
    Judged judged;
    judged.intended = lua::intendedChanges(before.doc, after.doc, edits);
    const std::string written = tamper ? tamper(after.doc.text()) : after.doc.text();
    judged.verdict = lua::judgeWrite(old, written, judged.intended);
    return judged;
}

Judged judgeEdits(const std::vector<std::string>& edits, const std::function<std::string(std::string)>& tamper = {},
                  const std::string& script = "Labels.lua")
{
    return judgeText(labelScript(script), edits, tamper);
}

const std::string fullAirAlignment = "<LEVEL_FULL>.[0].<AirFormat>.[2].[1]...[][\"RightTop\"]";

}  // namespace

class JudgeTest : public QObject {
    Q_OBJECT

private slots:
    void compileProblemNamesLineAndMessage()
    {
        lua::LuaDocument broken;
        broken.load(fixture("Labels-syntax-error.lua"));
        const auto problem = lua::compileProblem(broken.text());
        QVERIFY(problem);
        QCOMPARE(problem->line, 205);
        QCOMPARE(QString::fromStdString(problem->message), QStringLiteral("'}' expected near '0.7'"));
        QVERIFY(!lua::compileProblem(labelScript()));
    }

    // The sandbox tells each line a run reaches, and ends the run for good where asked.
    void linesOfARunAreFollowed_data()
    {
        QTest::addColumn<int>("stopAt");  // the line whose callback stops the run; 0 for none
        QTest::addColumn<QList<int>>("lines");
        // Line 6 twice: the chunk calls pcall there, then the function inside runs it.
        QTest::newRow("the whole run") << 0 << QList<int>{2, 3, 6, 6, 7};
        QTest::newRow("stopped in the branch") << 6 << QList<int>{2, 3, 6};
    }
    void linesOfARunAreFollowed()
    {
        QFETCH(int, stopAt);
        QFETCH(QList<int>, lines);
        lua::Sandbox sandbox(lua::Clock::now() + lua::checkTime);
        QVERIFY(sandbox.load("#!/usr/bin/env lua\nlabels = 2\nif labels == 1 then\n  a = 1\nelse\n"
                             "  pcall(function() a = 2 end)\nend\n"));
        QList<int> reached;
        const lua::RunEnd end = sandbox.run([&](int line) {
            reached << line;
            return line == stopAt;
        });
        QCOMPARE(reached, lines);
        QCOMPARE(end, stopAt == 0 ? lua::RunEnd::Finished : lua::RunEnd::Stopped);
        QCOMPARE(sandbox.state() == nullptr, stopAt != 0);
        QCOMPARE(sandbox.lineReached(), lines.back());
    }

    // Runs started from several threads at once, on a machine they load: each returns its
    // own result in time, and one that outlasts its deadline is given up, not waited for.
    void runsInTimeReturnTheirOwnResults()
    {
        std::atomic<int> wrong{0};
        std::vector<std::thread> callers;
        for (int caller = 0; caller < 4; ++caller) {
            callers.emplace_back([caller, &wrong] {
                for (int i = 0; i < 50; ++i) {
                    const int expected = caller * 1000 + i;
                    const auto deadline = lua::Clock::now() + std::chrono::seconds(10);
                    if (lua::inTime<int>([expected] { return expected; }, deadline, -1) != expected)
                        ++wrong;
                }
            });
        }
        for (std::thread& caller : callers)
            caller.join();
        QCOMPARE(wrong.load(), 0);
        auto release = std::make_shared<std::promise<void>>();
        std::shared_future<void> released = release->get_future().share();
        const auto deadline = lua::Clock::now() + std::chrono::milliseconds(10);
        QCOMPARE(lua::inTime<int>([released] { return released.wait(), 1; }, deadline, -1), -1);
        release->set_value();
    }

    void runsSeeTheLevelAndTheSharedTables()
    {
        const lua::ScriptRun run
            = lua::runScript(labelScript() + "\nLevelSeen = labels\n", 3, lua::Clock::now() + lua::checkTime);
        QVERIFY(!run.stop);
        QCOMPARE(run.values.at("LevelSeen"), std::string("3"));
        QCOMPARE(run.values.at("LEVEL_FULL.AirFormat[10000][2]"), std::string("\"LeftBottom\""));
        QCOMPARE(run.values.at("LEVEL_FULL.AirFormat[10000][3]"), std::string("0.75"));
        // default_font is one table for every level: its size lives at the first path.
        QCOMPARE(run.values.at("LEVEL_ABBREVIATED.font_properties[2]"), std::string("13"));
        QCOMPARE(run.values.at("LEVEL_FULL.font_properties"), std::string("=LEVEL_ABBREVIATED.font_properties"));
    }

    void intendedEditsPass_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::newRow("alignment") << QStringList{"<LEVEL_FULL>.[0].<AirFormat>.[2].[1]...[][\"RightTop\"]"};
        QTest::newRow("distance and companion")
            << QStringList{"<LEVEL_FULL>.[0].<AirFormat>.[1]...[[5500]][]", "<LEVEL_FULL>.[0].<AirFormat>.[2]...[[11000]][]"};
        QTest::newRow("distance onto a key another entry leaves")
            << QStringList{"<LEVEL_DOT>.[0].<GroundFormat>.[2]...[[9000]][]", "<LEVEL_DOT>.[0].<GroundFormat>.[1]...[[7000]][]"};
        QTest::newRow("moved entry with a new alignment")
            << QStringList{"<LEVEL_FULL>.[0].<NavyFormat>.[2]...[[25000]][]",
                           "<LEVEL_FULL>.[0].<NavyFormat>.[2].[1]...[][\"RightTop\"]"};
        QTest::newRow("symbol in a local") << QStringList{"<aircraft_symbol_near>...[][\"x\"]"};
        QTest::newRow("size in a local table") << QStringList{"<default_font>.[1]...[][14]"};
        QTest::newRow("colour") << QStringList{"<ColorAliesSide>...[][{1,2,3}]"};
        QTest::newRow("visibility") << QStringList{"<NavyOn>...[][false]"};
        // EMPTY, shared by every table, was written out at the entry the rewrite drops.
        QTest::newRow("table rewritten without a shared entry")
            << QStringList{"<LEVEL_ABBREVIATED>.[0].<AirFormat>...[][{[500] = {\"x\", \"CenterCenter\"}}]"};
    }
    void intendedEditsPass()
    {
        QFETCH(QStringList, edits);
        std::vector<std::string> batch;
        for (const QString& edit : edits)
            batch.push_back(edit.toStdString());
        const Judged judged = judgeEdits(batch);
        QVERIFY(!judged.intended.empty());
        QVERIFY2(judged.verdict,
                 judged.verdict.damaged.empty() ? judged.verdict.stop.message.c_str()
                                                : judged.verdict.damaged[0].c_str());
    }

    void damageIsRefused_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("damaged");  // the path named, or "" for a run that stops
        QTest::addColumn<bool>("compiles");
        QTest::newRow("another global") << "GroundOn \t\t \t\t= true" << "GroundOn = false" << "GroundOn" << true;
        QTest::newRow("the same value at another level")
            << "[9000]\t= {ground_symbol_far..ABB_NAME\t\t,\"RightTop\""
            << "[9000]\t= {ground_symbol_far..ABB_NAME\t\t,\"LeftTop\""
            << "LEVEL_ABBREVIATED.GroundFormat[9000][2]" << true;
        QTest::newRow("a table shared by every level")
            << "local EMPTY = {\"\", \"LeftBottom\"" << "local EMPTY = {\"-\", \"LeftBottom\""
            << "LEVEL_ABBREVIATED.AirFormat[20][1]" << true;
        QTest::newRow("loops for ever") << "AirOn" << "while true do end\nAirOn" << "" << true;
        QTest::newRow("calls os.exit") << "AirOn" << "os.exit(1)\nAirOn" << "" << true;
        QTest::newRow("eats memory") << "AirOn" << "local t = {} for i = 1, 1e9 do t[i] = i end\nAirOn" << "" << true;
        QTest::newRow("a lost comma") << "[7000]\t= {ground_symbol_far\t\t,\"CenterCenter\"\t,0.75\t, 0.5\t, -3\t, 0},"
                                      << "[7000]\t= {ground_symbol_far\t\t,\"CenterCenter\"\t,0.75\t, 0.5\t, -3\t, 0}"
                                      << "" << false;
    }
    void damageIsRefused()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, damaged);
        QFETCH(bool, compiles);
        const Judged judged = judgeEdits({"<LEVEL_FULL>.[0].<AirFormat>.[2].[1]...[][\"RightTop\"]"},
                                         [&](std::string text) { return replaced(text, from.toStdString(), to.toStdString()); });
        QVERIFY(!judged.verdict);
        QCOMPARE(!judged.verdict.compile, compiles);
        if (compiles && damaged.isEmpty())
            QVERIFY(judged.verdict.newRunFails);
        if (!damaged.isEmpty())
            QVERIFY2(std::find(judged.verdict.damaged.begin(), judged.verdict.damaged.end(), damaged.toStdString())
                         != judged.verdict.damaged.end(),
                     judged.verdict.damaged.empty() ? "nothing damaged" : judged.verdict.damaged[0].c_str());
    }

    // A script Lua stops in takes a change only where the changed text stops the same way
    // (its line may move) and the change takes effect before the stop.
    void stoppingScriptTakesWhatItReaches_data()
    {
        QTest::addColumn<QString>("start");  // put before the fixture
        QTest::addColumn<QString>("end");    // put after it
        QTest::addColumn<QString>("from");   // changed in the new text besides the edit
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("refusedAt");   // the level named; 0 for a change written
        QTest::addColumn<bool>("stopsAnew");  // the new text stops otherwise; else the change comes after the stop
        const QString osExit = QStringLiteral("os.exit(1)\n");
        const QString notAtAbbreviated = QStringLiteral("if labels == 2 then error('not at ABBREVIATED') end\n");
        // clang-format off
        QTest::newRow("stops at its end") << "" << osExit << "" << "" << 0 << false;
        QTest::newRow("stops at its end, a line added above") << "" << osExit << "AirOn" << "\nAirOn" << 0 << false;
        QTest::newRow("stops at one level, at its end") << "" << notAtAbbreviated << "" << "" << 0 << false;
        QTest::newRow("stops at its start") << osExit << "" << "" << "" << 1 << false;
        QTest::newRow("stops at one level, at its start") << notAtAbbreviated << "" << "" << "" << 2 << false;
        QTest::newRow("stops with another message") << "" << notAtAbbreviated << "not at" << "never at" << 2 << true;
        // clang-format on
    }
    void stoppingScriptTakesWhatItReaches()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, refusedAt);
        QFETCH(bool, stopsAnew);
        const Judged judged = judgeText(
            start.toStdString() + labelScript() + end.toStdString(), {fullAirAlignment}, [&](std::string text) {
                return from.isEmpty() ? text : replaced(text, from.toStdString(), to.toStdString());
            });
        QCOMPARE(judged.verdict.labels, refusedAt);
        QCOMPARE(static_cast<bool>(judged.verdict), refusedAt == 0);
        QCOMPARE(judged.verdict.newRunFails, refusedAt != 0 && stopsAnew);
        QCOMPARE(judged.verdict.oldRunStops, refusedAt != 0 && !stopsAnew);
        QVERIFY(judged.verdict.damaged.empty());
        if (refusedAt != 0)
            QCOMPARE(judged.verdict.stop.kind, lua::RunStop::Error);
    }

    // In a script that picks each level's tables in a branch, a change is judged in the
    // run of its own level: the same key moved in another level's branch is damage.
    void branchChangesAreJudgedInTheirLevelsRun()
    {
        const std::string fullNear = "<if labels == 1>.<AirFormat>.[2]...[[9500]][]";
        const Judged mine = judgeEdits({fullNear}, {}, "Labels-level-branches.lua");
        QVERIFY(!mine.intended.empty());
        QCOMPARE(mine.intended.front().onlyAtLevels, 1u << 1);
        QVERIFY(mine.verdict);
        const Judged other = judgeEdits(
            {fullNear},
            [](std::string text) {
                return replaced(text, "[7000]\t= {aircraft_symbol_near..DISTANCE_NAME",
                                "[9500]\t= {aircraft_symbol_near..DISTANCE_NAME");
            },
            "Labels-level-branches.lua");
        QVERIFY(!other.verdict);
        QCOMPARE(other.verdict.labels, 2);
    }

    void anIntendedChangeThatDidNotHappenIsNamed()
    {
        const Judged judged = judgeEdits({"<LEVEL_FULL>.[0].<AirFormat>.[2].[1]...[][\"RightTop\"]"},
                                         [](const std::string&) { return labelScript(); });
        QVERIFY(!judged.verdict);
        QCOMPARE(judged.verdict.damaged.front(), std::string("LEVEL_FULL.AirFormat[10000][2]"));
    }
};

QTEST_APPLESS_MAIN(JudgeTest)
#include "tst_judge.moc"
