#include "common/Messages.h"

#include <array>

#include "common/Dialogs.h"
#include "model/Language.h"

namespace {
using Texts = std::array<const char*, 4>;  // English, Chinese, Russian, Japanese

// One row per MessageId, in the order of the enumeration.
const std::array<Texts, static_cast<int>(MessageId::Count)> messages = {{
    {"Warning", "警告", "Предупреждение", "警告"},
    {"Your choice could not be saved in data/profile.lua (%1). It applies until the editor is closed.",
     "无法将您的选择保存到 data/profile.lua（%1）。该选择在编辑器关闭前有效。",
     "Не удалось сохранить ваш выбор в data/profile.lua (%1). Он действует до закрытия редактора.",
     "選択内容を data/profile.lua に保存できませんでした（%1）。エディターを閉じるまで有効です。"},
    {"The folder \"%1\" could not be read (%2). Please select the home directory of HALVANE WORLD again.",
     "无法读取文件夹“%1”（%2）。请重新选择HALVANE WORLD的主目录。",
     "Не удалось прочитать папку «%1» (%2). Выберите домашний каталог HALVANE WORLD ещё раз.",
     "フォルダー「%1」を読み取れませんでした（%2）。HALVANE WORLDのホームディレクトリをもう一度選択してください。"},
    {"Labels shown", "显示标签", "Показ меток", "ラベル表示"},
    {"Some settings could not be read from Labels.lua. They are shown empty, and Apply leaves them in the file as "
     "they are:\n%1",
     "部分设置无法从 Labels.lua 读取。它们显示为空，应用时文件中的这些设置保持不变：\n%1",
     "Некоторые настройки не удалось прочитать из Labels.lua. Они показаны пустыми, а при применении остаются в "
     "файле без изменений:\n%1",
     "Labels.lua から読み取れない設定があります。空欄で表示され、適用してもファイル内のこれらの設定は変更されません：\n%1"},
    {"Labels.lua was written, but these settings were not saved because the file has no place for them:\n%1",
     "已写入 Labels.lua，但以下设置未保存，因为文件中没有它们的位置：\n%1",
     "Labels.lua записан, но эти настройки не сохранены, так как в файле для них нет места:\n%1",
     "Labels.lua は書き込まれましたが、ファイルに該当する箇所がないため、次の設定は保存されませんでした：\n%1"},
    {"Labels.lua could not be written: %1\nThe file is unchanged; your values are still in the window.",
     "无法写入 Labels.lua：%1\n文件未更改；您的设置仍保留在窗口中。",
     "Не удалось записать Labels.lua: %1\nФайл не изменён; ваши значения остались в окне.",
     "Labels.lua を書き込めませんでした：%1\nファイルは変更されていません。入力した値はウィンドウに残っています。"},
    {"Labels.lua could not be read: %1\nThe window keeps the values it shows.",
     "无法读取 Labels.lua：%1\n窗口保留当前显示的值。",
     "Не удалось прочитать Labels.lua: %1\nОкно сохраняет показанные значения.",
     "Labels.lua を読み取れませんでした：%1\nウィンドウには現在の値が残ります。"},
    {"This distance is empty or not a whole number:\n%1\nEnter a number from 0 to 1000000. Nothing was written.",
     "此距离为空或不是整数：\n%1\n请输入 0 到 1000000 之间的数字。未写入任何内容。",
     "Это расстояние пустое или не является целым числом:\n%1\nВведите число от 0 до 1000000. Ничего не записано.",
     "この距離が空欄か整数ではありません：\n%1\n0 から 1000000 までの数値を入力してください。何も書き込まれていません。"},
    {"The symbol \"%2\" cannot be written into Labels.lua:\n%1\nA symbol may not contain %3. Nothing was written.",
     "符号“%2”无法写入 Labels.lua：\n%1\n符号不能包含%3。未写入任何内容。",
     "Символ «%2» нельзя записать в Labels.lua:\n%1\nСимвол не может содержать %3. Ничего не записано.",
     "シンボル「%2」は Labels.lua に書き込めません：\n%1\nシンボルに%3は使えません。何も書き込まれていません。"},
    {"The default settings could not be restored: %1\nLabels.lua is unchanged and the window keeps its values.",
     "无法恢复默认设置：%1\nLabels.lua 未更改，窗口保留当前的值。",
     "Не удалось восстановить настройки по умолчанию: %1\nLabels.lua не изменён, окно сохраняет свои значения.",
     "デフォルト設定を復元できませんでした：%1\nLabels.lua は変更されず、ウィンドウの値もそのままです。"},

    // Reasons.
    {"no file name was given", "未指定文件名", "не указано имя файла", "ファイル名が指定されていません"},
    {"its folder does not exist", "所在文件夹不存在", "его папка не существует", "フォルダーが存在しません"},
    {"a folder of the same name is in the way", "存在同名文件夹", "мешает папка с тем же именем",
     "同じ名前のフォルダーがあります"},
    {"permission denied", "权限不足", "доступ запрещён", "アクセスが拒否されました"},
    {"it could not be written completely (is the disk full?)", "无法完整写入（磁盘是否已满？）",
     "его не удалось записать полностью (не заполнен ли диск?)",
     "完全には書き込めませんでした（ディスクがいっぱいではありませんか？）"},
    {"the system refused it", "系统拒绝了该操作", "система отказала", "システムに拒否されました"},
    {"there is no such interface language", "没有该界面语言", "такого языка интерфейса нет",
     "その表示言語はありません"},
    {"the folder path contains %1", "文件夹路径包含%1", "путь к папке содержит %1",
     "フォルダーのパスに%1が含まれています"},
    {"the folder data could not be created", "无法创建 data 文件夹", "не удалось создать папку data",
     "data フォルダーを作成できませんでした"},
    {"Labels.lua could not be read when it was opened", "打开时无法读取 Labels.lua",
     "Labels.lua не удалось прочитать при открытии", "開いたときに Labels.lua を読み取れませんでした"},
    {"no Labels.lua has been found yet", "尚未找到 Labels.lua", "Labels.lua ещё не найден",
     "Labels.lua がまだ見つかっていません"},
    {"data/default.lua is missing, unreadable or empty", "data/default.lua 缺失、无法读取或为空",
     "data/default.lua отсутствует, не читается или пуст", "data/default.lua が存在しないか、読み取れないか、空です"},
    {"the file system could not tell what is there", "文件系统无法确定其状态", "файловая система не смогла ответить",
     "ファイルシステムが状態を返せませんでした"},
    {"square brackets [ ]", "方括号 [ ]", "квадратные скобки [ ]", "角括弧 [ ]"},
    {"a double quote \"", "双引号 \"", "двойную кавычку \"", "二重引用符 \""},
    {"a backslash \\, which starts an escape", "反斜杠 \\（它会开始转义序列）",
     "обратную косую черту \\, с которой начинается escape-последовательность",
     "エスケープを始めるバックスラッシュ \\"},
    {"a line break", "换行", "перевод строки", "改行"},
    {"two hyphens --, which start a comment", "两个连字符 --（它们会开始注释）",
     "два дефиса --, с которых начинается комментарий", "コメントを始める二つのハイフン --"},
    {"the word \"%1\", which starts a block", "单词“%1”（它会开始代码块）", "слово «%1», с которого начинается блок",
     "ブロックを始める単語「%1」"},
    {"an opening bracket without its closing one", "没有配对右括号的左括号", "открывающую скобку без закрывающей",
     "閉じていない開き括弧"},
    {"characters the system's code page cannot write", "系统代码页无法写入的字符",
     "символы, которые кодовая страница системы не может записать", "システムのコードページで書けない文字"},
}};

MessageId writeMessage(lua::WriteFailure failure)
{
    switch (failure) {
    case lua::WriteFailure::NoFileName: return MessageId::WriteNoFileName;
    case lua::WriteFailure::FolderMissing: return MessageId::WriteFolderMissing;
    case lua::WriteFailure::FolderInTheWay: return MessageId::WriteFolderInTheWay;
    case lua::WriteFailure::PermissionDenied: return MessageId::WritePermissionDenied;
    case lua::WriteFailure::Incomplete: return MessageId::WriteIncomplete;
    case lua::WriteFailure::None:
    case lua::WriteFailure::Other: break;
    }
    return MessageId::WriteOther;
}

MessageId textMessage(TextProblem problem)
{
    switch (problem) {
    case TextProblem::SquareBracket: return MessageId::TextSquareBracket;
    case TextProblem::DoubleQuote: return MessageId::TextDoubleQuote;
    case TextProblem::Backslash: return MessageId::TextBackslash;
    case TextProblem::LineBreak: return MessageId::TextLineBreak;
    case TextProblem::TwoHyphens: return MessageId::TextTwoHyphens;
    case TextProblem::BlockWord: return MessageId::TextBlockWord;
    case TextProblem::OpenBracket: return MessageId::TextOpenBracket;
    case TextProblem::None:
    case TextProblem::CodePage: break;
    }
    return MessageId::TextCodePage;
}
}  // namespace

QString message(MessageId id)
{
    const int language = (currentLanguage >= 0 && currentLanguage < 4) ? currentLanguage : 0;
    return QString::fromUtf8(messages[static_cast<int>(id)][language]);
}

Reason reasonOf(lua::WriteFailure failure, const std::string& detail)
{
    return {message(writeMessage(failure)), QString::fromStdString(detail)};
}

Reason reasonOf(const ModelOutcome& outcome)
{
    const QString detail = QString::fromStdString(outcome.detail);
    switch (outcome.failure) {
    case ModelFailure::LanguageUnknown: return {message(MessageId::LanguageUnknown), detail};
    case ModelFailure::DirectoryNotStorable:
        return {message(MessageId::DirectoryNotStorable).arg(refusalText(outcome.refusal)), detail};
    case ModelFailure::DataFolderNotCreated: return {message(MessageId::DataFolderNotCreated), detail};
    case ModelFailure::LabelFileNotRead: return {message(MessageId::LabelFileNotReadAtLoad), detail};
    case ModelFailure::NoLabelFile: return {message(MessageId::NoLabelFile), detail};
    case ModelFailure::FactoryCopyUnreadable: return {message(MessageId::FactoryCopyUnreadable), detail};
    case ModelFailure::None:
    case ModelFailure::NotWritten: break;
    }
    return reasonOf(outcome.writeFailure, outcome.detail);
}

Reason reasonOf(const std::error_code& error)
{
    const QString detail = QString::fromLocal8Bit(error.message());
    if (error == std::errc::permission_denied)
        return {message(MessageId::WritePermissionDenied), detail};
    return {message(MessageId::FileSystemSilent), detail};
}

QString refusalText(const TextRefusal& refusal)
{
    const QString text = message(textMessage(refusal.problem));
    return refusal.problem == TextProblem::BlockWord ? text.arg(QString::fromStdString(refusal.word)) : text;
}

void showWarning(QWidget* parent, const QString& text, const QString& detail)
{
    dialogs::showMessage(parent, message(MessageId::WarningTitle), text, detail);
}
