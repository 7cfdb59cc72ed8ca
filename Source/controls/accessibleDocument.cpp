#include "controls/accessibleDocument.h"

#include <QAccessibleWidget>
#include <QTextEdit>

namespace
{

class Document : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit Document(QTextEdit *view) : QAccessibleWidget(view, QAccessible::Document) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }

    // The text as the page reads, one character for each place of the cursor.
    QString text(int startOffset, int endOffset) const override
    {
        return plainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(plainText().size()); }

    int cursorPosition() const override { return view()->textCursor().position(); }
    void setCursorPosition(int position) override { select(position, position); }
    int selectionCount() const override { return view()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = view()->textCursor().selectionStart();
        *endOffset = view()->textCursor().selectionEnd();
    }
    void addSelection(int startOffset, int endOffset) override { select(startOffset, endOffset); }
    void setSelection(int, int startOffset, int endOffset) override { select(startOffset, endOffset); }
    void removeSelection(int) override { select(cursorPosition(), cursorPosition()); }

    QRect characterRect(int offset) const override
    {
        QRect box = view()->cursorRect(cursorAt(offset));
        box.setWidth(view()->fontMetrics().horizontalAdvance(text(offset, offset + 1)));
        return QRect(view()->viewport()->mapToGlobal(box.topLeft()), box.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return view()->cursorForPosition(view()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int startIndex, int) override
    {
        view()->setTextCursor(cursorAt(startIndex));
        view()->ensureCursorVisible();
    }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    QTextEdit *view() const { return static_cast<QTextEdit *>(widget()); }
    // The document's own plain text turns the tables' marks, and the ends of paragraphs, into line ends.
    QString plainText() const { return view()->document()->toPlainText(); }
    QTextCursor cursorAt(int offset) const
    {
        QTextCursor cursor(view()->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        return cursor;
    }
    void select(int startOffset, int endOffset)
    {
        QTextCursor cursor = cursorAt(startOffset);
        cursor.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
        view()->setTextCursor(cursor);
    }
};

} // namespace

QAccessibleInterface *accessibleDocument(QTextEdit *view)
{
    return new Document(view);
}
