#pragma once
// The fixed reference table of print resolutions: thirteen camera resolutions against nineteen
// print sizes, in dots per inch over the printed area.
#include <QString>

#include <optional>

namespace lumoria {

inline constexpr int kColunasDaTabela = 22; // name, megapixels, proportion, then the print sizes
inline constexpr int kLinhasDaTabela = 14;  // the header, then the camera resolutions

// The text of a cell, numbers under the user's locale; empty outside the table.
QString TextoDaCelulaDaTabela(int coluna, int linha);

// The whole number a resolution cell shows ("1.126 DPI" gives 1126), read from its digits alone so
// that any locale's separators go; nothing for a cell without " DPI".
std::optional<long long> ResolucaoDaCelula(const QString& texto);

} // namespace lumoria
