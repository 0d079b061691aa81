#include "common/TableTexts.h"

#include <array>

#include "common/LanguageTexts.h"

namespace {
using Texts = Translations;

// One row per TableText, in the order of the enumeration.
const std::array<Texts, static_cast<int>(TableText::Count)> texts = {{
    {"Format Table… (%1 entries)", "格式表…（%1 项）", "Таблица формата… (строк: %1)", "書式テーブル…（%1 項目）"},
    {"This table has a shape of its own, so it is edited entry by entry.",
     "此表有自己的结构，因此逐项编辑。",
     "У этой таблицы своя форма, поэтому она правится построчно.",
     "独自形式の表のため、項目ごとに編集します。"},
    {"%1 at %2: Format Table", "%1（%2）：格式表", "%1, уровень %2: таблица формата", "%1（%2）：書式テーブル"},
    {"Each entry applies while the unit is nearer than its distance (in metres). Entries that are not tables are "
     "kept as the file writes them; their distance can be changed.",
     "每一项在单位距离小于其距离（米）时生效。不是表的项按文件原样保留，只能修改其距离。",
     "Каждая строка действует, пока объект ближе её расстояния (в метрах). Строки, которые не являются таблицами, "
     "остаются как в файле; у них можно менять расстояние.",
     "各項目は、ユニットがその距離（メートル）より近い間に適用されます。表でない項目はファイルの記述どおりに残り、"
     "距離だけを変更できます。"},
    {"Distance (m)", "距离（米）", "Расстояние (м)", "距離（m）"},
    {"Text", "文本", "Текст", "テキスト"},
    {"Alignment", "对齐方式", "Выравнивание", "整列"},
    {"Colour Blend", "颜色混合", "Смешение цвета", "色の混合"},
    {"Opacity", "不透明度", "Непрозрачность", "不透明度"},
    {"Shift X", "X 偏移", "Сдвиг X", "X シフト"},
    {"Shift Y", "Y 偏移", "Сдвиг Y", "Y シフト"},
    {"as written: %1", "按原文：%1", "как в файле: %1", "記述どおり：%1"},
    {"Add Entry", "添加项", "Добавить строку", "項目を追加"},
    {"Remove Entry", "删除项", "Удалить строку", "項目を削除"},
    {"OK", "确定", "ОК", "OK"},
    {"Cancel", "取消", "Отмена", "キャンセル"},
    {"The distances must be whole numbers from 0 to 1000000, and no two entries may have the same distance. These "
     "entries break that rule: %1",
     "距离必须是 0 到 1000000 之间的整数，且任何两项的距离不能相同。以下项不符合：%1",
     "Расстояния должны быть целыми числами от 0 до 1000000, и у двух строк не может быть одинакового расстояния. "
     "Это правило нарушают строки: %1",
     "距離は 0 から 1000000 までの整数で、二つの項目が同じ距離であってはなりません。次の項目が違反しています：%1"},
    {"This text cannot be stored in Labels.lua: it contains %1.", "此文本无法保存到 Labels.lua：其中包含%1。",
     "Этот текст нельзя сохранить в Labels.lua: он содержит %1.",
     "このテキストは Labels.lua に保存できません：%1が含まれています。"},
    {"Enter a number, such as 0.75 or -3.", "请输入数字，例如 0.75 或 -3。", "Введите число, например 0.75 или -3.",
     "0.75 や -3 のような数値を入力してください。"},
    {"Nothing was written. The distances of these format tables must be whole numbers from 0 to 1000000, no two "
     "the same:\n%1",
     "未写入任何内容。以下格式表的距离必须是 0 到 1000000 之间的整数，且任何两项不能相同：\n%1",
     "Ничего не записано. Расстояния в этих таблицах формата должны быть целыми числами от 0 до 1000000, без "
     "повторов:\n%1",
     "何も書き込まれていません。次の書式テーブルの距離は 0 から 1000000 までの整数で、重複してはなりません：\n%1"},
    {"Nothing was written. Entries were added to or removed from these format tables, and a text in them has "
     "brackets that do not pair up, so they cannot be written:\n%1",
     "未写入任何内容。以下格式表添加或删除了项，且其中的文本括号不成对，因此无法写入：\n%1",
     "Ничего не записано. В этих таблицах формата добавлены или удалены строки, а скобки в их текстах не "
     "парные, поэтому их нельзя записать:\n%1",
     "何も書き込まれていません。次の書式テーブルは項目が追加または削除され、テキストの括弧が対になっていないため、"
     "書き込めません：\n%1"},
    {"set by `%1` in the file", "由文件中的 `%1` 设定", "задаётся `%1` в файле", "ファイル内の `%1` で設定"},
    {"These entries follow their band and moved with it:\n%1", "以下项随其距离段一起移动：\n%1",
     "Эти строки следуют за своим диапазоном и сдвинуты вместе с ним:\n%1",
     "次の項目は距離帯に従って一緒に移動しました：\n%1"},
    {"• %1 %2, half of %3: %4 → %5", "• %1 %2，%3 的一半：%4 → %5", "• %1 %2, половина «%3»: %4 → %5",
     "• %1 %2、%3 の半分：%4 → %5"},
}};
}  // namespace

QString tableText(TableText id)
{
    return inCurrentLanguage(texts[static_cast<std::size_t>(id)]);
}
