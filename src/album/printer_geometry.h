#pragma once
// The current printer's geometry in the terms the page drawing and the print preview use.
#include <QString>

#include <cstdint>

namespace lumoria {

bool ExisteImpressoraInstalada();

// The device technology code as text ("Raster Printer" for 2, "Desconhecida" for unknown codes).
QString NomeDaTecnologiaDoDispositivo(int codigo);

struct CaracteristicasDaImpressora {
    QString nome;
    QString tecnologia;
    QString porta;
    std::int32_t larguraFisica = 0; // device pixels
    std::int32_t alturaFisica = 0;
    std::int32_t deslocamentoX = 0;
    std::int32_t deslocamentoY = 0;
    std::int32_t dpiX = 0;
    std::int32_t dpiY = 0;
    std::int32_t larguraPapelMm = 0; // whole millimetres
    std::int32_t alturaPapelMm = 0;
};

// Raises PrinterError without an installed printer, DivisionByZero for a printer without resolution.
CaracteristicasDaImpressora ObterCaracteristicasDaImpressora();

// Printable area and margins in millimetres, unrounded.
struct MedidasDaPaginaDaImpressora {
    long double larguraImprimivel = 0;
    long double alturaImprimivel = 0;
    long double margemEsquerda = 0;
    long double margemSuperior = 0;
    long double margemDireita = 0;
    long double margemInferior = 0;
};

MedidasDaPaginaDaImpressora ObterMedidasDaPaginaDaImpressora();

} // namespace lumoria
