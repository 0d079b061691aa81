#include "ui/TextFitting.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QSlider>

#include <algorithm>
#include <iterator>
#include <tuple>

namespace {
constexpr int smallestPointSize = 7;  // below this the captions are hard to read
constexpr int gap = 2;                // kept free towards the widget on the right
constexpr int slack = 2;              // rounding of the text width
constexpr int narrowestSlider = 80;   // what a slider keeps of its groove for a caption

bool sameRows(const QRect& r, int top, int bottom) { return r.top() < bottom && r.bottom() > top; }

QFont sized(QFont font, int pointSize)
{
    font.setPointSize(pointSize);
    return font;
}

// Captions the form styled and sized alike play one role.
auto roleOf(const QLabel& label)
{
    const QFont font = label.font();
    return std::make_tuple(font.pointSize(), font.bold(), font.italic(), label.width(), label.height());
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
    for (QSlider* slider : area.findChildren<QSlider*>(Qt::FindDirectChildrenOnly))
        yielding.emplace_back(slider, slider->geometry());
    for (QLabel* label : area.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (std::find(leaveAlone.begin(), leaveAlone.end(), label) == leaveAlone.end())
            places.push_back({label, label->geometry(), label->font(), label->toolTip()});
    for (const Place& place : places) {
        auto role = std::find_if(roles.begin(), roles.end(), [&](const std::vector<const Place*>& members) {
            return roleOf(*members.front()->label) == roleOf(*place.label);
        });
        if (role == roles.end())
            roles.push_back({&place});
        else
            role->push_back(&place);
    }
}

void TextFitting::fit()
{
    // Every caption starts from the form, so a change back to a language whose words
    // fit restores the form exactly, and room is judged against the form's places.
    for (const auto& [slider, geometry] : yielding)
        slider->setGeometry(geometry);
    for (const Place& place : places) {
        place.label->setGeometry(place.geometry);
        place.label->setFont(place.font);
        place.label->setWordWrap(false);
        place.label->setToolTip(place.toolTip);
    }
    for (const std::vector<const Place*>& allOfRole : roles) {
        // A hidden caption (its row given up to a table button) keeps the form's place:
        // the room it would take may belong to what is shown instead. It is fitted when
        // its row shows again, as fitting runs after every such change.
        std::vector<const Place*> role;
        std::copy_if(allOfRole.begin(), allOfRole.end(), std::back_inserter(role),
                     [](const Place* member) { return !member->label->isHidden(); });
        if (role.empty())
            continue;
        // The rooms of a role are measured before any of its captions grows, so that two
        // of them share the space between them halfway.
        std::vector<QRect> rooms;
        for (const Place* member : role)
            rooms.push_back(freeRoom(*member->label));
        const auto allFit = [&](int size) {
            for (std::size_t i = 0; i < role.size(); ++i)
                if (!fitsAt(*role[i], size, rooms[i]))
                    return false;
            return true;
        };
        int size = role.front()->font.pointSize();
        while (size > smallestPointSize && !allFit(size))
            --size;
        for (std::size_t i = 0; i < role.size(); ++i) {
            if (fitsAt(*role[i], size, rooms[i]))
                place(*role[i], size, rooms[i]);
            else
                placeSmallest(*role[i], rooms[i]);
        }
    }
    alignSliders();
}

TextFitting::Lines TextFitting::breakIntoLines(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    Lines lines;
    QString line;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width)
            return {};
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines.widest = std::max(lines.widest, metrics.horizontalAdvance(line));
            ++lines.count;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) {
        lines.widest = std::max(lines.widest, metrics.horizontalAdvance(line));
        ++lines.count;
    }
    return lines;
}

bool TextFitting::fitsAt(const Place& place, int pointSize, const QRect& room) const
{
    const QFont font = sized(place.font, pointSize);
    const Lines lines = breakIntoLines(place.label->text(), font, room.width() - slack);
    return lines.count > 0 && lines.count * QFontMetrics(font).lineSpacing() <= room.height();
}

void TextFitting::place(const Place& place, int pointSize, const QRect& room)
{
    QLabel& label = *place.label;
    const QFont font = sized(place.font, pointSize);
    label.setFont(font);
    const Lines lines = breakIntoLines(label.text(), font, room.width() - slack);
    if (lines.count == 1 && lines.widest + slack <= place.geometry.width())
        return;
    label.setWordWrap(lines.count > 1);
    int width = std::min(room.width(), std::max(place.geometry.width(), lines.widest + slack));
    int height = std::max(place.geometry.height(), lines.count * QFontMetrics(font).lineSpacing());
    // The label lays its text out itself; where its layout needs a little more than the
    // measure above, it gets it from the room.
    if (lines.count > 1) {
        while (width < room.width() && label.heightForWidth(width) > height)
            ++width;
        height = std::max(height, label.heightForWidth(width));
    }
    // Centred on its row where the room allows.
    const int top = std::clamp(place.geometry.center().y() - height / 2, room.top(),
                               std::max(room.top(), room.bottom() + 1 - height));
    label.setGeometry(place.geometry.x(), top, width, height);
    makeRoomUpTo(label);
}

// Even the smallest font is too large: a word longer than the room is broken where it
// must, and the tool tip shows the whole text.
void TextFitting::placeSmallest(const Place& place, const QRect& room)
{
    QLabel& label = *place.label;
    const QFont font = sized(place.font, smallestPointSize);
    const QRect broken
        = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), room.height()), Qt::TextWrapAnywhere, label.text());
    const int height = std::clamp(broken.height(), place.geometry.height(), room.height());
    label.setFont(font);
    label.setWordWrap(true);
    label.setGeometry(room.x(),
                      std::clamp(place.geometry.center().y() - height / 2, room.top(), room.bottom() + 1 - height),
                      room.width(), height);
    makeRoomUpTo(label);
    if (place.toolTip.isEmpty())
        label.setToolTip(label.text());
}

// The rectangle a widget may grow into: to the right up to the next widget of its rows,
// and up and down halfway to its neighbours, so that neighbours growing towards each
// other never meet. Widgets that touch it by a pixel's row or column do not count.
QRect TextFitting::freeRoom(const QWidget& widget) const
{
    const QRect own = widget.geometry();
    const int reach = rightLimit(widget, own.top(), own.bottom());
    int above = 0;
    int below = area.height();
    for (const QWidget* other : area.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = other->geometry();
        if (other == &widget || other->isHidden() || r.right() <= own.left() || r.left() >= reach)
            continue;
        if (r.bottom() <= own.top())
            above = std::max(above, r.bottom() + 1);
        else if (r.top() >= own.bottom())
            below = std::min(below, r.top());
    }
    const int top = std::min(own.top(), own.top() - (own.top() - above) / 2);
    const int bottom = std::max(own.bottom() + 1, own.bottom() + 1 + (below - own.bottom() - 1) / 2);
    const int right = rightLimit(widget, top, bottom - 1);
    return QRect(own.left(), top, std::max(right - own.left(), 0), bottom - top);
}

int TextFitting::rightLimit(const QWidget& widget, int top, int bottom) const
{
    const QRect own = widget.geometry();
    int right = area.width();
    for (const QWidget* other : area.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = other->geometry();
        if (other == &widget || other->isHidden() || r.left() <= own.left() || !sameRows(r, top, bottom))
            continue;
        const int yields = qobject_cast<const QSlider*>(other) ? std::max(0, r.width() - narrowestSlider) : 0;
        right = std::min(right, r.left() + yields - gap);
    }
    return right;
}

// Sliders the form lined up stay lined up: one that gave room to its caption moves the
// left ends of the others of its column with it.
void TextFitting::alignSliders()
{
    for (const auto& [slider, form] : yielding) {
        int left = slider->x();
        for (const auto& [other, otherForm] : yielding)
            if (otherForm.left() == form.left() && !other->isHidden())
                left = std::max(left, other->x());
        slider->setGeometry(QRect(QPoint(left, slider->y()), slider->geometry().bottomRight()));
    }
}

// A slider in the caption's rows starts after it, keeping its right end.
void TextFitting::makeRoomUpTo(const QWidget& label)
{
    const QRect own = label.geometry();
    for (const auto& [slider, form] : yielding) {
        const QRect r = slider->geometry();
        if (r.left() > own.left() && sameRows(r, own.top(), own.bottom()) && r.left() <= own.right() + gap)
            slider->setGeometry(QRect(QPoint(own.right() + gap + 1, r.top()), r.bottomRight()));
    }
}
