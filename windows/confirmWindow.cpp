#include "windows/confirmWindow.h"

#include <QLabel>

#include "common/KeyClosing.h"
#include "common/ThemeIcons.h"
#include "ui_confirmWindow.h"

namespace {
constexpr int baseWidth = 411;
constexpr int baseHeight = 96;
}  // namespace

confirmWindow::confirmWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::confirmWindow)
{
    ui->setupUi(this);
    setWindowIcon(themeIcon(ThemeIconId::DocumentNew));
    setFixedSize(baseWidth, baseHeight);
    closeOnKeys(*this, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape});
}

void confirmWindow::showMovedKeys(const QString& movedKeys)
{
    QLabel& moved = *ui->label_moved;
    moved.setText(movedKeys);
    moved.setVisible(!movedKeys.isEmpty());
    const int height = movedKeys.isEmpty() ? 0 : moved.heightForWidth(moved.width());
    moved.resize(moved.width(), height);
    setFixedSize(baseWidth, baseHeight + (height > 0 ? height + 8 : 0));
}

confirmWindow::~confirmWindow() { delete ui; }

void confirmWindow::on_pushButton_clicked() { close(); }
