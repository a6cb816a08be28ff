#pragma once
// The reference table of print resolutions, each cell coloured by its quality band, with the legend
// of the four bands below it.
#include <QWidget>

#include "platform/rect.h"

class QPainter;

namespace lumoria {

namespace platform {
class CaptionPanel;
class Panel;
class StringGrid;
} // namespace platform

class TFancyButton;

class TfrmAnalisarFotosTabelaResolucao : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLargura = 690;
    static constexpr int kAltura = 520;
    static constexpr int kBorda = 12;

    explicit TfrmAnalisarFotosTabelaResolucao(QWidget* owner = nullptr);

    void ShowModal();

    void PreencherTabela();
    void stgTabelaDrawCell(int coluna, int linha, const Rect& retangulo, QPainter& painter);
    void spdSairClick();

    platform::StringGrid* stgTabela = nullptr;
    platform::Panel* pnlInferior = nullptr;
    platform::CaptionPanel* pnlAdequado = nullptr;
    platform::CaptionPanel* pnlAceitavel = nullptr;
    platform::CaptionPanel* pnlRuim = nullptr;
    platform::CaptionPanel* pnlNaoRecomendado = nullptr;
    TFancyButton* spdSair = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Alinhar();
};

} // namespace lumoria
