// The frame menu: when it opens, its item states and check marks, its owner-drawn items and its
// commands with the undo records they push.
#include "main_window_fixture.h"

#include <QFontMetrics>

#include <algorithm>

#include <QMenu>
#include <QPainter>

#include "platform/graphics/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/owner_drawn_menu.h"

namespace lumoria::test {
namespace {

// The items' font: bold 11-point Verdana.
QFont FonteDoMenu()
{
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPointSize(11);
    fonte.setBold(true);
    return fonte;
}

class FrameMenu : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        foto = FotoDeTeste(QStringLiteral("verde.bmp"), 60, 40, Qt::green);
        outra = FotoDeTeste(QStringLiteral("amarela.bmp"), 40, 60, Qt::yellow);
    }
    void TearDown() override { FecharMenu(); }
    void FecharMenu()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QApplication::processEvents();
    }
    // A right click over the gap at (5, 5) mm: the menu opens with the items as they were.
    void AbrirSobreOVao()
    {
        const QPoint vao = PixelDoMilimetro(*janela, 5, 5);
        MoverSobreAPagina(*janela, vao);
        QContextMenuEvent evento(QContextMenuEvent::Mouse, vao, janela->imgPaginaCentral->mapToGlobal(vao));
        QApplication::sendEvent(janela->imgPaginaCentral, &evento);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activePopupWidget(), janela->mnmMenuFotoNaMoldura);
    }

    QString foto;
    QString outra;
};

TEST_F(FrameMenu, HasItsItemsInOrder)
{
    QStringList textos;
    for (QAction* a : janela->mnmMenuFotoNaMoldura->actions())
        textos << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(textos, (QStringList{"Inserir Ou Trocar Foto", "Remover Foto", "Repetir Foto Na Página", "-",
                                   "Editar Foto", "Capa CD && DVD", "-", "Analisar Foto e Moldura",
                                   "Ajustar Foto Na Moldura", "-", "Não Fazer Nada"}));
    QStringList ajustes;
    for (QAction* a : janela->mnuComoAjustar->actions())
        ajustes << a->text();
    EXPECT_EQ(ajustes, (QStringList{"Desproporcional, Esticar Na Moldura", "Proporcional, Fazendo Bordas",
                                    "Proporcional, Fazendo Cortes"}));
    EXPECT_EQ(janela->mniComoAjustarEstaFotoNaMoldura->menu(), janela->mnuComoAjustar);
}

TEST_F(FrameMenu, OpensOverAFrameOnlyWithItsStateAndCheckMark)
{
    MoverSobreAPagina(*janela, PixelDoMilimetro(*janela, 5, 5));
    QTest::mouseClick(janela->imgPaginaCentral, Qt::LeftButton, {}, PixelDoMilimetro(*janela, 5, 5));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a click over a gap opens nothing";

    QMenu* menu = AbrirMenuDaMoldura(*janela, 0);
    ASSERT_EQ(menu, janela->mnmMenuFotoNaMoldura);
    EXPECT_TRUE(janela->mniInserirUmaFoto->isEnabled());
    // The items that need a photo in the frame.
    const QList<QAction*> daFoto{janela->mniRemoverEstaFoto, janela->mniRepetirEstaFoto,
                                 janela->mniComoAjustarEstaFotoNaMoldura, janela->mniEditarEstaFotoEfeitos,
                                 janela->mniEditarEstaFotoTextosETrabalhos, janela->mniAnalisarEstaFoto};
    for (QAction* a : daFoto)
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(janela->mniNada01->isEnabled());
    // It pops up where the mouse stands.
    const QPoint esperado = janela->imgPaginaCentral->mapToGlobal(CentroDaMoldura(*janela, 0));
    EXPECT_EQ(menu->pos(), esperado);
    FecharMenu();

    janela->SetarFotoNaPaginaAtual(1, 1, foto);
    menu = AbrirMenuDaMoldura(*janela, 1);
    ASSERT_NE(menu, nullptr);
    for (QAction* a : daFoto)
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(janela->mniAjustarDespropoircionalEsticado->isChecked());
    EXPECT_TRUE(janela->mniAjustarProporcionalPorDentro->isChecked());
    EXPECT_FALSE(janela->mniAjustarProporcionalPorFora->isChecked());
    FecharMenu();

    // The right button opens the same menu; over a gap the items keep the previous state.
    AbrirSobreOVao();
    EXPECT_TRUE(janela->mniRemoverEstaFoto->isEnabled());
    EXPECT_TRUE(janela->mniAjustarProporcionalPorDentro->isChecked());
    // ... and every command does nothing there.
    const QStringList pilha = Registros(*janela, 2);
    EscolherNoMenu(*janela, janela->mniRemoverEstaFoto);
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, foto);
    EXPECT_EQ(Registros(*janela, 2), pilha);
}

TEST_F(FrameMenu, ItemsAreMeasuredByTheirMenu)
{
    // 220 pixels, or more where a caption in the font in use (with its margins of 10 and a
    // submenu's arrow) would not fit: a caption is never clipped.
    const QFontMetrics medidas(FonteDoMenu());
    auto precisa = [&](QAction* a, const QString& prefixo) {
        return 10 + medidas.horizontalAdvance(prefixo + a->text().trimmed()) + 10 + (a->menu() ? 20 : 0);
    };
    int largura = 220;
    for (QAction* a : janela->mnmMenuFotoNaMoldura->actions())
        largura = std::max(largura, precisa(a, QString()));
    EXPECT_GT(largura, 220) << "the font standing in for Verdana is wider: the arrow item must grow";
    QMenu* menu = AbrirMenuDaMoldura(*janela, 0);
    ASSERT_NE(menu, nullptr);
    int y = 0;
    for (QAction* a : janela->mnmMenuFotoNaMoldura->actions()) {
        EXPECT_EQ(menu->actionGeometry(a), QRect(0, y, largura, 20)) << a->text().toStdString();
        y += 20;
    }
    EXPECT_EQ(menu->size(), QSize(largura, 11 * 20));
    // Rows not highlighted are $808080.
    const QImage imagem = menu->grab().toImage();
    EXPECT_EQ(imagem.pixelColor(3, 20 * 10 + 2), QColor(128, 128, 128));
    EXPECT_EQ(imagem.pixelColor(3, 20 * 3 + 10), QColor(128, 128, 128)) << "a blank row";
    FecharMenu();

    EXPECT_EQ(MedidaDoItem(*janela, janela->mniAjustarProporcionalPorFora),
              QSize(std::max(360, precisa(janela->mniAjustarProporcionalPorFora, QStringLiteral("(    )   "))), 20));
    EXPECT_GE(MedidaDoItem(*janela, janela->mniAjustarDespropoircionalEsticado).width(),
              precisa(janela->mniAjustarDespropoircionalEsticado, QStringLiteral("( • )   ")));
    EXPECT_EQ(MedidaDoItem(*janela, janela->mniNada01), QSize(220, 20));
}

// The item as its drawing rules give it: the background, then the text at 10 pixels in bold 11-point
// Verdana, vertically centred.
QImage ItemEsperado(int largura, const QString& texto, QColor fundo, QColor tinta)
{
    QImage imagem(largura, 20, QImage::Format_RGB32);
    imagem.fill(fundo);
    QPainter p(&imagem);
    p.setFont(FonteDoMenu());
    p.setPen(tinta);
    p.drawText(QRect(10, 0, largura - 10, 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texto);
    return imagem;
}

QImage ItemDesenhado(TfrmPrincipal& janela, QAction* item, int largura, bool selecionado)
{
    platform::Bitmap bitmap(largura, 20);
    janela.DesenharItemDeMenuOnDraw(item, bitmap.GetCanvas(), Rect{0, 0, largura, 20}, selecionado);
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

TEST_F(FrameMenu, FitItemsCarryTheirMarkAsAPrefix)
{
    janela->SetarFotoNaPaginaAtual(0, 1, foto);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 0), nullptr);
    FecharMenu();
    const QColor cinza(128, 128, 128), branco(255, 255, 255), escuro = platform::toQColor(platform::cl3DDkShadow);
    // One ampersand shows; a disabled item is written in black; the top-level items have no prefix.
    const struct {
        QAction* TfrmPrincipal::*item;
        int largura;
        bool selecionado, habilitado;
        QString texto;
        QColor fundo, tinta;
    } casos[] = {
        {&TfrmPrincipal::mniAjustarProporcionalPorDentro, 360, false, true, "( • )   Proporcional, Fazendo Bordas", cinza, branco},
        {&TfrmPrincipal::mniAjustarProporcionalPorFora, 360, false, true, "(    )   Proporcional, Fazendo Cortes", cinza, branco},
        {&TfrmPrincipal::mniAjustarDespropoircionalEsticado, 360, true, true, "(    )   Desproporcional, Esticar Na Moldura",
         escuro, branco},
        {&TfrmPrincipal::mniEditarEstaFotoTextosETrabalhos, 220, false, true, "Capa CD & DVD", cinza, branco},
        {&TfrmPrincipal::mniAnalisarEstaFoto, 220, false, true, "Analisar Foto e Moldura", cinza, branco},
        {&TfrmPrincipal::mniAnalisarEstaFoto, 220, false, false, "Analisar Foto e Moldura", cinza, QColor(0, 0, 0)},
        {&TfrmPrincipal::mniRemoverEstaFoto, 220, false, true, "Remover Foto", cinza, branco},
        {&TfrmPrincipal::mniN0101, 220, false, true, "", cinza, branco},
    };
    for (const auto& c : casos) {
        QAction* item = janela.get()->*c.item;
        if (!c.habilitado)
            item->setEnabled(false);
        EXPECT_EQ(ItemDesenhado(*janela, item, c.largura, c.selecionado), ItemEsperado(c.largura, c.texto, c.fundo, c.tinta))
            << c.texto.toStdString() << (c.habilitado ? "" : ", disabled");
    }
}

TEST_F(FrameMenu, InsertPlacesTheChosenFileKeepingTheFitMode)
{
    janela->Foto(0, 2).Ajuste = 2;
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 2), nullptr);
    {
        AtendenteCom atendente({}, {QString()}); // cancelled
        EscolherNoMenu(*janela, janela->mniInserirUmaFoto);
        EXPECT_EQ(atendente.inesperadas, 0);
    }
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, QString());
    EXPECT_EQ(Registros(*janela, 1), QStringList{"-"});
    EXPECT_FALSE(janela->Modificado());

    ASSERT_NE(AbrirMenuDaMoldura(*janela, 2), nullptr);
    {
        AtendenteCom atendente({}, {foto});
        EscolherNoMenu(*janela, janela->mniInserirUmaFoto);
    }
    EXPECT_EQ(janela->opdFoto->windowTitle(), QStringLiteral("Escolher Foto Para Integrar o Trabalho"));
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, foto);
    EXPECT_EQ(janela->Foto(0, 2).Ajuste, 2);
    EXPECT_TRUE(janela->Modificado());
    EXPECT_EQ(Registros(*janela, 2), (QStringList{"2 2 ", "-"}));

    // The frame now shows the photo: its middle is green.
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 2), QColor(0, 255, 0)));
}

TEST_F(FrameMenu, RemoveEmptiesTheFrameAndUndoBringsThePhotoBackWithItsMode)
{
    janela->SetarFotoNaPaginaAtual(3, 1, foto);
    janela->Documento().setModified(false);
    EscolherNaMoldura(3, janela->mniRemoverEstaFoto);
    EXPECT_EQ(janela->Foto(0, 3).NomeDoArquivo, QString());
    // The removal passes the mode on, but the page view shows an empty frame with the empty-frame
    // picture, which always stretches (mode 0).
    EXPECT_EQ(janela->Foto(0, 3).Ajuste, 0);
    EXPECT_EQ(Registros(*janela, 1), QStringList{"3 1 " + foto});
    EXPECT_TRUE(janela->Modificado());

    janela->Documento().setModified(false);
    Clicar(janela->spdDesfazer);
    EXPECT_EQ(janela->Foto(0, 3).NomeDoArquivo, foto);
    EXPECT_EQ(janela->Foto(0, 3).Ajuste, 1);
    EXPECT_FALSE(janela->Modificado()) << "undo leaves the modified flag alone";
}

TEST_F(FrameMenu, RepeatFillsEveryFramePushingOneRecordEach)
{
    janela->SetarFotoNaPaginaAtual(0, 0, outra);
    janela->SetarFotoNaPaginaAtual(2, 2, foto);
    EscolherNaMoldura(2, janela->mniRepetirEstaFoto);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(janela->Foto(0, j).NomeDoArquivo, foto) << j;
        EXPECT_EQ(janela->Foto(0, j).Ajuste, 2) << j;
    }
    // Four records, frame 3 on top; the source frame is among them.
    EXPECT_EQ(Registros(*janela, 5), (QStringList{"3 0 ", "2 2 " + foto, "1 0 ", "0 0 " + outra, "2 0 "}));

    janela->spdDesfazerClick();
    EXPECT_EQ(janela->Foto(0, 3).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, foto);
    janela->spdDesfazerClick();
    janela->spdDesfazerClick();
    janela->spdDesfazerClick();
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, outra);
    EXPECT_EQ(janela->Foto(0, 0).Ajuste, 0);
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, foto) << "the source frame held its photo before too";
}

TEST_F(FrameMenu, FitModesPushOnlyForAChange)
{
    janela->SetarFotoNaPaginaAtual(1, 0, foto);
    janela->Documento().setModified(false);
    EscolherNaMoldura(1, janela->mniAjustarProporcionalPorFora);
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 2);
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, foto);
    EXPECT_TRUE(janela->Modificado());
    // Above the placement's record.
    EXPECT_EQ(Registros(*janela, 3), (QStringList{"1 0 " + foto, "1 0 ", "-"}));

    // The mode already in force: nothing.
    janela->Documento().setModified(false);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_TRUE(janela->mniAjustarProporcionalPorFora->isChecked());
    EscolherNoMenu(*janela, janela->mniAjustarProporcionalPorFora);
    EXPECT_FALSE(janela->Modificado());
    EXPECT_EQ(Registros(*janela, 3), (QStringList{"1 0 " + foto, "1 0 ", "-"}));

    EscolherNaMoldura(1, janela->mniAjustarProporcionalPorDentro);
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 1);
    janela->spdDesfazerClick();
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 2);
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, foto);
}

TEST_F(FrameMenu, ChoosingAFitItemLeavesTheMarksAsThePopupSetThem)
{
    janela->SetarFotoNaPaginaAtual(1, 1, foto);
    auto marcas = [&] {
        return QList<bool>{janela->mniAjustarDespropoircionalEsticado->isChecked(),
                           janela->mniAjustarProporcionalPorDentro->isChecked(),
                           janela->mniAjustarProporcionalPorFora->isChecked()};
    };

    // The mode already in force: its mark stays.
    EscolherNaMoldura(1, janela->mniAjustarProporcionalPorDentro);
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 1);
    AbrirSobreOVao();
    EXPECT_EQ(marcas(), (QList<bool>{false, true, false}));
    FecharMenu();

    // Another mode: the frame changes, the marks wait for the next popup over a frame.
    EscolherNaMoldura(1, janela->mniAjustarProporcionalPorFora);
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 2);
    AbrirSobreOVao();
    EXPECT_EQ(marcas(), (QList<bool>{false, true, false}));
    FecharMenu();
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_EQ(marcas(), (QList<bool>{false, false, true}));
}

} // namespace
} // namespace lumoria::test
