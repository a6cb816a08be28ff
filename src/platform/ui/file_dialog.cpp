#include "platform/ui/file_dialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

namespace lumoria::platform {

QLineEdit* fileDialogNameField(QFileDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

int runFileDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Once the dialog shows (it sets its own text while it opens).
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (QLineEdit* field = fileDialogNameField(dialog)) {
            field->setFocus();
            field->selectAll();
        }
    });
    const int result = dialog.exec();
    if (QLineEdit* field = fileDialogNameField(dialog)) {
        if (QCompleter* completer = field->completer(); completer && completer->popup())
            completer->popup()->hide();
    }
    return result;
}

} // namespace lumoria::platform
