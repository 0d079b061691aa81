#include "common/KeyClosing.h"

#include <QShortcut>
#include <QWidget>

void closeOnKeys(QWidget& window, std::initializer_list<QKeySequence> keys)
{
    for (const QKeySequence& key : keys)
        QObject::connect(new QShortcut(key, &window), &QShortcut::activated, &window, &QWidget::close);
}
