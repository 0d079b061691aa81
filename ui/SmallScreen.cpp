#include "ui/SmallScreen.h"

#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

void scrollWhereTheScreenIsSmall(QMainWindow& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    // Before the window is shown its frame is not known: the title bar and the borders
    // are reckoned from the style.
    const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room = screen->availableGeometry().size() - QSize(2 * border, titleBar + 2 * border);
    const QSize whole = window.size();
    if (whole.width() <= room.width() && whole.height() <= room.height())
        return;
    QWidget* form = window.takeCentralWidget();
    form->setFixedSize(form->size());
    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName(QStringLiteral("scrollArea_form"));
    scroll->setWidget(form);
    window.setCentralWidget(scroll);
    const QSize unscrolled = whole + QSize(2 * scroll->frameWidth(), 2 * scroll->frameWidth());
    window.setMinimumSize(0, 0);
    window.setMaximumSize(unscrolled);
    window.resize(unscrolled.boundedTo(room));
}
