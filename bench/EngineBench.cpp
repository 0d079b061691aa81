// Speed of the Lua document engine on the real label script and on larger scripts
// built from its statements: loading, and one Apply at level FULL with its write.
#include <benchmark/benchmark.h>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace {

// The fixture's text repeated until it reaches the wanted size, every top-level key
// given a suffix per copy so that each copy adds its own statements.
std::string scriptOfSize(std::size_t wanted)
{
    enginetest::Scratch scratch;
    lua::LuaDocument fixture;
    fixture.load(scratch.copyFixture("Labels.lua"));
    const std::string& text = fixture.text();
    std::string script;
    for (int copy = 0; script.size() < wanted; ++copy) {
        std::size_t done = 0;
        for (const auto& statement : fixture.statements()) {
            const std::string_view span(text.data() + statement->startPos, statement->endPos - statement->startPos + 1);
            const int keyEnd = lua::lastNonSpace(span, static_cast<int>(span.find('=')) - 1) + 1;
            script += text.substr(done, statement->startPos - done);
            script
                += std::string(span.substr(0, keyEnd)) + "_" + std::to_string(copy) + std::string(span.substr(keyEnd));
            done = statement->endPos + 1;
        }
        script += text.substr(done);
    }
    return script;
}

// As the program reads a label script: only an "if" that picks the format tables is a
// level block, whose branches it asks Lua about.
void readAsLabelScript(lua::LuaDocument& doc)
{
    doc.readBranchesAssigning({"AirFormat", "GroundFormat", "NavyFormat", "WeaponFormat"});
}

void loadFixture(benchmark::State& state)
{
    enginetest::Scratch scratch;
    const auto file = scratch.copyFixture("Labels.lua");
    for (auto _ : state) {
        lua::LuaDocument doc;
        readAsLabelScript(doc);
        doc.load(file);
        benchmark::DoNotOptimize(doc.statements().size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(enginetest::readBytes(file).size()));
}

void fullApplyWithWrite(benchmark::State& state)
{
    enginetest::Scratch scratch;
    const std::string original = enginetest::readBytes(enginetest::fixture("Labels.lua"));
    const auto file = scratch.write("Labels.lua", original);
    const std::vector<std::string> batch = enginetest::applyBatch("full-apply.edits");
    for (auto _ : state) {
        state.PauseTiming();
        enginetest::writeBytes(file, original);
        lua::LuaDocument doc;
        readAsLabelScript(doc);
        doc.load(file);
        state.ResumeTiming();
        for (const std::string& edit : batch)
            static_cast<void>(doc.applyEdit(edit, false));
        if (!doc.write())
            state.SkipWithError("the copy could not be written");
    }
}

void loadGenerated(benchmark::State& state)
{
    enginetest::Scratch scratch;
    const std::string script = scriptOfSize(static_cast<std::size_t>(state.range(0)) * 1024);
    const auto file = scratch.write("big.lua", script);
    std::size_t statements = 0;
    for (auto _ : state) {
        lua::LuaDocument doc;
        readAsLabelScript(doc);
        doc.load(file);
        statements = doc.statements().size();
    }
    state.counters["statements"] = static_cast<double>(statements);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(script.size()));
}

}  // namespace

BENCHMARK(loadFixture)->Unit(benchmark::kMicrosecond);
BENCHMARK(fullApplyWithWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(loadGenerated)->Arg(100)->Arg(1024)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
