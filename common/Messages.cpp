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
    {"The symbol \"%2\" cannot be written into Labels.lua:\n%1\nA symbol may not contain [ ] \" \\ or a line break. "
     "Nothing was written.",
     "符号“%2”无法写入 Labels.lua：\n%1\n符号不能包含 [ ] \" \\ 或换行。未写入任何内容。",
     "Символ «%2» нельзя записать в Labels.lua:\n%1\nСимвол не может содержать [ ] \" \\ или перевод строки. "
     "Ничего не записано.",
     "シンボル「%2」は Labels.lua に書き込めません：\n%1\nシンボルに [ ] \" \\ や改行は使えません。何も書き込まれていません。"},
    {"The default settings could not be restored: %1\nLabels.lua is unchanged and the window keeps its values.",
     "无法恢复默认设置：%1\nLabels.lua 未更改，窗口保留当前的值。",
     "Не удалось восстановить настройки по умолчанию: %1\nLabels.lua не изменён, окно сохраняет свои значения.",
     "デフォルト設定を復元できませんでした：%1\nLabels.lua は変更されず、ウィンドウの値もそのままです。"},
}};
}  // namespace

QString message(MessageId id)
{
    const int language = (currentLanguage >= 0 && currentLanguage < 4) ? currentLanguage : 0;
    return QString::fromUtf8(messages[static_cast<int>(id)][language]);
}

void showWarning(QWidget* parent, const QString& text)
{
    dialogs::showMessage(parent, message(MessageId::WarningTitle), text);
}
