#pragma once
#include <QFont>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <vector>

class QLabel;
class QWidget;

// The form gives every caption a fixed place sized for its English text; Russian,
// Chinese and Japanese words are often longer. After every change of texts, a caption
// that does not fit takes the free room around it: to its right (a slider there gives
// up part of its groove), and up and down to halfway to its neighbours, so that two
// grown captions never meet. Captions of one role (the form gave them the same font and
// size) share one font size, the largest at which all of them fit; a caption wraps only
// between words, never inside one, so Chinese and Japanese captions stay on one line.
// Captions that fit keep the form's place. Combo boxes too narrow for their items are
// widened the same way.
class TextFitting {
public:
    // Every label and combo box among the direct children of `area`, except the labels named.
    TextFitting(QWidget& area, std::initializer_list<const QLabel*> leaveAlone);

    void fit();

private:
    struct Place {
        QLabel* label;
        QRect geometry;
        QFont font;
        QString toolTip;
    };
    // The lines a text takes in a width, broken between words only; empty when a word
    // is wider than the width.
    struct Lines {
        int count = 0;
        int widest = 0;
    };
    static Lines breakIntoLines(const QString& text, const QFont& font, int width);

    bool fitsAt(const Place& place, int pointSize, const QRect& room) const;
    void place(const Place& place, int pointSize, const QRect& room);
    void placeSmallest(const Place& place, const QRect& room);
    QRect freeRoom(const QWidget& widget) const;
    int rightLimit(const QWidget& widget, int top, int bottom) const;
    void makeRoomUpTo(const QWidget& label);
    void alignSliders();

    QWidget& area;
    std::vector<Place> places;
    std::vector<std::vector<const Place*>> roles;
    std::vector<std::pair<QWidget*, QRect>> yielding;  // sliders that give up room, at their form places
};
