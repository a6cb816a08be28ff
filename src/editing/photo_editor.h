#pragma once
// The photo editor: red-eye retouch and free or quarter-turn rotation of one photo, saved as JPEG or
// BMP. Its four picture layers share one rectangle on the stage and one shows at a time: the working
// picture, the rotation layer (the working picture turned by the dial's angle), the effect layer and
// the copy shown while a long pixel routine runs.
#include "editing/editor_window_base.h"
#include "platform/graphics/picture.h"

class QCheckBox;

namespace lumoria {

class TAngleImage;
class TEffectImage;
class PaintBox;

namespace platform {
class Canvas;
}

class TfrmEditarFotosEfeitos : public EditorWindowBase {
    Q_OBJECT
public:
    enum Camada { kCamadaFoto, kCamadaRotacao, kCamadaEfeito, kCamadaBackup };
    enum Aba { kAbaOlhoVermelho = 0, kAbaRotacao = 1 };

    explicit TfrmEditarFotosEfeitos(QWidget* parent = nullptr);
    ~TfrmEditarFotosEfeitos() override;

    void HabilitarFoto();
    void HabilitarFotoRotacao();
    void HabilitarFotoEfeito();
    void SincronizarConteudoImagensNormalRotacaoEfeito();
    void ZerarTodosOsEfeitos();
    void pgcControlesChanging(int abaQueSai);
    void pgcControlesChange(int abaQueEntra);

    // Red-eye tab.
    void cbxPermitirRemocaoOlhosVermelhosClick();
    void imgFotoMouseUp(Qt::MouseButton botao, int x, int y);
    void spdZerarOlhosVermelhosClick();

    // Rotation tab.
    // False when the turn could not be had (the operator was told; nothing changed).
    bool FazerRotacao(double angulo);
    void pbxRotacaoPaint(platform::Canvas& canvas);
    void pbxRotacaoMouseDown(Qt::MouseButton botao, bool duploClique, int x, int y);
    void pbxRotacaoMouseMove(int x, int y);
    void pbxRotacaoMouseUp();
    void spdAntiHorarioClick();
    void spdHorarioClick();
    void spdZerarAnguloClick();

    TAngleImage* imgFotoRotacao = nullptr;
    TEffectImage* imgFotoEfeito = nullptr;
    PictureLayer* imgFotoBackupPreOperacao = nullptr;

    QWidget* tshOlhoVermelho = nullptr;
    QCheckBox* cbxPermitirRemocaoOlhosVermelhos = nullptr;
    QLabel* lblOlhosVermelhos = nullptr;
    TFancyButton* spdZerarOlhosVermelhos = nullptr;

    QWidget* tshRotacao = nullptr;
    TFancyButton* spdAntiHorario = nullptr;
    TFancyButton* spdHorario = nullptr;
    TFancyButton* spdZerarAngulo = nullptr;
    QLabel* lblRotacao = nullptr;
    QLabel* lblRotacaoLegenda = nullptr;
    platform::Panel* pnlRotacao = nullptr;
    PaintBox* pbxRotacao = nullptr;

    Camada FCamadaVisivel = kCamadaFoto;
    QWidget* FControleDoArraste = nullptr;
    double FAnguloInicialDoArraste = 0;
    platform::Picture FFotoAntesDoRetoque;

protected:
    QString PrefixoDoTitulo() const override;
    void AoIniciarCarga() override;
    void AoMontarCopiaDeTrabalho(const platform::Bitmap& copia) override;
    QList<QWidget*> CamadasDaFoto() const override;
    QSize TamanhoMostrado() const override;
    void AntesDeGravar() override;
    void AposGravarPeloDialogo(const QString& arquivo) override;
    void AntesDeLerPeloComando() override;
    void AoLigarProgresso() override;
    void AoDesligarProgresso(bool abortado) override;
    int PassoDeMensagensDoProgresso() const override { return 100; }
    QStringList LinhasDaAba(int indice) const override;

private:
    void CriarAbaOlhoVermelho();
    void CriarAbaRotacao();
    void MostrarCamada(Camada camada);
    QWidget* WidgetDaCamada(Camada camada) const;
    platform::Picture* FiguraDaCamada(Camada camada);
    void AtualizarLegendaDoAngulo();

    bool m_retocando = false;
};

} // namespace lumoria
