#pragma once
// The round 24 x 24 page buttons of the main window and of the print preview: a white arrow (with a
// bar for the first and last page) on the dark shadow colour.
#include <QImage>
#include <QString>

class QWidget;

namespace lumoria {

class TFancyButton;

constexpr int kLadoDoBotaoDeNavegacao = 24;

// The glyph: the arrow on a magenta key colour that the button leaves transparent.
QImage GlifoDeNavegacao(bool paraTras, bool ateOFim);

TFancyButton* NovoBotaoDeNavegacao(QWidget* pai, const QString& dica, bool paraTras, bool ateOFim);

} // namespace lumoria
