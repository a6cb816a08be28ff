#pragma once
// The photo editor: red-eye retouch and free or quarter-turn rotation of one photo, saved as JPEG or
// BMP. Its four picture layers share one rectangle on the stage and one shows at a time: the working
// picture, the rotation layer (the working picture turned by the dial's angle), the effect layer and
// the copy shown while a long pixel routine runs.
#include <cstdint>

#include "editing/editor_window_base.h"
#include "imaging/random_source.h"
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

    // Picture operations the editor offers besides red-eye and rotation; no command runs them. The
    // long ones use this window's progress bar, and an abort gives the visible picture back.
    void AplicarDataNaFoto(PictureLayer& camada, const QString& texto);
    void AplicarDataNaFotoRotacao(TAngleImage& camada, const QString& texto);
    void AplicarDataNaFotoEfeito(TEffectImage& camada, const QString& texto);
    static void DrawImage(platform::Canvas& canvas, const Rect& retangulo, const platform::Bitmap& bitmap);
    static platform::Bitmap FlipReverseScanLine(bool cimaParaBaixo, bool esquerdaParaDireita,
                                                const platform::Bitmap& origem);
    static int LimitarCanalDeCor(int valor);
    void EditarCanaisDeCorDeBitmap(int vermelho, int verde, int azul, platform::Bitmap& bitmap);
    void ColocarBitmapEmSepia(int profundidade, platform::Bitmap& bitmap);
    void ColocarBitmapEmSepia_Rapido_24Bits(int profundidade, platform::Bitmap& bitmap);
    void ColocarBitmapEmSpray(int quantidade, platform::Bitmap& bitmap);
    void ColocarBitmapEmPretoBranco(std::uint8_t limite, platform::Bitmap& bitmap);
    void ColocarBitmapEmDistribuicaoDePixels(platform::Bitmap& bitmap);
    void ColocarBitmapEmPinturaImpressionista(int raioX, int raioY, int amostras, int pinceladas,
                                              platform::Bitmap& bitmap);
    void ColocarBitmapEmDeformacaoSenoidal(int periodo, int amplitude, const platform::Bitmap& origem,
                                           platform::Bitmap& destino);
    void ColocarBitmapEmAntiAliasing(int quantidade, platform::Bitmap& bitmap);
    void ColorCarBitmapEmAcentuacaoFiltroSharper(int quantidade, platform::Bitmap& bitmap);
    void MisturarDoisBitmapsRetornandoResultadoNoSegundo(int modo, const platform::Bitmap& primeiro,
                                                         platform::Bitmap& segundo);
    static void ColocarBitmapEmNovasDimensoes(const platform::Bitmap& origem, platform::Bitmap& destino,
                                              int novaLargura, int novaAltura);
    static std::int32_t ArredondarMeioParaCima(double valor);

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
    // The random draws of the effects, seeded from the clock once for the window.
    RandomSource FAleatorio;

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
