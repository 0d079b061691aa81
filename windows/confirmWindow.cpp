#include "windows/confirmWindow.h"

#include "common/ThemeIcons.h"
#include "ui_confirmWindow.h"

confirmWindow::confirmWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::confirmWindow)
{
    ui->setupUi(this);
    setWindowIcon(themeIcon(ThemeIconId::DocumentNew));
    setFixedSize(411, 96);
}

confirmWindow::~confirmWindow() { delete ui; }

void confirmWindow::on_pushButton_clicked() { close(); }
