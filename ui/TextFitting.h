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
// that does not fit takes the free room next to it (to its right, and above and below,
// centred on its row where it can be), then a smaller font, wrapped if need be; what
// still does not fit shows its whole text as a tool tip. Captions that fit keep the
// form's place. Combo boxes too narrow for their items are widened the same way.
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
    void fitOne(const Place& place);
    QRect freeRoom(const QWidget& widget) const;

    QWidget& area;
    std::vector<Place> places;
};
