// The export of every page as a picture file at 300 dots per inch, with the progress window.
#include "main_window_fixture.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>

#include "common/small_dialogs.h"
#include "platform/graphics/picture.h"

namespace lumoria::test {
namespace {

struct Visto {
    bool janelaVisivel = true;
    QString titulo;
    QString rotulo;
    QString percentual;
    int maximo = -1;
};

QImage Abrir(const QString& arquivo)
{
    platform::Picture figura;
    figura.LoadFromFile(arquivo);
    if (!figura.GetGraphic())
        return {};
    platform::Bitmap bitmap;
    bitmap.Assign(*figura.GetGraphic());
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

class PageExport : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        pasta = freshFolder(QStringLiteral("exportacao"));
        janela->SetarFotoNaPaginaAtual(0, 0, FotoDeTeste(QStringLiteral("vermelha.bmp"), 300, 400, Qt::red));
        Paginas(2, 1);
        EscolherNaLista(janela->cbxDimensaoDoPapel, 2); // 10 x 15 paper
        janela->SetarFotoNaPaginaAtual(0, 0, FotoDeTeste(QStringLiteral("azul.bmp"), 400, 300, Qt::blue));
    }

    // Runs the export and notes, while it runs, the window's state and the progress window.
    QList<Visto> Exportar(const QString& nome)
    {
        QList<Visto> vistos;
        QTimer observador;
        QObject::connect(&observador, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<TfrmDialogoProgresso*>(w); p && p->isVisible())
                    vistos.append({janela->isVisible(), p->windowTitle(), p->LabelText(), p->lblProgresso->text(),
                                   p->prbProgresso->maximum()});
        });
        observador.start(0);
        janela->GravarAlbumEmFormatoNaoProprietarioBMPJPG(nome);
        return vistos;
    }

    QString pasta;
};

TEST_F(PageExport, EveryPageBecomesAPictureAtThreeHundredDotsPerInchABitmapForBmpAndAJpegOtherwise)
{
    const struct {
        QString nome, pagina;
        QByteArray inicio;
        int tolerancia; // JPEG shifts colours a little
    } casos[] = {{QStringLiteral("/album .BMP"), QStringLiteral("/album - Pg 0000%1.BMP"), "BM", 0},
                 {QStringLiteral("/album.jpg"), QStringLiteral("/album - Pg 0000%1.jpg"), "\xFF\xD8", 8}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome.toStdString());
        const QList<Visto> vistos = Exportar(pasta + c.nome);
        EXPECT_TRUE(janela->isVisible());
        EXPECT_TRUE(readFile(pasta + c.pagina.arg(1)).startsWith(c.inicio));
        const QImage pagina1 = Abrir(pasta + c.pagina.arg(1));
        const QImage pagina2 = Abrir(pasta + c.pagina.arg(2));
        EXPECT_FALSE(QFile::exists(pasta + c.pagina.arg(3)));
        // A4: Round(210 * 300 / 25.4) x Round(297 * 300 / 25.4); 10 x 15: 1181 x 1772.
        ASSERT_EQ(pagina1.size(), QSize(2480, 3508));
        ASSERT_EQ(pagina2.size(), QSize(1181, 1772));
        // Frame 0 of page 1 is (15, 28)-(105, 148) mm; its middle, 60 x 88 mm, is at 709 x 1039 dots.
        EXPECT_TRUE(Near(pagina1.pixelColor(709, 1039), QColor(255, 0, 0), c.tolerancia));
        EXPECT_TRUE(Near(pagina1.pixelColor(20, 20), QColor(255, 255, 255), c.tolerancia));
        // Page 2 holds one frame over the whole sheet.
        EXPECT_TRUE(Near(pagina2.pixelColor(590, 886), QColor(0, 0, 255), c.tolerancia));

        ASSERT_FALSE(vistos.isEmpty());
        EXPECT_FALSE(vistos[0].janelaVisivel) << "the main window hides meanwhile";
        EXPECT_EQ(vistos[0].titulo, QStringLiteral("Progresso da Gravação"));
        EXPECT_EQ(vistos[0].rotulo, QStringLiteral("\r\nLumoria v1.0\r\n\r\nGravando Cada Página do Trabalho\r\n"
                                                   "Em Um Arquivo de Imagem Independente."));
        EXPECT_EQ(vistos[0].maximo, 2);
        QStringList percentuais;
        for (const Visto& v : vistos)
            if (!percentuais.contains(v.percentual))
                percentuais << v.percentual;
        EXPECT_TRUE(percentuais.contains(QStringLiteral("50% Já Executado"))) << percentuais.join('|').toStdString();
    }
}

} // namespace
} // namespace lumoria::test
