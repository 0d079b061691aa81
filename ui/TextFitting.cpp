#include "ui/TextFitting.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace {
constexpr int smallestPointSize = 7;  // below this the captions are hard to read
constexpr int gap = 2;                // kept free towards the widget on the right
constexpr int slack = 2;              // rounding of the text width

// Keeps a grown caption centred on its row where the room allows, else slides it in.
int centredTop(const QRect& room, int centreY, int height)
{
    return std::clamp(centreY - height / 2, room.top(), std::max(room.top(), room.bottom() + 1 - height));
}
}  // namespace

TextFitting::TextFitting(QWidget& fittingArea, std::initializer_list<const QLabel*> leaveAlone) : area(fittingArea)
{
    // Combo box items read the same in every language, so a box too narrow for its
    // longest item in this platform's font and style is widened once.
    for (QComboBox* combo : area.findChildren<QComboBox*>(Qt::FindDirectChildrenOnly)) {
        const int needed = combo->sizeHint().width();
        if (needed > combo->width())
            combo->resize(std::min(needed, std::max(combo->width(), freeRoom(*combo).width())), combo->height());
    }
    for (QLabel* label : area.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (std::find(leaveAlone.begin(), leaveAlone.end(), label) == leaveAlone.end())
            places.push_back({label, label->geometry(), label->font(), label->toolTip()});
}

void TextFitting::fit()
{
    // Every caption starts from the form, so a change back to a language whose words
    // fit restores the form exactly, and room is judged against the form's places.
    for (const Place& place : places) {
        place.label->setGeometry(place.geometry);
        place.label->setFont(place.font);
        place.label->setWordWrap(false);
        place.label->setToolTip(place.toolTip);
    }
    for (const Place& place : places)
        fitOne(place);
}

void TextFitting::fitOne(const Place& place)
{
    QLabel& label = *place.label;
    const QString text = label.text();
    if (QFontMetrics(place.font).horizontalAdvance(text) + slack <= place.geometry.width())
        return;
    const QRect room = freeRoom(label);
    const int centreY = place.geometry.center().y();
    for (int size = place.font.pointSize(); size >= smallestPointSize; --size) {
        QFont font = place.font;
        font.setPointSize(size);
        const QFontMetrics metrics(font);
        const int lineWidth = metrics.horizontalAdvance(text) + slack;
        if (lineWidth <= room.width()) {
            label.setFont(font);
            label.setGeometry(place.geometry.x(), place.geometry.y(), std::max(lineWidth, place.geometry.width()),
                              place.geometry.height());
            return;
        }
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, room.width(), room.height()), Qt::TextWordWrap, text);
        if (wrapped.width() + slack <= room.width() && wrapped.height() <= room.height()) {
            const int height = std::max(wrapped.height(), place.geometry.height());
            label.setFont(font);
            label.setWordWrap(true);
            label.setGeometry(room.x(), centredTop(room, centreY, height), room.width(), height);
            return;
        }
    }
    // Even the smallest font is too large: a word longer than the room is broken where
    // it must, and the tool tip shows the whole text.
    QFont font = place.font;
    font.setPointSize(smallestPointSize);
    const QRect broken
        = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), room.height()), Qt::TextWrapAnywhere, text);
    const int height = std::clamp(broken.height(), place.geometry.height(), room.height());
    label.setFont(font);
    label.setWordWrap(true);
    label.setGeometry(room.x(), centredTop(room, centreY, height), room.width(), height);
    if (place.toolTip.isEmpty())
        label.setToolTip(text);
}

// The widest and then tallest rectangle at the widget's place that no other widget of
// the area covers, growing to the right, up and down. Widgets of the form that touch
// the widget by a pixel's row or column do not count as covering it.
QRect TextFitting::freeRoom(const QWidget& widget) const
{
    const QRect own = widget.geometry();
    const auto others = area.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int right = area.width();
    for (const QWidget* other : others) {
        const QRect r = other->geometry();
        if (other != &widget && !other->isHidden() && r.left() > own.left() && r.top() < own.bottom()
            && r.bottom() > own.top())
            right = std::min(right, r.left() - gap);
    }
    int top = 0;
    int bottom = area.height();
    for (const QWidget* other : others) {
        const QRect r = other->geometry();
        if (other == &widget || other->isHidden() || r.left() >= right || r.right() <= own.left())
            continue;
        if (r.bottom() <= own.top())
            top = std::max(top, r.bottom() + 1);
        else if (r.top() >= own.bottom())
            bottom = std::min(bottom, r.top());
    }
    return QRect(own.left(), std::min(top, own.top()), std::max(right - own.left(), 0),
                 std::max(bottom, own.bottom() + 1) - std::min(top, own.top()));
}
