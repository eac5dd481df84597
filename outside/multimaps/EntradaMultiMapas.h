// What the entry points of the three multi-map modules do, once for all of them: check what the
// host passed, build each exam's maps, and run the selection or the map window.  Every function
// reports its own failures to the operator and returns the entry point's result; the exported
// functions only add the guard that keeps exceptions inside the module.
#pragma once
#include <QWidget>
#include <cstdint>
#include <string>

#include "SelecaoExames.h"
#include "UBConstantes.h"

namespace multimapas {

// Fewest and most exams each module shows.
int MinimoExames(ModuloMultiMapa modulo);
int MaximoExames(ModuloMultiMapa modulo);

// Wizard: shows the selection over `pai`; 1 with the chosen lines in `selecionados` (and the
// lines as listed, type prefix kept, in `extra`), 0 when cancelled or when the candidates
// cannot satisfy the module.
int32_t SelecionaExames(ModuloMultiMapa modulo, QWidget* pai, TZVStream* lista,
                        TZVStream* selecionados, TZVStream* extra, bool ortoDisponivel);

// ProcessaMapas, standard list: shows the maps of the `numExames` exams.
int32_t MostraMapas(ModuloMultiMapa modulo, QWidget* pai, const TDadosPac& cabecalhos,
                    const TMatrizesAngAnel& pixels, const TMatrizesAng& aneis,
                    const TMatrizesAngAnel& dioptrias, int32_t numExames, TZVStream* saidaWizard,
                    const TInfosZV& infos);

// InfoMapa: description, kind "2" (multi map with its own selection), number of maps, version.
void EscreveInfo(ModuloMultiMapa modulo, TZVStream* saida, const std::string& versao);

void Falha(QWidget* pai, const std::string& texto);

}  // namespace multimapas
