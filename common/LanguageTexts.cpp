#include "common/LanguageTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <array>
#include <initializer_list>

#include "common/Messages.h"
#include "common/QtTranslations.h"
#include "model/Language.h"
#include "model/ProfileStore.h"

namespace {
// One text in the four languages and the widgets (by object name) that carry it.
struct LocalText {
    std::array<const char*, 4> byLanguage;  // English, Chinese, Russian, Japanese
    std::initializer_list<const char*> objectNames;
};

// In Chinese, Russian and Japanese the distance levels NEAR and FAR reuse the words of
// the near and far symbol captions; in English they are the level names.
// clang-format off
const LocalText mainWindowTexts[] = {
    {{"File", "文件", "Файл", "ファイル"}, {"menuFile"}},
    {{"Feature", "功能", "Функция", "機能"}, {"menuFeature"}},
    {{"Language", "语言", "Язык", "言語"}, {"menuLanguage"}},
    {{"About Author", "关于作者", "О авторе", "著者について"}, {"actionAbout_Author"}},
    {{"Reselect Directory", "重新选择目录", "Выбрать папку заново", "ディレクトリを再選択"}, {"actionSelectDirectory"}},
    {{"Quit", "退出", "Выход", "終了"}, {"actionQuit"}},
    {{"Reload", "重新加载", "Перезагрузить", "再読み込み"}, {"actionReload"}},
    {{"Restore Default", "恢复默认", "Восстановить по умолчанию", "デフォルトに戻す"}, {"actionRestore_Default"}},
    {{"Import Values From…", "从文件导入数值…", "Импорт значений из…", "値を読み込む…"}, {"actionImportValues"}},
    {{"Backups…", "备份…", "Резервные копии…", "バックアップ…"}, {"actionBackups"}},
    {{"Currently Allocated", "当前分配", "Текущая выделенная", "現在の割り当て"}, {"label_currently_allocated"}},
    {{"Near Symbol", "近距离符号", "Символ ближнего диапазона", "近距離シンボル"}, {"label_near_symbol"}},
    {{"Far Symbol", "远距离符号", "Символ дальнего диапазона", "遠距離シンボル"}, {"label_far_symbol"}},
    {{"Aircraft", "航空器", "Самолет", "航空機"}, {"checkBox_aircraft", "label_near_air", "label_far_air", "label_pos_air", "label_dis_air", "radioButton_aircraft"}},
    {{"Ground", "地面", "Земля", "地面"}, {"checkBox_ground", "label_near_ground", "label_far_ground", "label_pos_ground", "label_dis_ground", "radioButton_ground"}},
    {{"Navy", "海军", "Морской", "海軍"}, {"checkBox_navy", "label_near_navy", "label_far_navy", "label_pos_navy", "label_dis_navy", "radioButton_navy"}},
    {{"Weapon", "武器", "Оружие", "武器"}, {"checkBox_weapon", "label_near_weapon", "label_far_weapon", "label_pos_weapon", "label_dis_weapon", "radioButton_weapon"}},
    {{"Alignment", "对齐方式", "Выравнивание", "整列"}, {"label_alignment"}},
    {{"B Side Color", "蓝方颜色", "Цвет стороны B", "青側の色"}, {"label_color_blue"}},
    {{"R Side Color", "红方颜色", "Цвет стороны R", "赤側の色"}, {"label_color_red"}},
    {{"Symbol Size", "符号大小", "Размер символа", "シンボルサイズ"}, {"label_symbol__size"}},
    {{"Distance Settings", "距离设置", "Настройки расстояния", "距離設定"}, {"label_distance_setttings", "label_distance_setttings_2"}},
    {{"EMPTY", "不显示", "Нет отображения", "表示しない"}, {"label_empty_dis_air", "label_empty_dis_ground", "label_empty_dis_navy", "label_empty_dis_weapon"}},
    {{"NEAR", "近距离符号", "Символ ближнего диапазона", "近距離シンボル"}, {"label_near_dis_air", "label_near_dis_ground", "label_near_dis_navy", "label_near_dis_weapon"}},
    {{"FAR", "远距离符号", "Символ дальнего диапазона", "遠距離シンボル"}, {"label_far_dis_air", "label_far_dis_ground", "label_far_dis_navy", "label_far_dis_weapon"}},
    {{"DOT", "点符号", "Точечный символ", "ドットシンボル"}, {"label_dot_dis_air", "label_dot_dis_ground", "label_dot_dis_navy"}},
    {{"Near", "近", "Близко", "近い"}, {"radioButton_near"}},
    {{"Far", "远", "Далеко", "遠い"}, {"radioButton_far"}},
    {{"Red", "红方", "Красный", "赤"}, {"radioButton_side_red"}},
    {{"Blue", "蓝方", "Синий", "青"}, {"radioButton_side_blue"}},
    {{"Apply", "应用", "Применить", "適用"}, {"pushButton_apply"}},
    {{"Same at every level", "各级共用", "Одно на все уровни", "全レベル共通"}, {"label_single_level"}},
};

const LocalText directoryWindowTexts[] = {
    {{"Select the home directory of HALVANE WORLD.", "选择HALVANE WORLD的主目录。",
      "Выберите домашний каталог HALVANE WORLD.", "HALVANE WORLDのホームディレクトリを選択してください。"},
     {"label"}},
    {{"Confirm", "确认", "Подтвердить", "確認"}, {"choseDirectory"}},
    {{"Language", "语言", "Язык", "言語"}, {"menuLanguage"}},
};
// clang-format on

void setText(QObject* object, const QString& text)
{
    if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
}

template <std::size_t N>
void applyTexts(QWidget& window, const LocalText (&table)[N])
{
    if (currentLanguage < 0 || currentLanguage > 3)
        return;
    for (const LocalText& entry : table) {
        const QString text = QString::fromUtf8(entry.byLanguage[currentLanguage]);
        for (const char* objectName : entry.objectNames)
            setText(window.findChild<QObject*>(QString::fromLatin1(objectName)), text);
    }
}
}  // namespace

QString inCurrentLanguage(const Translations& texts)
{
    const int language = (currentLanguage >= 0 && currentLanguage < 4) ? currentLanguage : 0;
    return QString::fromUtf8(texts[static_cast<std::size_t>(language)]);
}

void applyMainWindowTexts(QWidget& mainWindow) { applyTexts(mainWindow, mainWindowTexts); }

void applyDirectoryWindowTexts(QWidget& directoryWindow) { applyTexts(directoryWindow, directoryWindowTexts); }

bool switchLanguage(ProfileStore& profile, int index, QWidget* parent)
{
    if (index == currentLanguage)
        return false;
    currentLanguage = index;
    useQtTranslations(index);
    if (const ModelOutcome stored = profile.setLanguage(index); !stored) {
        const Reason reason = reasonOf(stored);
        showWarning(parent, message(MessageId::ProfileNotSaved).arg(reason.text), reason.detail);
    }
    return true;
}
