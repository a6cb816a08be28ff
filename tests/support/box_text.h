#pragma once
// The text a message box was given: its label without the line breaks the window adds around it.
#include <QString>

#include "common/dialog_form.h"

namespace lumoria::test {

inline QString TextoDaCaixa(const DialogForm& caixa)
{
    QString texto = caixa.LabelText();
    if (texto.startsWith(QStringLiteral("\r\n")))
        texto.remove(0, 2);
    if (texto.endsWith(QStringLiteral("\r\n")))
        texto.chop(2);
    return texto;
}

} // namespace lumoria::test
