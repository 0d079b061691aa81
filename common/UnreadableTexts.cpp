#include "common/UnreadableTexts.h"

#include <QStringList>

#include <array>

#include "common/LanguageTexts.h"
#include "common/TableTexts.h"

namespace {
using Texts = Translations;

// One row per UnreadableWhy, in the order of the enumeration; %1 is what the file writes.
const std::array<Texts, 9> reasons = {{
    {"not found in the file", "文件中未找到", "не найдено в файле", "ファイル内に見つかりません"},
    {"the file writes its symbols into the label texts (Format Table)", "文件将符号直接写在标签文本中（格式表）",
     "файл записывает символы прямо в тексты меток (таблица формата)",
     "ファイルはシンボルをラベルのテキストに直接書いています（書式テーブル）"},
    {"", "", "", ""},  // a name that sets the symbol size: the format tables' own text
    {"its table has a shape of its own", "其表格有自己的结构", "у его таблицы своя форма", "その表は独自形式です"},
    {"it has no value", "没有值", "значение не задано", "値がありません"},
    {"not a text in double quotes, written %1", "不是双引号中的文本，写作 %1", "не текст в двойных кавычках, записано %1",
     "二重引用符で囲まれたテキストではありません（記述：%1）"},
    {"not a whole number, written %1", "不是整数，写作 %1", "не целое число, записано %1", "整数ではありません（記述：%1）"},
    {"not three whole numbers from 0 to 255, written %1", "不是 0 到 255 之间的三个整数，写作 %1",
     "не три целых числа от 0 до 255, записано %1", "0 から 255 までの整数 3 つではありません（記述：%1）"},
    {"not one of the nine alignment names, written %1", "不是九种对齐方式名称之一，写作 %1",
     "не одно из девяти названий выравнивания, записано %1", "9 つの整列名のいずれでもありません（記述：%1）"},
}};

const Texts tip = {"Cannot be changed here: %1", "无法在此更改：%1", "Здесь изменить нельзя: %1", "ここでは変更できません：%1"};
const Texts sameAs = {"Same as %1", "与 %1 相同", "Как у %1", "%1 と共通"};

}  // namespace

QString unreadableText(const Unreadable& reason)
{
    const QString written = QString::fromStdString(reason.written);
    if (reason.why == UnreadableWhy::SetByName)
        return tableText(TableText::SymbolSizeVariable).arg(written);
    const QString text = inCurrentLanguage(reasons[static_cast<std::size_t>(reason.why)]);
    return text.contains(QLatin1String("%1")) ? text.arg(written) : text;
}

QString unreadableTip(const Unreadable& reason) { return inCurrentLanguage(tip).arg(unreadableText(reason)); }

QString sharedLevelsText(const QStringList& otherLevels) { return inCurrentLanguage(sameAs).arg(otherLevels.join(QStringLiteral(", "))); }
