// The program's argument as start-up and the install modes read it.
#include <gtest/gtest.h>

#include "install/command_line.h"
#include "install/install_modes.h"

using namespace lumoria;

namespace {

TEST(ParametroDaLinhaDeComando, JoinsTrimsAndStripsTheOuterQuotes)
{
    const struct {
        QStringList argumentos;
        const char* parametro;
    } casos[] = {
        {{}, ""},
        {{"   "}, ""},
        {{"/fotos/meu trabalho.pvo"}, "/fotos/meu trabalho.pvo"},
        {{"/fotos/meu", "trabalho.pvo"}, "/fotos/meu trabalho.pvo"},
        {{"  \"\"/fotos/a b.pvo\"  "}, "/fotos/a b.pvo"},
        {{"\"a b\"", "\"c\""}, "a b\" \"c"},
        {{"\" <instalar> \""}, " <instalar> "},
        {{"<INSTALAR>", "agora"}, "<INSTALAR> agora"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ParametroDaLinhaDeComando(c.argumentos), QString::fromUtf8(c.parametro)) << c.argumentos.join('|').toStdString();
}

TEST(NomeDoDesinstalador, GoesBeforeTheExtensionOrAtTheEnd)
{
    const struct {
        const char* programa;
        const char* desinstalador;
    } casos[] = {
        {"lumoria", "lumoria_Desinstalar"},
        {"Lumoria", "Lumoria_Desinstalar"},
        {"lumoria.bin", "lumoria_Desinstalar.bin"},
        {"lumoria.v1.AppImage", "lumoria.v1_Desinstalar.AppImage"},
        {".lumoria", ".lumoria_Desinstalar"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(NomeDoDesinstalador(QString::fromUtf8(c.programa)), QString::fromUtf8(c.desinstalador));
}

} // namespace
