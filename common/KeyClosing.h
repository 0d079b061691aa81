#pragma once
// The small windows are main windows, where no button answers Return or Escape as a
// dialog's would: the keys are given to them here.
#include <QKeySequence>

#include <initializer_list>

class QWidget;

// Closes the window when one of the keys is pressed in it.
void closeOnKeys(QWidget& window, std::initializer_list<QKeySequence> keys);
