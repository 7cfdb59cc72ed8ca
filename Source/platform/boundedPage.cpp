#include "platform/boundedPage.h"

#include <QList>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <initializer_list>

namespace platform
{
namespace
{

// The bounds: each far beyond what an about page needs, and all of them together laid out in a
// fraction of a second.
enum : int {
    // Elements open at once. A cell counts for three, for the view may wrap one in a table and a row
    // of its own.
    deepestNesting = 40,
    // Tables and cells open at once: each doubles the time that laying out what lies in it takes.
    deepestTables = 6,
    // A character of text is one unit of layout and an element eight, doubled by each table and cell
    // around them; a cell of a table's grid, its rows times its widest row, is eight more.
    mostLayoutWork = 32768,
    // Items of one list: numbering them takes time by the square of their number.
    mostItems = 500,
    // UTF-16 units of one letter with all its marks, and of the letters that may join a letter across
    // the markup: the view shapes each such letter whole.
    longestLetter = 32,
    mostJoins = 256,
    // Characters that open or close a stretch of text written in another direction.
    mostDirections = 64,
    // Elements that show a picture: each takes the view time by their number.
    mostPictures = 256,
    // One style sheet: its characters and its selectors.
    largestStyleSheet = 16384,
    mostSelectors = 256,
    // The widest span the view gives a cell.
    widestSpan = 20480,
};
// Steps of matching the style sheets' selectors against the elements and their ancestors.
constexpr qint64 mostStyleWork = 4000000;

bool isOneOf(const QString &name, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const char *one) { return name == QLatin1String(one); });
}

// The elements the view never gives any content.
bool isEmptyElement(const QString &name)
{
    return isOneOf(name, {"img", "hr", "br", "meta"});
}

// The blocks at which a new paragraph stops closing the elements it lies in.
bool isBlock(const QString &name)
{
    return isOneOf(name, {"blockquote", "body", "caption", "center", "dd", "div", "dl", "dt",
                          "h1",         "h2",   "h3",      "h4",     "h5", "h6",  "hr", "li",
                          "ol",         "p",    "pre",     "qt",     "td", "th",  "ul"});
}

bool isCell(const QString &name)
{
    return name == QLatin1String("td") || name == QLatin1String("th");
}

bool isList(const QString &name)
{
    return name == QLatin1String("ul") || name == QLatin1String("ol");
}

// Where the view lets an element lie: some only directly in others.
bool mayLieIn(const QString &name, const QString &parent)
{
    if (isOneOf(name, {"dd", "dt"}))
        return parent == QLatin1String("dl");
    if (name == QLatin1String("tr"))
        return isOneOf(parent, {"table", "thead", "tbody", "tfoot"});
    if (isCell(name))
        return parent == QLatin1String("tr");
    if (isOneOf(name, {"thead", "tbody", "tfoot", "caption"}))
        return parent == QLatin1String("table");
    if (name == QLatin1String("body"))
        return parent != QLatin1String("head");
    return true;
}

// A name written in letters and digits: any other is left out with its element.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name[0].isLetter() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 128 && c.isLetterOrNumber();
    });
}

bool isDirectionControl(char32_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Units at the start of some text that the view may join to a letter before it, across the markup,
// and at its end those that may join a letter after it.
int joiningUnits(const QString &text)
{
    static const QString before[] = {QStringLiteral("x"), QString(QChar(0x1100)), QString(QChar(0x1161)),
                                     QString(QChar(0xAC01)), QString::fromUcs4(U"\U0001F600\u200D")};
    int units = 0;
    for (const QString &letter : before) {
        QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, letter + text.left(longestLetter + 1));
        letters.setPosition(letter.size());
        if (!letters.isAtBoundary())
            units = std::max(units, int(letters.toNextBoundary() - letter.size()));
    }
    const QString ending = text.right(longestLetter + 1) + QLatin1Char('x');
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, ending);
    letters.setPosition(ending.size() - 1);
    if (!letters.isAtBoundary())
        units += int(ending.size() - 1 - letters.toPreviousBoundary());
    return units;
}

struct Element {
    QString name;
    int count = 0; // a list's items; a row's cells, each as wide as it spans
    int rows = 0;  // a table's rows and widest row
    int widest = 0;
};

struct Attribute {
    QString key, value;
    QChar quote;
};

class PageReader
{
public:
    PageReader(const QString &page, bool styled) : in(page), styled(styled) {}
    BoundedPage read();

private:
    bool has(QChar c, qsizetype ahead = 0) const { return pos + ahead < in.size() && in[pos + ahead] == c; }
    void eatSpace();
    void skipPast(QChar c);
    QString readWord(QChar *quote);
    QList<Attribute> readAttributes();
    void readTag(qsizetype start);
    void readText(qsizetype end);
    void readStyleSheet(qsizetype end);
    void decode(qsizetype end, QString &text, QList<qsizetype> &from) const;
    bool open(const QString &name, const QList<Attribute> &attributes, bool closedAlready, qsizetype start);
    qint64 countCells(const QString &name, const QList<Attribute> &attributes);
    void write(const QString &name, const QList<Attribute> &attributes);
    void closeDownTo(qsizetype index);
    qsizetype nearest(bool (*is)(const QString &)) const;
    qsizetype nearest(const QString &name) const;
    bool stop(qsizetype at, const QString &why);

    const QString &in;
    const bool styled;
    qsizetype pos = 0;
    QString out;
    BoundedPage page;
    QList<Element> opened;
    int depth = 0, tables = 0;
    qint64 layoutWork = 0, closedCells = 0, cells = 0;
    int itemsOutsideLists = 0, joins = 0, directions = 0, pictures = 0;
    int selectors = 0;
    qint64 styleCharacters = 0;
    bool afterStyle = false;
};

BoundedPage PageReader::read()
{
    while (pos < in.size() && page.cut.isEmpty()) {
        if (in[pos] == QLatin1Char('<')) {
            const qsizetype start = pos++;
            readTag(start);
            continue;
        }
        qsizetype end = in.indexOf(QLatin1Char('<'), pos);
        if (end < 0)
            end = in.size();
        if (afterStyle)
            readStyleSheet(end);
        else
            readText(end);
        afterStyle = false;
    }
    closeDownTo(0);
    page.html = out;
    return page;
}

void PageReader::eatSpace()
{
    while (pos < in.size() && in[pos].isSpace() && in[pos] != QChar::ParagraphSeparator)
        ++pos;
}

void PageReader::skipPast(QChar c)
{
    while (pos < in.size() && in[pos++] != c) {
    }
}

// One word as the view reads it: in double or single quotes, or up to a space, '=', '<', '>' or "/>".
QString PageReader::readWord(QChar *quote)
{
    const qsizetype start = pos;
    *quote = QChar();
    if (has(QLatin1Char('"'))) {
        *quote = QLatin1Char('"');
        const qsizetype end = in.indexOf(QLatin1Char('"'), pos + 1);
        pos = end < 0 ? in.size() : end + 1;
        return in.mid(start + 1, (end < 0 ? in.size() : end) - start - 1);
    }
    if (has(QLatin1Char('\''))) {
        *quote = QLatin1Char('\'');
        // A quote after a backslash does not end the word.
        for (++pos; pos < in.size(); ++pos) {
            if (in[pos] == QLatin1Char('\'') && in[pos - 1] != QLatin1Char('\\'))
                return in.mid(start + 1, pos++ - start - 1);
        }
        return in.mid(start + 1);
    }
    while (pos < in.size()) {
        const QChar c = in[pos];
        if (c == QLatin1Char('>') || (c == QLatin1Char('/') && has(QLatin1Char('>'), 1)) ||
            c == QLatin1Char('<') || c == QLatin1Char('=') || c.isSpace())
            break;
        ++pos;
    }
    return in.mid(start, pos - start);
}

QList<Attribute> PageReader::readAttributes()
{
    QList<Attribute> attributes;
    while (pos < in.size()) {
        eatSpace();
        if (has(QLatin1Char('>')) || has(QLatin1Char('/')))
            break;
        QChar keyQuote;
        Attribute attribute{readWord(&keyQuote).toLower(), QStringLiteral("1"), QLatin1Char('"')};
        if (attribute.key.isEmpty())
            break;
        eatSpace();
        if (has(QLatin1Char('='))) {
            ++pos;
            eatSpace();
            attribute.value = readWord(&attribute.quote);
        }
        if (!attribute.value.isEmpty() && keyQuote.isNull() &&
            std::all_of(attribute.key.begin(), attribute.key.end(), [](QChar c) {
                return c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-'));
            }))
            attributes += attribute;
    }
    return attributes;
}

// A tag: a comment or declaration is copied as it stands, for the view skips it just as this reading
// does; a closing tag closes what it names; an opening tag is written out again as the view is to
// read it.
void PageReader::readTag(qsizetype start)
{
    afterStyle = false;
    eatSpace();
    if (has(QLatin1Char('!'))) {
        ++pos;
        if (has(QLatin1Char('-')) && has(QLatin1Char('-'), 1)) {
            const qsizetype end = in.indexOf(QLatin1String("-->"), pos + 2);
            pos = end < 0 ? in.size() : end + 3;
        } else {
            skipPast(QLatin1Char('>'));
        }
        out += QStringView(in).mid(start, pos - start);
        return;
    }
    QChar quote;
    if (has(QLatin1Char('/'))) {
        ++pos;
        const QString name = readWord(&quote).toLower().trimmed();
        skipPast(QLatin1Char('>'));
        const qsizetype index = quote.isNull() ? nearest(name) : -1;
        if (index >= 0)
            closeDownTo(index);
        return;
    }
    const QString name = readWord(&quote).toLower();
    QList<Attribute> attributes;
    if (pos < in.size() && in[pos].isSpace())
        attributes = readAttributes();
    bool closedAlready = false;
    for (; pos < in.size() && in[pos] != QLatin1Char('>'); ++pos)
        closedAlready = closedAlready || in[pos] == QLatin1Char('/');
    pos = std::min(pos + 1, in.size());
    if (quote.isNull() && isPlainName(name) && open(name, attributes, closedAlready, start))
        afterStyle = name == QLatin1String("style") && !closedAlready;
}

// The text as the view reads it, entities and all, as far as its letters go, and where each of its
// units begins in the page.
void PageReader::decode(qsizetype end, QString &text, QList<qsizetype> &from) const
{
    for (qsizetype at = pos; at < end;) {
        const qsizetype begins = at;
        if (in[at] != QLatin1Char('&')) {
            text += in[at++];
            from += begins;
            continue;
        }
        // An entity runs to a ';' within nine characters, with no space; anything else is a plain '&'.
        qsizetype close = at + 1;
        while (close < end && close - at <= 9 && !in[close].isSpace() && in[close] != QLatin1Char(';'))
            ++close;
        const QString body = close < end && close - at <= 9 && in[close] == QLatin1Char(';')
                                 ? in.mid(at + 1, close - at - 1)
                                 : QString();
        bool number = false;
        uint code = 0;
        if (body.startsWith(QLatin1Char('#')))
            code = body.startsWith(QLatin1String("#x"), Qt::CaseInsensitive) ? body.mid(2).toUInt(&number, 16)
                                                                             : body.mid(1).toUInt(&number);
        QString letter = QStringLiteral("&");
        const char32_t character = code;
        if (number && code <= 0x10FFFF && (code < 0x80 || code >= 0xA0))
            letter = QString::fromUcs4(&character, 1);
        else if (body == QLatin1String("zwj") || body == QLatin1String("zwnj"))
            letter = QChar(body == QLatin1String("zwj") ? 0x200D : 0x200C);
        else if (!body.isEmpty())
            letter = QStringLiteral("x");
        for (QChar unit : letter) {
            text += unit;
            from += begins;
        }
        at = body.isEmpty() ? at + 1 : close + 1;
    }
}

// Text, as far as the bounds on its letters and on the time to lay it out allow.
void PageReader::readText(qsizetype end)
{
    QString text;
    QList<qsizetype> from;
    decode(end, text, from);
    qsizetype keep = text.size();
    QString why;
    const auto stopAt = [&](qsizetype at, const QString &reason) {
        if (at < keep) {
            keep = at;
            why = reason;
        }
    };
    int directionsSoFar = directions;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (isDirectionControl(text[at].unicode()) && ++directionsSoFar > mostDirections) {
            stopAt(at, QStringLiteral("it changes the direction of its text more than %1 times")
                           .arg(mostDirections));
            break;
        }
    }
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, next; start < text.size() && (next = letters.toNextBoundary()) > start;
         start = next) {
        if (next - start > longestLetter) {
            stopAt(start, QStringLiteral("a letter in it carries more than %1 marks").arg(longestLetter));
            break;
        }
    }
    const int joinsHere = text.isEmpty() ? 0 : joiningUnits(text);
    if (joins + joinsHere > mostJoins)
        stopAt(0, QStringLiteral("more than %1 of its marks lie apart from their letters").arg(mostJoins));
    const qint64 unit = qint64(1) << tables;
    const qint64 rawKept = (keep < text.size() ? from[keep] : end) - pos;
    if (layoutWork + rawKept * unit > mostLayoutWork) {
        // Stopped at a whole letter: the last one that the work allows.
        qsizetype at =
            std::upper_bound(from.begin(), from.end(), pos + (mostLayoutWork - layoutWork) / unit) -
            from.begin() - 1;
        letters.setPosition(std::max<qsizetype>(at, 0));
        if (!letters.isAtBoundary())
            at = letters.toPreviousBoundary();
        stopAt(std::max<qsizetype>(at, 0),
               QStringLiteral("it holds more text than can be laid out in a moment"));
    }
    const qsizetype rawEnd = keep < text.size() ? from[keep] : end;
    out += QStringView(in).mid(pos, rawEnd - pos);
    layoutWork += (rawEnd - pos) * unit;
    joins += joinsHere;
    directions = directionsSoFar;
    pos = end;
    if (keep < text.size())
        stop(rawEnd, why);
}

// A style sheet in the page, whole or left out.
void PageReader::readStyleSheet(qsizetype end)
{
    const QStringView sheet = QStringView(in).mid(pos, end - pos);
    // Each rule opens with '{', a ',' parts its selectors, and an entity may stand for either.
    const int selectorsHere =
        int(sheet.count(QLatin1Char('{')) + sheet.count(QLatin1Char(',')) + sheet.count(QLatin1Char('&')));
    if (!styled) {
        page.styleLeftOut = QStringLiteral("the page is shown without its styles");
    } else if (sheet.size() > largestStyleSheet || selectorsHere > mostSelectors) {
        page.styleLeftOut = QStringLiteral("it is longer than %1 characters or has more than %2 selectors")
                                .arg(largestStyleSheet)
                                .arg(mostSelectors);
    } else {
        out += sheet;
        selectors += selectorsHere;
        styleCharacters += sheet.size();
    }
    pos = end;
}

// Opens an element where the view would put it, or stops the page at its tag if a bound does not
// allow it.
bool PageReader::open(const QString &name, const QList<Attribute> &attributes, bool closedAlready,
                      qsizetype start)
{
    // A cell or row that lies in no table gets one, as the view would give it.
    if (isCell(name) && nearest(QStringLiteral("tr")) < 0 &&
        !(open(QStringLiteral("table"), {}, false, start) && open(QStringLiteral("tr"), {}, false, start)))
        return false;
    if (name == QLatin1String("tr") && nearest(QStringLiteral("table")) < 0 &&
        !open(QStringLiteral("table"), {}, false, start))
        return false;
    // A paragraph closes the one it lies in, with what it opened since, up to the first other block.
    if (name == QLatin1String("p")) {
        qsizetype index = opened.size() - 1;
        while (index >= 0 && !isBlock(opened[index].name))
            --index;
        if (index >= 0 && opened[index].name == name)
            closeDownTo(index);
    }
    if ((name == QLatin1String("p") || name == QLatin1String("li")) && !opened.isEmpty() &&
        opened.last().name == name)
        closeDownTo(opened.size() - 1);
    qsizetype context = opened.size() - 1;
    while (context >= 0 && !mayLieIn(name, opened[context].name))
        --context;
    closeDownTo(context + 1);

    const int weight = isCell(name) ? 3 : 1;
    const bool tableLike = isCell(name) || name == QLatin1String("table");
    const qint64 cellsNow = countCells(name, attributes);
    const qint64 layoutHere = (qint64(8) << tables) + 8 * (cellsNow - cells);
    const qint64 styleHere = qint64(selectors) * (3 * (depth + weight) + 1) + styleCharacters;
    if (depth + weight > deepestNesting)
        return stop(start, QStringLiteral("its elements nest more than %1 deep").arg(deepestNesting));
    if (tableLike && tables + 1 > deepestTables)
        return stop(start, QStringLiteral("its tables and cells nest more than %1 deep").arg(deepestTables));
    if (layoutWork + layoutHere > mostLayoutWork)
        return stop(start, QStringLiteral("it holds more than can be laid out in a moment"));
    if (page.styleWork + styleHere > mostStyleWork)
        return stop(start, QStringLiteral("its style sheets take too long to apply to all its elements"));
    if (name == QLatin1String("li")) {
        for (Element &list : opened)
            list.count += isList(list.name);
        const bool inList = nearest(isList) >= 0;
        itemsOutsideLists += !inList;
        if (itemsOutsideLists > mostItems ||
            std::any_of(opened.begin(), opened.end(), [](const Element &e) { return e.count > mostItems; }))
            return stop(start, QStringLiteral("a list in it has more than %1 items").arg(mostItems));
    }
    const bool picture = name == QLatin1String("img") ||
                         std::any_of(attributes.begin(), attributes.end(), [](const Attribute &attribute) {
                             return attribute.key == QLatin1String("background") ||
                                    attribute.value.contains(QLatin1String("url"), Qt::CaseInsensitive);
                         });
    if (picture && pictures + 1 > mostPictures)
        return stop(start, QStringLiteral("it shows more than %1 pictures").arg(mostPictures));

    layoutWork += layoutHere;
    cells = cellsNow;
    page.styleWork += styleHere;
    pictures += picture;
    ++page.elements;
    write(name, attributes);
    if (isEmptyElement(name))
        return true;
    if (closedAlready) {
        out += QStringLiteral("</") + name + QLatin1Char('>');
        return true;
    }
    opened += Element{name};
    depth += weight;
    tables += tableLike;
    page.deepest = std::max(page.deepest, depth);
    return true;
}

// Counts a row or cell into every table it may fall in; the cells of all the tables' grids.
qint64 PageReader::countCells(const QString &name, const QList<Attribute> &attributes)
{
    if (name == QLatin1String("tr")) {
        for (Element &table : opened)
            table.rows += table.name == QLatin1String("table");
    } else if (isCell(name)) {
        int span = 1;
        for (const Attribute &attribute : attributes) {
            if (attribute.key == QLatin1String("colspan"))
                span = std::clamp(attribute.value.toInt(), 1, int(widestSpan));
        }
        int widestRow = 0;
        for (Element &row : opened) {
            if (row.name == QLatin1String("tr"))
                widestRow = std::max(widestRow, row.count += span);
        }
        for (Element &table : opened) {
            if (table.name == QLatin1String("table"))
                table.widest = std::max(table.widest, widestRow);
        }
    }
    qint64 grids = closedCells;
    for (const Element &table : opened)
        grids += qint64(table.rows) * table.widest;
    return grids;
}

// An opening tag as the view is to read it: each value in double quotes, decoded as it was before.
void PageReader::write(const QString &name, const QList<Attribute> &attributes)
{
    out += QLatin1Char('<') + name;
    for (const Attribute &attribute : attributes) {
        if (!styled && (name == QLatin1String("link") ||
                        isOneOf(attribute.key, {"style", "width", "height", "border", "cellpadding",
                                                "cellspacing", "size", "background"})))
            continue;
        const bool span = attribute.key == QLatin1String("colspan");
        if (span && attribute.value.contains(QLatin1Char('&')))
            continue;
        out += QLatin1Char(' ') + attribute.key + QStringLiteral("=\"");
        const QString value =
            span ? QString::number(std::clamp(attribute.value.toInt(), 1, int(widestSpan))) : attribute.value;
        for (QChar c : value) {
            if (c == QLatin1Char('"'))
                out += QStringLiteral("&quot;");
            else if (c == QLatin1Char('&') && attribute.quote == QLatin1Char('\''))
                out += QStringLiteral("&amp;");
            else
                out += c;
        }
        out += QLatin1Char('"');
    }
    out += QLatin1Char('>');
}

void PageReader::closeDownTo(qsizetype index)
{
    while (opened.size() > std::max<qsizetype>(index, 0)) {
        const Element element = opened.takeLast();
        out += QStringLiteral("</") + element.name + QLatin1Char('>');
        depth -= isCell(element.name) ? 3 : 1;
        tables -= isCell(element.name) || element.name == QLatin1String("table");
        closedCells += qint64(element.rows) * element.widest;
    }
}

qsizetype PageReader::nearest(bool (*is)(const QString &)) const
{
    qsizetype index = opened.size() - 1;
    while (index >= 0 && !is(opened[index].name))
        --index;
    return index;
}

qsizetype PageReader::nearest(const QString &name) const
{
    qsizetype index = opened.size() - 1;
    while (index >= 0 && opened[index].name != name)
        --index;
    return index;
}

bool PageReader::stop(qsizetype at, const QString &why)
{
    page.cut = why;
    page.cutAt = at;
    pos = in.size();
    return false;
}

} // namespace

BoundedPage boundPage(const QString &page, bool styled)
{
    return PageReader(page, styled).read();
}

// The height of a line of the block at most: twice its largest letter, or its tallest picture, as its
// line height stretches them.
static qreal tallestLine(const QTextBlock &block, qreal defaultLetter)
{
    qreal line = 0;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        const QFont font = format.font();
        const qreal letter = font.pixelSize() > 0    ? font.pixelSize()
                             : font.pointSizeF() > 0 ? font.pointSizeF() * 4 / 3
                                                     : defaultLetter;
        line = std::max(line, 2 * std::abs(letter));
        if (format.isImageFormat())
            line = std::max(line,
                            format.toImageFormat().height() > 0 ? format.toImageFormat().height() : 4096.0);
    }
    line = std::max(line, 2 * defaultLetter);
    const QTextBlockFormat format = block.blockFormat();
    const qreal given = std::abs(format.lineHeight());
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        return line * std::max(1.0, given / 100);
    case QTextBlockFormat::SingleHeight:
        return line;
    default:
        return line + given;
    }
}

// What a frame and its frames add to the height around their blocks.
static qreal frameHeight(QTextFrame *frame)
{
    const QTextFrameFormat format = frame->frameFormat();
    qreal height = 2 * (std::abs(format.margin()) + std::abs(format.padding()) + std::abs(format.border())) +
                   std::abs(format.topMargin()) + std::abs(format.bottomMargin()) +
                   std::abs(format.height().rawValue());
    if (auto *table = qobject_cast<QTextTable *>(frame)) {
        const QTextTableFormat tableFormat = table->format();
        height +=
            (table->rows() + 1) * (2 * std::abs(tableFormat.cellPadding()) +
                                   std::abs(tableFormat.cellSpacing()) + 2 * std::abs(tableFormat.border()));
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCellFormat cell = table->cellAt(row, column).format().toTableCellFormat();
                height += std::abs(cell.topPadding()) + std::abs(cell.bottomPadding()) +
                          std::abs(cell.topBorder()) + std::abs(cell.bottomBorder());
            }
        }
    }
    for (QTextFrame *child : frame->childFrames())
        height += frameHeight(child);
    return height;
}

qreal tallestLayout(const QTextDocument &document)
{
    const QFont font = document.defaultFont();
    const qreal letter = font.pixelSize() > 0 ? font.pixelSize() : std::max(font.pointSizeF(), 1.0) * 4 / 3;
    qreal height = frameHeight(document.rootFrame());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        height += (block.length() + 1) * tallestLine(block, letter) + std::abs(format.topMargin()) +
                  std::abs(format.bottomMargin());
    }
    return height;
}

bool admitStyleSheet(BoundedPage &page, const QString &styleSheet, QString *why)
{
    const qint64 selectors = styleSheet.count(QLatin1Char('{')) + styleSheet.count(QLatin1Char(','));
    const qint64 work = (selectors * (3 * page.deepest + 1) + styleSheet.size()) * page.elements;
    if (styleSheet.size() > largestStyleSheet || selectors > mostSelectors ||
        page.styleWork + work > mostStyleWork) {
        *why = QStringLiteral("it would take too long to apply to the page");
        return false;
    }
    page.styleWork += work;
    return true;
}

} // namespace platform
