#pragma once
// The CD/DVD cover editor: the photo of one frame turned into a disc label (the photo kept on a ring,
// white outside it and in the centre hole), saved as JPEG or BMP. It shares its frame, loading,
// saving and questions with the photo editor (EditorWindowBase); what differs is here: the single
// tab with the cover controls, the photo as loaded and as it was before the cover, and the
// rectangular marker the operator draws and drags over the photo.
//
// The marker is a display overlay over the picture on screen: it never enters the working picture,
// so no save writes it and switching the cover on never copies it.
#include "editing/editor_window_base.h"
#include "platform/graphics/picture.h"

class QCheckBox;
class QSlider;

namespace lumoria {

class MarkerOverlay;

class TfrmEditarFotosTrabalhos : public EditorWindowBase {
    Q_OBJECT
public:
    explicit TfrmEditarFotosTrabalhos(QWidget* parent = nullptr);
    ~TfrmEditarFotosTrabalhos() override;

    // The marker, in working-picture pixels.
    void imgFotoMouseDown(Qt::MouseButton botao, int x, int y);
    void imgFotoMouseMove(Qt::MouseButtons botoes, int x, int y);
    void imgFotoMouseUp(Qt::MouseButton botao, int x, int y);
    void DesenharMarcadorRetangular();
    void ApagarMarcadorRetangular();
    void pnlFotoExit();
    // The marker's outline width in picture pixels.
    int LarguraDoMarcador() const;

    void pgcControlesChange(int abaQueEntra);

    // The cover.
    void AplicarCapaDeCDEmBitmap();
    void cbxPermitirAplicarCapaCDClick();
    void trbPorcentualDeDiametroCapaCDChange();
    void ResetarControlesCapaCDEDVD();
    void spdRemoveraplicacaoCapaCDClick();
    void spdAplicarCapaCDClick();

    QWidget* tshCapaDVD = nullptr;
    QCheckBox* cbxPermitirAplicarCapaCD = nullptr;
    QLabel* lblPorcentualDeDiametroCapaCD = nullptr;
    QSlider* trbPorcentualDeDiametroCapaCD = nullptr;
    QLabel* lblDeslocamentoHorizontal = nullptr;
    QSlider* trbDeslocamentoHorizontal = nullptr;
    QLabel* lblDeslocamentoVertical = nullptr;
    QSlider* trbDeslocamentoVertical = nullptr;
    TFancyButton* spdRemoveraplicacaoCapaCD = nullptr;

    // The working copy as loaded ("Remover" and an aborted operation put it back), and the photo as
    // it was when the cover was switched on (every slider move starts from it).
    platform::Picture FFotoOriginal;
    platform::Picture FFotoAntesDaCapa;

    Point FPontoInicial;
    Point FPontoAnterior;
    Rect FRetanguloDoMarcador;
    bool FMarcadorVisivel = false;
    bool FMovendoMarcador = false;

protected:
    QString PrefixoDoTitulo() const override;
    void AoIniciarCarga() override;
    void AoMontarCopiaDeTrabalho(const platform::Bitmap& copia) override;
    void AoDesligarProgresso(bool abortado) override;
    QStringList LinhasDaAba(int indice) const override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CriarAbaCapaDVD();
    void CriarMarcador();
    void PosicionarControlesDaCapa();
    // Unticks the check box without its handler and resets the sliders: the cover is off.
    void DesligarCapaSemAplicar();
    Point PontoNaFoto(int x, int y) const;
    bool DentroDoMarcador(const Point& p) const;
    QList<QSlider*> Deslizantes() const;

    MarkerOverlay* m_marcador = nullptr;
    bool m_ajustando = false;
};

} // namespace lumoria
