#include "album/printer_geometry.h"

#include "platform/failure.h"
#include "platform/numeric.h"
#include "platform/printing/printer.h"

namespace lumoria {

namespace {

constexpr long double kMmPorPolegada = 25.4L;

platform::PrinterDeviceValues valoresDaImpressoraAtual()
{
    const platform::PrinterDeviceValues v = platform::printerSystem().currentPrinter().deviceValues();
    if (v.dpiX <= 0 || v.dpiY <= 0)
        throw DivisionByZero();
    return v;
}

} // namespace

bool ExisteImpressoraInstalada() { return !platform::printerSystem().installedPrinters().isEmpty(); }

QString NomeDaTecnologiaDoDispositivo(int codigo)
{
    switch (codigo) {
    case 0: return QStringLiteral("Vector Plotter");
    case 1: return QStringLiteral("Raster Display");
    case 2: return QStringLiteral("Raster Printer");
    case 3: return QStringLiteral("Raster Camera");
    case 4: return QStringLiteral("Character Stream");
    case 5: return QStringLiteral("Metafile");
    case 6: return QStringLiteral("Display file");
    default: return QStringLiteral("Desconhecida");
    }
}

CaracteristicasDaImpressora ObterCaracteristicasDaImpressora()
{
    platform::Printer& impressora = platform::printerSystem().currentPrinter();
    CaracteristicasDaImpressora c;
    c.nome = impressora.name();
    c.porta = QStringLiteral("Local");
    // A list entry of the form "<printer> on <port>".
    const qsizetype on = c.nome.indexOf(QStringLiteral(" ON "), 0, Qt::CaseInsensitive);
    if (on >= 0) {
        c.porta = c.nome.mid(on + 4);
        c.nome = c.nome.left(on);
    }

    const platform::PrinterDeviceValues v = valoresDaImpressoraAtual();
    c.tecnologia = NomeDaTecnologiaDoDispositivo(v.technology);
    c.larguraFisica = v.physicalWidth;
    c.alturaFisica = v.physicalHeight;
    c.deslocamentoX = v.physicalOffsetX;
    c.deslocamentoY = v.physicalOffsetY;
    c.dpiX = v.dpiX;
    c.dpiY = v.dpiY;
    c.larguraPapelMm = RoundToInt32(c.larguraFisica * kMmPorPolegada / c.dpiX);
    c.alturaPapelMm = RoundToInt32(c.alturaFisica * kMmPorPolegada / c.dpiY);
    return c;
}

MedidasDaPaginaDaImpressora ObterMedidasDaPaginaDaImpressora()
{
    const platform::PrinterDeviceValues v = valoresDaImpressoraAtual();
    const std::int64_t R = v.clip.Right;
    const std::int64_t B = v.clip.Bottom;
    MedidasDaPaginaDaImpressora m;
    m.larguraImprimivel = static_cast<long double>(R) / v.dpiX * kMmPorPolegada;
    m.alturaImprimivel = static_cast<long double>(B) / v.dpiY * kMmPorPolegada;
    m.margemEsquerda = v.physicalOffsetX * kMmPorPolegada / v.dpiX;
    m.margemSuperior = v.physicalOffsetY * kMmPorPolegada / v.dpiY;
    m.margemDireita = (v.physicalWidth - R - v.physicalOffsetX) * kMmPorPolegada / v.dpiX;
    m.margemInferior = (v.physicalHeight - B - v.physicalOffsetY) * kMmPorPolegada / v.dpiY;
    return m;
}

} // namespace lumoria
