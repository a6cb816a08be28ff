#pragma once
// Printing a rich-text document after the system's print dialog.
class QTextDocument;
class QWidget;

namespace lumoria::platform {

// Shows the print dialog over parent and prints the document on the printer chosen there. False
// when the dialog was cancelled; raises Failure when the printer refused the document.
bool printDocumentWithDialog(QTextDocument& document, QWidget* parent);

} // namespace lumoria::platform
