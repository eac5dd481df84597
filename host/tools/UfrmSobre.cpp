#include "UfrmSobre.h"

#include "NumberFormat.h"

namespace zv {

const char* const TfrmSobre::kRotulosValor[13] = {
    "lblversao",    "lblDigitNome1",  "lblDigitNome2",  "lblDigitVersao1", "lblDigitVersao2",
    "lblProcDesc1", "lblProcDesc2",   "lblProcVersao1", "lblProcVersao2",  "lblConeDesc1",
    "lblConeDesc2", "lblConeVersao1", "lblConeVersao2"};

void TfrmSobre::FormShow() {
  for (const char* rotulo : kRotulosValor) view_.SetText(rotulo, kVazio);

  // Only the low 16 bits of the build number tell a release from a stable build.
  view_.SetText("lblversao", versao_.fileVersion +
                                 ((versao_.buildNumber & 0xFFFF) != 0 ? " release" : " stable"));

  view_.SetText("lblConeDesc1", "Tipo do cone");
  view_.SetText("lblConeDesc2", "Número de anéis");
  const std::string cone = infos_.TipoCone ? infos_.TipoCone : "";
  view_.SetText("lblConeVersao1", cone);
  int tipo = 0;
  // A cone type that is no number is left like any unknown type.
  if (TryStrToInt(cone, tipo)) {
    static const char* const kAneis[4] = {"16 (cone pequeno)", "16 (cone grande)", "32 (1a versao)",
                                          "32 (atual)"};
    if (tipo >= 1 && tipo <= 4) view_.SetText("lblConeVersao2", kAneis[tipo - 1]);
  }

  MostraModulo(paths_.ModDigitalizacao, "lblDigitNome1", "lblDigitVersao1");
  MostraModulo(paths_.ModProcessamento, "lblProcDesc1", "lblProcVersao1");
  MostraModulo(paths_.ModDigitalizacaoOrto, "lblDigitNome2", "lblDigitVersao2");
  MostraModulo(paths_.ModProcOrto, "lblProcDesc2", "lblProcVersao2");
}

void TfrmSobre::MostraModulo(const char* path, const char* rotuloDescricao,
                             const char* rotuloVersao) {
  const std::string arquivo = path ? path : "";
  const auto linhas = modulos_.Descricao(arquivo);
  if (!linhas) return;
  // A module that describes itself with nothing keeps the empty mark.
  if (!linhas->empty()) view_.SetText(rotuloDescricao, linhas->front());
  const std::string versao = modulos_.Versao(arquivo);
  if (!versao.empty()) view_.SetText(rotuloVersao, versao);
}

}  // namespace zv
