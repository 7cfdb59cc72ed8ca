// A page the program shows, as a screen reader reads it: a document whose text is the page's, with the
// marks that open and close the page's tables read as line ends.
#pragma once

class QAccessibleInterface;
class QTextEdit;

QAccessibleInterface *accessibleDocument(QTextEdit *view);
