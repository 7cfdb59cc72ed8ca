// The about page as it reaches the view. The page is read as the view reads it and written out again
// with each element the view would close closed explicitly, so that its elements nest in the view as
// they are counted here; where laying out more of it would take the view more than a moment, the
// page stops.
#pragma once

#include <QString>

class QTextDocument;

namespace platform
{

struct BoundedPage {
    QString html;         // the page as the view reads it
    QString cut;          // why it stops short of the page's end, or nothing when it is whole
    qsizetype cutAt = -1; // where it stops, in characters of the page
    QString styleLeftOut; // why a style sheet in it was left out, or nothing
    // What the style sheets the page links to are weighed against: the page's elements, how deep
    // they nest and the work its own style sheets already take.
    int elements = 0;
    int deepest = 0;
    qint64 styleWork = 0;
};

// The page bounded; without its styles, when `styled` is false: its style sheets, style attributes
// and the attributes that size its elements are left out.
BoundedPage boundPage(const QString &page, bool styled = true);

// An upper bound of the height, in pixels, that the document's layout can reach: each character on a
// line of its own, as tall as the tallest letter or picture of its block, with every margin, padding
// and border. The view's layout runs on for ever once its height passes a few million pixels.
qreal tallestLayout(const QTextDocument &document);

// The height below which a document is laid out safely.
constexpr qreal tallestSafeLayout = 2e6;

// Whether a style sheet the page links to may apply to it, adding its work to the page's; if not,
// `why` says why.
bool admitStyleSheet(BoundedPage &page, const QString &styleSheet, QString *why);

} // namespace platform
