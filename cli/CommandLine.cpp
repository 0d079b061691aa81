#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "cli/CliDiff.h"
#include "cli/CliImport.h"
#include "cli/CliList.h"
#include "cli/CliNames.h"
#include "cli/CliSet.h"
#include "cli/ConsoleOutput.h"
#include "common/Messages.h"
#include "lua/LuaFileAccess.h"
#include "model/LabelConfig.h"
#include "model/Language.h"
#include "model/ProfileStore.h"

namespace cli {
namespace {

void print(std::FILE* stream, const QStringList& lines)
{
    for (const QString& line : lines)
        writeOut(stream, line + QLatin1Char('\n'));
}

// The window's messages name the file it always works on; here it is the one given.
QStringList inFile(QStringList messages, const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    for (QString& text : messages)
        text.replace(QStringLiteral("Labels.lua"), name);
    return messages;
}

// Why the file cannot be read, or nothing when it can. The model reads a missing or
// unreadable file as an empty one, so this is asked first.
QString unreadableFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("there is no such file");
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (!lua::LuaFileAccess::isLuaFile(std::filesystem::path(file.toStdU16String())))
        return QStringLiteral("it is not a .lua file");
    QFile probe(file);
    if (!probe.open(QIODevice::ReadOnly))
        return probe.errorString();
    return {};
}

// The command's model, bound to the file alone: a profile that lives only in memory
// (it is given no file) stands in for the editor's own, which the command line never
// reads or writes.
struct Script {
    ProfileStore profile{std::filesystem::path()};
    std::unique_ptr<LabelConfig> model;
};

// What the load found wrong with the file as a whole, worded as the window words it; a
// file Lua cannot compile as compilers report it, FILE:LINE: message.
std::optional<QString> fileProblem(const QString& file, const LabelConfig& model)
{
    const QString shown = QDir::toNativeSeparators(file);
    switch (model.labelFileState()) {
    case LabelFileState::Readable: break;
    case LabelFileState::Empty: return shown + QStringLiteral(": ") + message(MessageId::FileIsEmpty);
    case LabelFileState::NotUtf8: return shown + QStringLiteral(": ") + message(MessageId::FileNotUtf8);
    case LabelFileState::Folder:
    case LabelFileState::Unreadable: return shown + QStringLiteral(": ") + message(MessageId::FileUnreadable);
    case LabelFileState::DoesNotCompile: {
        const lua::CompileProblem& problem = *model.compileProblemAtLoad();
        return QStringLiteral("%1:%2: %3").arg(shown).arg(problem.line).arg(QString::fromStdString(problem.message));
    }
    }
    return std::nullopt;
}

// Loads the file into the script's model; false, with the reason on standard error,
// when it cannot be read.
bool load(const QString& file, Script& script)
{
    if (const QString why = unreadableFile(file); !why.isEmpty()) {
        print(stderr, {QStringLiteral("%1 cannot be read: %2.").arg(QDir::toNativeSeparators(file), why)});
        return false;
    }
    try {
        script.model = std::make_unique<LabelConfig>(script.profile, std::filesystem::path(file.toStdU16String()));
    } catch (const std::filesystem::filesystem_error& error) {
        const Reason reason = reasonOf(error.code());
        print(stderr, {QStringLiteral("%1 cannot be read: %2.").arg(QDir::toNativeSeparators(file), reason.text)});
        return false;
    }
    return true;
}

// Files whose values are compared or taken must be read whole: one that Lua cannot
// compile, or that is empty, holds no values.
bool loadWhole(const QString& file, Script& script)
{
    if (!load(file, script))
        return false;
    if (const std::optional<QString> problem = fileProblem(file, *script.model)) {
        print(stderr, {*problem});
        return false;
    }
    return true;
}

int diff(const QString& fileA, const QString& fileB)
{
    Script a;
    Script b;
    if (!loadWhole(fileA, a) || !loadWhole(fileB, b))
        return Unreadable;
    const QStringList differences = diffLines(*a.model, *b.model);
    print(stdout, differences);
    return differences.isEmpty() ? Success : Refused;
}

int import(const QString& fromFile, const QString& file, const QStringList& names)
{
    Script from;
    Script target;
    if (!loadWhole(fromFile, from) || !loadWhole(file, target))
        return Unreadable;
    const SetOutcome outcome = importValues(*target.model, *from.model, names);
    print(stdout, outcome.changed);
    print(stderr, inFile(outcome.problems, file));
    return outcome.exitCode;
}

int check(const QString& file, const LabelConfig& model)
{
    QStringList problems;
    if (const std::optional<QString> problem = fileProblem(file, model))
        problems << *problem;
    for (const QString& notice : runStopNotices(model.savedTextRuns()))
        problems << QDir::toNativeSeparators(file) + QStringLiteral(": ") + notice.section(QLatin1Char('\n'), 0, 0);
    for (const LabelSetting* setting : model.unreadableSettings())
        problems << settingName(*setting) + QStringLiteral(": ") + unreadableReason(model, *setting);
    print(stderr, inFile(problems, file));
    return problems.isEmpty() ? Success : Refused;
}

int usageError(const QString& problem)
{
    print(
        stderr,
        {problem, QCoreApplication::applicationName() + QStringLiteral(" --help shows how to use the command line.")});
    return Refused;
}

}  // namespace

bool wanted(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) == 0 || argument == "-h" || argument == "-?" || argument == "-v")
            return true;
    }
    return false;
}

int start(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVANE_VERSION));
    // The window's messages, in English whatever language the player's profile names.
    currentLanguage = 0;
    buildAlignmentTables();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Checks, lists and changes the label settings of a HALVANE WORLD label script (Config/View/Labels.lua)\n"
        "without the window. Without arguments, halvane starts the editor's window.\n"
        "Exit codes: 0 success, 1 a problem found or a change refused, 2 a file that cannot be read."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption checkOption(QStringLiteral("check"),
                                         QStringLiteral("Whether Lua compiles FILE and runs it to its end at every "
                                                        "level, and every setting in it reads; the problems on "
                                                        "standard error, one a line."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("Every value the window shows, one JSON object a line."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption setOption(
        QStringLiteral("set"),
        QStringLiteral("Writes the values given as NAME=VALUE as Apply does and prints what changed: "
                       "Air.visible=false, Air.symbol.near=✈, size=14, colour.allies=249,69,38, "
                       "FULL.Air.alignment=RightTop, FULL.Air.NEAR=8000; in a format table of its own shape "
                       "DOT.Air.4000.opacity=0.5 (distance, text, alignment, blend, opacity, shiftX, shiftY), "
                       "DOT.Air.add=5000, DOT.Air.remove=4000. --list shows the names."),
        QStringLiteral("FILE"));
    const QCommandLineOption diffOption(
        QStringLiteral("diff"),
        QStringLiteral("The settings whose values differ between FILE and the file B given after it, one JSON "
                       "object a line with the two values as \"a\" and \"b\" (names as --list gives them); "
                       "exit 0 when they hold the same values, 1 when they differ."),
        QStringLiteral("FILE"));
    const QCommandLineOption importOption(
        QStringLiteral("import"),
        QStringLiteral("Sets the values of the file given after FILE to FILE's, every setting both hold or only the "
                       "NAMEs given after it, in one write as --set does, and prints what changed. A table of its "
                       "own shape is taken whole (named by its level and category: DOT.Air)."),
        QStringLiteral("FILE"));
    parser.addOptions({checkOption, listOption, setOption, diffOption, importOption});
    parser.addPositionalArgument(QStringLiteral("NAME=VALUE"), QStringLiteral("With --set: the values to write."),
                                 QStringLiteral("[NAME=VALUE...]"));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("With --diff: the file to compare with."),
                                 QStringLiteral("[B]"));
    parser.addPositionalArgument(QStringLiteral("TARGET"),
                                 QStringLiteral("With --import: the file to change, then the NAMEs to take."),
                                 QStringLiteral("[TARGET [NAME...]]"));
    if (!parser.parse(application.arguments()))
        return usageError(parser.errorText());
    // Written here rather than by showHelp() and showVersion(), which on Windows put the
    // text in a message box when they find no console, and the caller's script waits on it.
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, {parser.helpText().chopped(parser.helpText().endsWith(QLatin1Char('\n')) ? 1 : 0)});
        return Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout,
              {QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()});
        return Success;
    }

    const int commands = int(parser.isSet(checkOption)) + int(parser.isSet(listOption)) + int(parser.isSet(setOption))
        + int(parser.isSet(diffOption)) + int(parser.isSet(importOption));
    if (commands != 1)
        return usageError(
            QStringLiteral("Give one of --check FILE, --list FILE, --set FILE NAME=VALUE..., --diff FILE B "
                           "and --import FROM TARGET [NAME...]"));
    const QCommandLineOption& command = parser.isSet(checkOption) ? checkOption
        : parser.isSet(listOption)                                ? listOption
        : parser.isSet(diffOption)                                ? diffOption
        : parser.isSet(importOption)                              ? importOption
                                                                  : setOption;
    const QStringList values = parser.values(command);
    if (values.size() != 1)
        return usageError(QStringLiteral("--%1 takes one file").arg(command.names().constFirst()));
    if (&command == &diffOption) {
        if (parser.positionalArguments().size() != 1)
            return usageError(QStringLiteral("--diff takes two files: --diff FILE B"));
        return diff(values.constFirst(), parser.positionalArguments().constFirst());
    }
    if (&command == &importOption) {
        if (parser.positionalArguments().isEmpty())
            return usageError(
                QStringLiteral("--import takes the file to take from and the file to change: --import FROM "
                               "TARGET [NAME...]"));
        return import(values.constFirst(), parser.positionalArguments().constFirst(),
                      parser.positionalArguments().mid(1));
    }
    if (&command != &setOption && !parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("Only --set takes assignments: %1").arg(parser.positionalArguments().join(' ')));

    const QString file = values.constFirst();
    Script script;
    if (!load(file, script))
        return Unreadable;
    LabelConfig& model = *script.model;
    if (&command == &checkOption)
        return check(file, model);
    if (&command == &listOption) {
        print(stdout, listLines(model));
        return Success;
    }
    const SetOutcome outcome = setValues(model, parser.positionalArguments());
    print(stdout, outcome.changed);
    print(stderr, inFile(outcome.problems, file));
    return outcome.exitCode;
}

}  // namespace cli
