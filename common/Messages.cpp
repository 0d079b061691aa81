#include "common/Messages.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "common/Dialogs.h"
#include "common/LanguageTexts.h"

namespace {
using Texts = Translations;

// One row per MessageId, in the order of the enumeration.
const std::array<Texts, static_cast<int>(MessageId::Count)> messages = {{
    {"Warning", "警告", "Предупреждение", "警告"},
    {"Your choice could not be saved in the editor's profile (%1). It applies until the editor is closed.",
     "无法将您的选择保存到编辑器的配置文件（%1）。该选择在编辑器关闭前有效。",
     "Не удалось сохранить ваш выбор в профиле редактора (%1). Он действует до закрытия редактора.",
     "選択内容をエディターのプロファイルに保存できませんでした（%1）。エディターを閉じるまで有効です。"},
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
    {"The symbol size of %1 differs from FULL's. Symbol Size shows FULL's; a change of it leaves theirs as they are.",
     "%1 的符号大小与 FULL 不同。符号大小显示的是 FULL 的值；更改它不会影响这些级别。",
     "Размер символа уровня %1 отличается от FULL. Показан размер FULL; его изменение не затронет эти уровни.",
     "%1 のシンボルサイズは FULL と異なります。シンボルサイズには FULL の値が表示され、変更してもこれらのレベルはそのままです。"},
    {"Your other changes were written to Labels.lua, but these could not be saved, because the file holds them in a "
     "form the editor does not read:\n%1",
     "其他更改已写入 Labels.lua，但以下更改无法保存，因为文件中这些设置的写法编辑器无法读取：\n%1",
     "Остальные изменения записаны в Labels.lua, но эти сохранить нельзя: файл хранит их в виде, который редактор не "
     "читает:\n%1",
     "ほかの変更は Labels.lua に書き込まれましたが、次の変更は保存できませんでした。ファイル内の書き方をエディターが読み取れないためです：\n%1"},
    {"These changes could not be saved, because Labels.lua holds them in a form the editor does not read:\n%1\n"
     "Nothing was written.",
     "以下更改无法保存，因为 Labels.lua 中这些设置的写法编辑器无法读取：\n%1\n未写入任何内容。",
     "Эти изменения сохранить нельзя: Labels.lua хранит их в виде, который редактор не читает:\n%1\nНичего не записано.",
     "次の変更は保存できません。Labels.lua 内の書き方をエディターが読み取れないためです：\n%1\n何も書き込まれていません。"},
    {"Labels.lua could not be written: %1.\nYour values are still in the window.",
     "无法写入 Labels.lua：%1。\n您的设置仍保留在窗口中。",
     "Не удалось записать Labels.lua: %1.\nВаши значения остались в окне.",
     "Labels.lua を書き込めませんでした：%1。\n入力した値はウィンドウに残っています。"},
    {"Labels.lua could not be read again: %1.\nThe window keeps the values it shows.",
     "无法重新读取 Labels.lua：%1。\n窗口保留当前显示的值。",
     "Не удалось заново прочитать Labels.lua: %1.\nОкно сохраняет показанные значения.",
     "Labels.lua を読み直せませんでした：%1。\nウィンドウには現在の値が残ります。"},
    {"These distances cannot be written:\n%1\nEach must be a whole number from 0 to 1000000, and they must grow from "
     "EMPTY to DOT, with the aircraft's EMPTY below half of NEAR and the weapons' NEAR below half of FAR. Nothing was "
     "written.",
     "以下距离无法写入：\n%1\n每个距离必须是 0 到 1000000 之间的整数，并且从“不显示”到“点符号”逐级增大；航空器的“不显示”须小于"
     "近距离的一半，武器的近距离须小于远距离的一半。未写入任何内容。",
     "Эти расстояния нельзя записать:\n%1\nКаждое должно быть целым числом от 0 до 1000000, и они должны расти от "
     "первого поля к последнему; у самолётов первое поле должно быть меньше половины ближнего, у оружия ближнее — "
     "меньше половины дальнего. Ничего не записано.",
     "次の距離は書き込めません：\n%1\n各距離は 0 から 1000000 までの整数で、「表示しない」から「ドットシンボル」へ順に大きくなる必要が"
     "あります。航空機の「表示しない」は近距離の半分未満、武器の近距離は遠距離の半分未満にしてください。何も書き込まれていません。"},
    {"The symbol \"%2\" cannot be written into Labels.lua:\n%1\nA symbol may not contain %3. Nothing was written.",
     "符号“%2”无法写入 Labels.lua：\n%1\n符号不能包含%3。未写入任何内容。",
     "Символ «%2» нельзя записать в Labels.lua:\n%1\nСимвол не может содержать %3. Ничего не записано.",
     "シンボル「%2」は Labels.lua に書き込めません：\n%1\nシンボルに%3は使えません。何も書き込まれていません。"},
    {"The default settings could not be restored: %1.\nLabels.lua and the window keep their values.",
     "无法恢复默认设置：%1。\nLabels.lua 和窗口保留原有的值。",
     "Не удалось восстановить настройки по умолчанию: %1.\nLabels.lua и окно сохраняют свои значения.",
     "デフォルト設定を復元できませんでした：%1。\nLabels.lua とウィンドウの値はそのままです。"},
    {"There is no Labels.lua in %1 yet: the simulator uses its own label settings there.\nCreate "
     "Config/View/Labels.lua from the default settings, so that you can change them?",
     "%1 中还没有 Labels.lua，模拟器在那里使用自带的标签设置。\n要用默认设置创建 Config/View/Labels.lua 以便修改吗？",
     "В папке %1 ещё нет Labels.lua: симулятор использует там собственные настройки меток.\nСоздать "
     "Config/View/Labels.lua из настроек по умолчанию, чтобы их можно было изменить?",
     "%1 にはまだ Labels.lua がありません。シミュレーターは独自のラベル設定を使っています。\n変更できるように、デフォルト設定から "
     "Config/View/Labels.lua を作成しますか？"},
    {"Labels.lua could not be created: %1.", "无法创建 Labels.lua：%1。", "Не удалось создать Labels.lua: %1.",
     "Labels.lua を作成できませんでした：%1。"},
    {"Labels.lua is no longer in %1. The window keeps its values; Apply writes them there again.",
     "%1 中已没有 Labels.lua。窗口保留当前的值；点击“应用”会重新写入。",
     "В папке %1 больше нет Labels.lua. Окно сохраняет свои значения; «Применить» снова запишет их туда.",
     "%1 に Labels.lua がなくなりました。ウィンドウの値はそのままです。適用するともう一度書き込まれます。"},
    {"About HALVANE Label Manager", "关于 HALVANE Label Manager", "О программе HALVANE Label Manager",
     "HALVANE Label Manager について"},
    {"HALVANE Label Manager %1\n\nEdits the label settings of HALVANE WORLD in Config/View/Labels.lua: which symbols, "
     "sizes, colours, alignments and distances its labels use. Only what you change is written; the rest of the file "
     "stays as it is.\n\nFree software under the MIT licence. The embedded font DejaVu LGC Sans is free under the "
     "DejaVu fonts licence (Bitstream Vera and Arev).",
     "HALVANE Label Manager %1\n\n编辑 HALVANE WORLD 在 Config/View/Labels.lua 中的标签设置：标签使用的符号、大小、颜色、对齐方式和距离。"
     "只写入您更改的内容，文件的其余部分保持不变。\n\n本程序是以 MIT 许可证发布的自由软件。内嵌字体 DejaVu LGC Sans 依据 DejaVu "
     "字体许可证（Bitstream Vera 与 Arev）免费使用。",
     "HALVANE Label Manager %1\n\nРедактирует настройки меток HALVANE WORLD в Config/View/Labels.lua: символы, "
     "размеры, цвета, выравнивание и расстояния меток. Записывается только то, что вы изменили; остальной файл "
     "остаётся как есть.\n\nСвободная программа под лицензией MIT. Встроенный шрифт DejaVu LGC Sans свободен по "
     "лицензии шрифтов DejaVu (Bitstream Vera и Arev).",
     "HALVANE Label Manager %1\n\nHALVANE WORLD の Config/View/Labels.lua にあるラベル設定（ラベルのシンボル、サイズ、色、整列、距離）を"
     "編集します。変更した内容だけが書き込まれ、ファイルのほかの部分はそのままです。\n\nMIT ライセンスのフリーソフトウェアです。"
     "埋め込みフォント DejaVu LGC Sans は DejaVu フォントライセンス（Bitstream Vera と Arev）のもとで自由に使えます。"},
    {"Question", "确认", "Вопрос", "確認"},
    {"Labels.lua was changed or removed by another program after the editor read it.\nReload it (the changes in "
     "this window are dropped), overwrite it, or cancel?",
     "读取之后，Labels.lua 已被其他程序修改或删除。\n要重新加载（放弃本窗口中的更改）、覆盖它，还是取消？",
     "После чтения редактором Labels.lua изменила или удалила другая программа.\nПерезагрузить его (изменения в "
     "этом окне пропадут), перезаписать или отменить?",
     "エディターが読み取った後に、Labels.lua がほかのプログラムによって変更または削除されました。\n再読み込み（このウィンドウの変更は破棄されます）、"
     "上書き、キャンセルのどれにしますか？"},
    {"Replace every label setting in Labels.lua with the default settings?",
     "要用默认设置替换 Labels.lua 中的所有标签设置吗？",
     "Заменить все настройки меток в Labels.lua настройками по умолчанию?",
     "Labels.lua のすべてのラベル設定をデフォルト設定に置き換えますか？"},
    {"The distances or alignments of %1 were changed but not applied.\nApply them before showing %2, drop them, or "
     "stay at %1?",
     "%1 的距离或对齐方式已更改但尚未应用。\n要在显示 %2 之前应用、放弃这些更改，还是留在 %1？",
     "Расстояния или выравнивание уровня %1 изменены, но не применены.\nПрименить их перед показом %2, отменить или "
     "остаться на %1?",
     "%1 の距離または整列が変更されましたが、適用されていません。\n%2 を表示する前に適用しますか、破棄しますか、それとも %1 に"
     "とどまりますか？"},
    {"Your changes have not been applied to Labels.lua yet.\nApply them now, discard them, or cancel?",
     "您的更改尚未应用到 Labels.lua。\n要现在应用、放弃这些更改，还是取消？",
     "Ваши изменения ещё не применены к Labels.lua.\nПрименить их сейчас, сбросить или отменить действие?",
     "変更はまだ Labels.lua に適用されていません。\n今すぐ適用しますか、変更を破棄しますか、それともキャンセルしますか？"},
    {"%1.\nThe simulator cannot use Labels.lua as it is. Replace it with the default settings (Restore Default)? A "
     "copy of the file is kept in Config/View/LabelManagerBackups.",
     "%1。\n模拟器无法使用当前的 Labels.lua。要用默认设置替换它（恢复默认）吗？文件的副本会保存在 Config/View/LabelManagerBackups 中。",
     "%1.\nСимулятор не может использовать Labels.lua в таком виде. Заменить его настройками по умолчанию "
     "(«Восстановить по умолчанию»)? Копия файла сохранится в Config/View/LabelManagerBackups.",
     "%1。\nシミュレーターはこの Labels.lua を使えません。デフォルト設定で置き換えますか（デフォルトに戻す）？"
     "ファイルのコピーは Config/View/LabelManagerBackups に保存されます。"},
    {"Labels.lua in %1 is a folder, not a file, so the simulator finds no label settings there. Move or rename that "
     "folder, then choose Feature, Reload.",
     "%1 中的 Labels.lua 是一个文件夹而不是文件，因此模拟器在那里找不到标签设置。请移动或重命名该文件夹，然后选择“功能”>“重新加载”。",
     "Labels.lua в папке %1 — это папка, а не файл, поэтому симулятор не находит там настроек меток. Переместите или "
     "переименуйте эту папку, затем выберите «Функция» > «Перезагрузить».",
     "%1 の Labels.lua はファイルではなくフォルダーなので、シミュレーターはそこでラベル設定を見つけられません。"
     "フォルダーを移動するか名前を変更してから、「機能」>「再読み込み」を選んでください。"},
    {"Lua stops running Labels.lua, and so does the simulator (detail level %1; %2).\nApply writes a change to this "
     "file only when the changed file stops in the same way and the change takes effect before that point.",
     "Lua 运行 Labels.lua 时会中止，模拟器也一样（细节级别 %1；%2）。\n只有当更改后的文件以同样的方式中止，并且更改在中止之前生效时，"
     "“应用”才会把更改写入此文件。",
     "Lua прерывает выполнение Labels.lua, и симулятор тоже (уровень детализации %1; %2).\n«Применить» записывает "
     "изменение в этот файл, только если изменённый файл прерывается так же и изменение вступает в силу до этого места.",
     "Lua は Labels.lua の実行を途中で中断します。シミュレーターも同じです（詳細レベル %1、%2）。\n"
     "変更後のファイルが同じように中断し、変更がその前に反映される場合にだけ、適用はこのファイルに変更を書き込みます。"},
    {"Lua cannot run Labels.lua to its end (detail level %1; %2).\nApply cannot check a change to this file, so it "
     "writes none.",
     "Lua 无法将 Labels.lua 运行到结尾（细节级别 %1；%2）。\n“应用”无法检查对此文件的更改，因此不会写入任何更改。",
     "Lua не может выполнить Labels.lua до конца (уровень детализации %1; %2).\n«Применить» не может проверить "
     "изменения этого файла, поэтому не записывает их.",
     "Lua は Labels.lua を最後まで実行できません（詳細レベル %1、%2）。\n適用はこのファイルへの変更を検査できないため、何も書き込みません。"},
    {"Reload", "重新加载", "Перезагрузить", "再読み込み"},
    {"Overwrite", "覆盖", "Перезаписать", "上書き"},
    {"Cancel", "取消", "Отмена", "キャンセル"},
    {"Yes", "是", "Да", "はい"},
    {"No", "否", "Нет", "いいえ"},
    {"Apply", "应用", "Применить", "適用"},
    {"Discard", "放弃更改", "Сбросить изменения", "変更を破棄"},
    {"Stay", "留下", "Остаться", "とどまる"},
    {"Restore Default", "恢复默认", "Восстановить по умолчанию", "デフォルトに戻す"},
    {"Not now", "暂不", "Не сейчас", "今はしない"},

    // Reasons.
    {"no file name was given", "未指定文件名", "не указано имя файла", "ファイル名が指定されていません"},
    {"its folder does not exist", "所在文件夹不存在", "его папка не существует", "フォルダーが存在しません"},
    {"a folder of the same name is in the way", "存在同名文件夹", "мешает папка с тем же именем",
     "同じ名前のフォルダーがあります"},
    {"its folder is read-only", "所在文件夹为只读", "его папка доступна только для чтения",
     "フォルダーが読み取り専用です"},
    {"permission denied (the file is read-only, or another program holds it open)",
     "权限不足（文件为只读，或被其他程序占用）",
     "доступ запрещён (файл только для чтения или открыт другой программой)",
     "アクセスが拒否されました（ファイルが読み取り専用か、ほかのプログラムが開いています）"},
    {"there is no space left on the disk", "磁盘空间不足", "на диске не осталось места", "ディスクの空き容量がありません"},
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
    {"data/default.lua is damaged: it is not UTF-8 text, or the editor cannot read its settings",
     "data/default.lua 已损坏：它不是 UTF-8 文本，或编辑器无法读取其中的设置",
     "data/default.lua повреждён: это не текст UTF-8 или редактор не может прочитать его настройки",
     "data/default.lua が壊れています：UTF-8 のテキストではないか、エディターが設定を読み取れません"},
    {"no backup copy of Labels.lua could be made (%1)", "无法创建 Labels.lua 的备份副本（%1）",
     "не удалось сделать резервную копию Labels.lua (%1)", "Labels.lua のバックアップを作成できませんでした（%1）"},
    {"the folders Config/View could not be made", "无法创建 Config/View 文件夹", "не удалось создать папки Config/View",
     "Config/View フォルダーを作成できませんでした"},
    {"Lua could not read the changed file (line %1: %2), so the simulator could not either",
     "Lua 无法读取更改后的文件（第 %1 行：%2），模拟器也将无法读取",
     "Lua не смог прочитать изменённый файл (строка %1: %2), а значит, не сможет и симулятор",
     "Lua は変更後のファイルを読めませんでした（%1 行目：%2）。シミュレーターも読めません"},
    {"Lua stops running the changed file at detail level %1 (%2)", "Lua 在细节级别 %1 运行更改后的文件时中止（%2）",
     "Lua прерывает выполнение изменённого файла на уровне детализации %1 (%2)",
     "Lua は詳細レベル %1 で変更後のファイルの実行を中断します（%2）"},
    {"Lua finds that the change would also alter %1 at detail level %2, which you did not change",
     "Lua 发现此更改还会改变细节级别 %2 的 %1，而这些您并未更改",
     "Lua обнаружил, что изменение затронет и %1 на уровне детализации %2, чего вы не меняли",
     "Lua によると、この変更は詳細レベル %2 の %1 も変えてしまいます。これらは変更していません"},
    {"Lua stops running Labels.lua at detail level %1 (%2) before the values you changed take effect, so the "
     "simulator would not see them",
     "Lua 在细节级别 %1 运行 Labels.lua 时，在您更改的值生效之前就中止了（%2），模拟器将看不到这些值",
     "Lua прерывает выполнение Labels.lua на уровне детализации %1 (%2) раньше, чем изменённые вами значения "
     "вступают в силу, поэтому симулятор их не увидит",
     "Lua は詳細レベル %1 で、変更した値が反映される前に Labels.lua の実行を中断します（%2）。シミュレーターにはそれらの値が届きません"},
    {"Lua cannot run Labels.lua to its end at detail level %1 (%2), so no change to it can be checked",
     "Lua 无法在细节级别 %1 将 Labels.lua 运行到结尾（%2），因此无法检查对它的任何更改",
     "Lua не может выполнить Labels.lua до конца на уровне детализации %1 (%2), поэтому никакое изменение в нём "
     "нельзя проверить",
     "Lua は詳細レベル %1 で Labels.lua を最後まで実行できません（%2）。そのため変更を検査できません"},
    {"Lua cannot read Labels.lua as it is (line %1: %2): fix that line by hand, or use Restore Default",
     "Lua 无法读取当前的 Labels.lua（第 %1 行：%2）：请手动修正该行，或使用“恢复默认”",
     "Lua не может прочитать Labels.lua в нынешнем виде (строка %1: %2): исправьте эту строку вручную или "
     "воспользуйтесь «Восстановить по умолчанию»",
     "Lua は現在の Labels.lua を読めません（%1 行目：%2）。その行を手で直すか、「デフォルトに戻す」を使ってください"},
    {"Labels.lua is empty", "Labels.lua 是空文件", "Labels.lua пуст", "Labels.lua は空です"},
    {"Labels.lua cannot be read (no permission, or another program holds it locked)",
     "无法读取 Labels.lua（没有权限，或被其他程序锁定）",
     "Labels.lua не удаётся прочитать (нет прав или файл заблокирован другой программой)",
     "Labels.lua を読み取れません（権限がないか、ほかのプログラムがロックしています）"},
    {"Labels.lua is not UTF-8 text, so the simulator would show its symbols wrongly",
     "Labels.lua 不是 UTF-8 文本，模拟器会错误地显示其中的符号",
     "Labels.lua — не текст UTF-8, поэтому симулятор покажет его символы неверно",
     "Labels.lua は UTF-8 のテキストではないため、シミュレーターは記号を正しく表示できません"},
    {"the file system could not tell what is there", "文件系统无法确定其状态", "файловая система не смогла ответить",
     "ファイルシステムが状態を返せませんでした"},
    {"line %1: %2", "第 %1 行：%2", "строка %1: %2", "%1 行目：%2"},
    {"it does not end within 50 million instructions", "它在 5000 万条指令内没有结束",
     "оно не завершается за 50 миллионов инструкций", "5000 万命令以内に終わりません"},
    {"it needs more than 64 MB of memory", "它需要超过 64 MB 的内存", "ему нужно больше 64 МБ памяти",
     "64 MB を超えるメモリが必要です"},
    {"it runs longer than the check allows", "它运行的时间超过检查所允许的时长",
     "оно выполняется дольше, чем позволяет проверка", "検査で許される時間を超えて実行されます"},
    {"it builds more values or more deeply nested tables than the editor can compare",
     "它生成的值过多或表嵌套过深，编辑器无法比较",
     "оно создаёт больше значений или более глубоко вложенные таблицы, чем редактор может сравнить",
     "エディターが比較できる数を超える値か、深すぎる入れ子のテーブルを作ります"},
    {"a double quote \"", "双引号 \"", "двойную кавычку \"", "二重引用符 \""},
    {"a line break", "换行", "перевод строки", "改行"},
    {"a tab or another control character, which no label can show", "制表符或其他控制字符（标签无法显示）",
     "табуляцию или другой управляющий символ, которые метка не может показать",
     "ラベルに表示できないタブなどの制御文字"},
    {"characters the system's code page cannot write", "系统代码页无法写入的字符",
     "символы, которые кодовая страница системы не может записать", "システムのコードページで書けない文字"},
}};

// The simulator's `labels` 1, 2, 3 are the levels the window names.
QString levelName(int labels)
{
    static const std::array<const char*, 4> names = {"", "FULL", "ABBREVIATED", "DOT"};
    return QString::fromLatin1(labels >= 1 && labels <= 3 ? names[static_cast<std::size_t>(labels)] : "");
}

QString verdictText(const ModelOutcome& outcome)
{
    const lua::Verdict& verdict = outcome.verdict;
    if (verdict.compile) {
        const MessageId id = outcome.failure == ModelFailure::LabelFileDoesNotCompile ? MessageId::LabelFileDoesNotCompile
                                                                                       : MessageId::LuaCannotCompile;
        return message(id).arg(verdict.compile->line).arg(QString::fromStdString(verdict.compile->message));
    }
    if (verdict.newRunFails || verdict.oldRunStops) {
        const MessageId id = verdict.newRunFails ? MessageId::LuaRunStops
            : verdict.stop.atBound()             ? MessageId::LuaCannotCheck
                                                 : MessageId::LuaStopsBeforeChange;
        return message(id).arg(levelName(verdict.labels), stopText(verdict.stop));
    }
    // A few of the places name the damage well enough; all of them would fill the screen.
    constexpr std::size_t named = 4;
    QStringList places;
    for (std::size_t i = 0; i < verdict.damaged.size() && i < named; ++i)
        places << QString::fromStdString(verdict.damaged[i]);
    if (verdict.damaged.size() > named)
        places << QStringLiteral("…");
    return message(MessageId::LuaWouldAlsoChange).arg(places.join(QStringLiteral(", ")), levelName(verdict.labels));
}

MessageId writeMessage(lua::WriteFailure failure)
{
    switch (failure) {
    case lua::WriteFailure::NoFileName: return MessageId::WriteNoFileName;
    case lua::WriteFailure::FolderMissing: return MessageId::WriteFolderMissing;
    case lua::WriteFailure::FolderInTheWay: return MessageId::WriteFolderInTheWay;
    case lua::WriteFailure::FolderReadOnly: return MessageId::WriteFolderReadOnly;
    case lua::WriteFailure::PermissionDenied: return MessageId::WritePermissionDenied;
    case lua::WriteFailure::NoSpace: return MessageId::WriteNoSpace;
    case lua::WriteFailure::Incomplete: return MessageId::WriteIncomplete;
    case lua::WriteFailure::None:
    case lua::WriteFailure::Other: break;
    }
    return MessageId::WriteOther;
}

MessageId textMessage(TextProblem problem)
{
    switch (problem) {
    case TextProblem::DoubleQuote: return MessageId::TextDoubleQuote;
    case TextProblem::LineBreak: return MessageId::TextLineBreak;
    case TextProblem::ControlCharacter: return MessageId::TextControlCharacter;
    case TextProblem::None:
    case TextProblem::CodePage: break;
    }
    return MessageId::TextCodePage;
}
}  // namespace

QString message(MessageId id)
{
    return inCurrentLanguage(messages[static_cast<int>(id)]);
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
    case ModelFailure::FactoryCopyDamaged: return {message(MessageId::FactoryCopyDamaged), detail};
    case ModelFailure::BackupFailed:
        return {message(MessageId::BackupFailed).arg(reasonOf(outcome.writeFailure).text), detail};
    case ModelFailure::LabelFileDoesNotCompile:
    case ModelFailure::LuaRefused: return {verdictText(outcome), detail};
    case ModelFailure::LabelFolderNotCreated: return {message(MessageId::LabelFolderNotCreated), detail};
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

QString refusalText(const TextRefusal& refusal) { return message(textMessage(refusal.problem)); }

QString stopText(const lua::RunStop& stop)
{
    QString why;
    switch (stop.kind) {
    case lua::RunStop::None: break;
    case lua::RunStop::Error: why = QString::fromStdString(stop.message); break;
    case lua::RunStop::Instructions: why = message(MessageId::StopInstructions); break;
    case lua::RunStop::Memory: why = message(MessageId::StopMemory); break;
    case lua::RunStop::Time: why = message(MessageId::StopTime); break;
    case lua::RunStop::TooLarge: why = message(MessageId::StopTooLarge); break;
    }
    return stop.line > 0 ? message(MessageId::StopAtLine).arg(stop.line).arg(why) : why;
}

QStringList runStopNotices(const lua::LevelRuns& runs)
{
    // Most scripts stop alike at every level: one notice names them all.
    std::vector<std::pair<const lua::RunStop*, QStringList>> stops;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const lua::RunStop& stop = runs[i].stop;
        if (!stop)
            continue;
        const auto same = std::find_if(stops.begin(), stops.end(), [&](const auto& known) {
            return known.first->sameAs(stop) && known.first->line == stop.line;
        });
        (same == stops.end() ? stops.emplace_back(&stop, QStringList()).second : same->second)
            << levelName(lua::labelLevels[i]);
    }
    QStringList notices;
    for (const auto& [stop, levels] : stops) {
        const MessageId id = stop->atBound() ? MessageId::RunUncheckedAtLoad : MessageId::RunStopsAtLoad;
        notices << message(id).arg(levels.join(QStringLiteral(", ")), stopText(*stop));
    }
    return notices;
}

int askQuestion(QWidget* parent, const QString& text, std::initializer_list<MessageId> answers, int defaultAnswer)
{
    QStringList buttons;
    for (const MessageId answer : answers)
        buttons << message(answer);
    return dialogs::ask(parent, message(MessageId::QuestionTitle), text, buttons, defaultAnswer);
}

void showWarning(QWidget* parent, const QString& text, const QString& detail)
{
    dialogs::showMessage(parent, message(MessageId::WarningTitle), text, detail);
}
