#pragma once
// Running a file dialog so that it leaves nothing behind: its name field starts selected (a typed
// name replaces the last one instead of joining it) and the list of name suggestions is closed when
// the dialog ends (left open, it would hold the mouse over the main window).
#include <QDialog>

class QFileDialog;
class QLineEdit;

namespace lumoria::platform {

// The dialog's name field (Qt's own dialog), or null.
QLineEdit* fileDialogNameField(QFileDialog& dialog);

// Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
int runFileDialog(QFileDialog& dialog);

} // namespace lumoria::platform
