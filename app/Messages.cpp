#include "Messages.h"

#include <array>

#include "Dialogs.h"
#include "Language.h"

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
