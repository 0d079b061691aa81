#pragma once
class QMainWindow;

// On a screen smaller than the window (a laptop at 125% scaling, most screens at 200%),
// the form sits in a scroll area and the window opens at the size the screen has room
// for, Apply reached by scrolling. On a screen large enough nothing changes: the form
// keeps its place and the window its fixed size. Called once the form is laid out.
void scrollWhereTheScreenIsSmall(QMainWindow& window);
