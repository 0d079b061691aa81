#include "common/CompareTexts.h"

#include <array>

#include "common/LanguageTexts.h"

namespace {
using Texts = Translations;

// One row per CompareText, in the order of the enumeration.
const std::array<Texts, static_cast<int>(CompareText::Count)> texts = {{
    {"Import Values From", "导入数值来源", "Импорт значений из", "値の読み込み元"},
    {"Label files (*.lua *.bak);;All files (*)", "标签文件 (*.lua *.bak);;所有文件 (*)",
     "Файлы меток (*.lua *.bak);;Все файлы (*)", "ラベルファイル (*.lua *.bak);;すべてのファイル (*)"},
    {"Values from %1", "来自 %1 的数值", "Значения из %1", "%1 の値"},
    {"These values differ between this file and %1. Tick the ones to take: they become changes in the window, and "
     "Apply writes them.",
     "以下数值在此文件与 %1 之间不同。勾选要采用的数值：它们会成为窗口中的更改，点击“应用”后写入。",
     "Эти значения различаются в этом файле и в %1. Отметьте те, что нужно взять: они станут изменениями в окне, "
     "а «Применить» запишет их.",
     "次の値はこのファイルと %1 とで異なります。取り込む値にチェックを付けてください。ウィンドウ上の変更となり、"
     "「適用」で書き込まれます。"},
    {"Setting", "设置", "Настройка", "設定"},
    {"This file", "此文件", "Этот файл", "このファイル"},
    {"Other file", "另一文件", "Другой файл", "他のファイル"},
    {"Take All", "全部采用", "Взять все", "すべて取り込む"},
    {"Take None", "全部不用", "Не брать ничего", "何も取り込まない"},
    {"Take Checked", "采用所选", "Взять отмеченные", "チェックした値を取り込む"},
    {"Cancel", "取消", "Отмена", "キャンセル"},
    {"One of the files holds this value in a form the editor cannot read, so it cannot be taken.",
     "其中一个文件以编辑器无法读取的形式保存此数值，因此无法采用。",
     "Один из файлов хранит это значение в форме, которую редактор не может прочитать, поэтому его нельзя взять.",
     "どちらかのファイルがこの値をエディターで読めない形で保存しているため、取り込めません。"},
    {"entries at %1", "项的距离：%1", "строки на %1", "項目の距離：%1"},
    {"%1 (%2): Format Table", "%1（%2）：格式表", "%1 (%2): таблица формата", "%1（%2）：書式テーブル"},
    {"%1 holds the same values as this file.", "%1 的数值与此文件相同。", "В %1 те же значения, что и в этом файле.",
     "%1 の値はこのファイルと同じです。"},
    {"%1 cannot be compared: %2", "无法比较 %1：%2", "%1 нельзя сравнить: %2", "%1 は比較できません：%2"},
    {"Backups of Labels.lua", "Labels.lua 的备份", "Резервные копии Labels.lua", "Labels.lua のバックアップ"},
    {"The editor keeps a copy of Labels.lua before it first writes it in a session, the newest ten. Compare one to "
     "take its values: restoring a backup is taking all of them.",
     "编辑器在每次会话首次写入 Labels.lua 之前保留一份副本，最多保留最新的十份。比较某个副本即可采用其数值：恢复备份即采用其全部数值。",
     "Перед первой записью Labels.lua в каждом сеансе редактор сохраняет его копию, десять последних. Сравните "
     "копию, чтобы взять её значения: восстановить копию — значит взять их все.",
     "エディターはセッションで最初に Labels.lua を書き込む前にコピーを保存します（最新の 10 個）。比較して値を"
     "取り込めます。バックアップの復元とは、そのすべての値を取り込むことです。"},
    {"Made", "创建时间", "Создана", "作成日時"},
    {"Settings that differ", "不同的设置", "Различающихся настроек", "異なる設定"},
    {"Compare…", "比较…", "Сравнить…", "比較…"},
    {"No backup has been kept yet.", "尚未保留任何备份。", "Резервных копий пока нет.",
     "バックアップはまだありません。"},
    {"Close", "关闭", "Закрыть", "閉じる"},
    {"cannot be read", "无法读取", "не читается", "読み取れません"},
    {"shown", "显示", "показывать", "表示"},
    {"hidden", "隐藏", "скрывать", "非表示"},
}};
}  // namespace

QString compareText(CompareText id)
{
    return inCurrentLanguage(texts[static_cast<std::size_t>(id)]);
}
