// Controls placed at design positions in twips that follow their window when it is resized:
// each control keeps its place, grows with the room the window has beyond its design size (or
// gives it up on a smaller window), or keeps its distance to the right or bottom edge.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace tavri {

// How a control follows the window when it grows beyond its design size.
enum Anchor : unsigned {
    Fixed = 0,
    GrowWidth = 1,
    GrowHeight = 2,
    FollowRight = 4,   // keeps its distance to the right edge
    FollowBottom = 8,  // keeps its distance to the bottom edge
    Centre = 16,       // stays in the middle of the extra room
};

class AnchoredLayout {
public:
    // designWidth and designHeight (twips) are the size of the area the controls sit in.
    AnchoredLayout(int designWidth, int designHeight)
        : designWidth_(designWidth), designHeight_(designHeight) {}

    // Places widget at its design rectangle (twips, relative to its parent) with these anchors.
    void place(QWidget* widget, int left, int top, int width, int height, unsigned anchors);
    // Lays every control out for an area of this size in pixels.
    void apply(QSize area) const;
    // The design size in pixels.
    QSize designSize() const;

private:
    struct Placement {
        QWidget* widget;
        QRect twips;
        unsigned anchors;
    };
    int designWidth_;
    int designHeight_;
    std::vector<Placement> placements_;
};

}  // namespace tavri
