#pragma once
// Readable failure output for the album's value types, and checks several album tests share.
#include <gtest/gtest.h>

#include "album/album_document.h"
#include "platform/rect.h"

#include <QString>

#include <ostream>

namespace lumoria {

inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

inline Rect frameRect(const TFoto& f) { return {f.Left, f.Top, f.Right, f.Bottom}; }
inline Rect pageRect(const TPagina& p) { return {p.Left, p.Top, p.Right, p.Bottom}; }

// The relayout of the current page, as the window's size lists run it.
inline const PageLegend& relayout(AlbumDocument& doc, bool lembrar, int paper, int photo)
{
    return doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(lembrar, {paper, photo});
}

// What a new job and a failed read leave: one empty A4 page of "9 x 12" laid out, unmodified.
inline void expectOneDefaultPage(const AlbumDocument& doc)
{
    ASSERT_EQ(doc.Album().pageCount(), 1);
    EXPECT_EQ(doc.currentPageIndex(), 0);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.frameUnderMouse(), -1);
    EXPECT_EQ(doc.legenda().caption, QStringLiteral("4 Fotos Por Folha"));
    EXPECT_EQ(pageRect(doc.Pagina(0)), (Rect{0, 0, 210, 297}));
    ASSERT_EQ(doc.Pagina(0).frameCount(), 4);
    EXPECT_EQ(frameRect(doc.Foto(0, 0)), (Rect{15, 28, 105, 148}));
    for (const TFoto& f : doc.Pagina(0).Fotos)
        EXPECT_EQ(f.NomeDoArquivo, QString());
}

} // namespace lumoria

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
