// multimaps_screenshots OUTDIR: the selection and the map windows of the three multi-map
// modules, called through the host's binding on exams rendered by the simulated camera, saved
// as PNG files in OUTDIR.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bin/multimaps_screenshots docs/screenshots
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <cstdio>
#include <cstring>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "ModeloOlho.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBMapasDLL.h"

namespace {

using zv::test::Exame;
using zv::test::QuandoAparecer;

QString saida;

void Fotografa(QWidget* janela, const char* nome) {
  zv::test::Fotografa(janela, saida + "/" + nome);
}

std::unique_ptr<Exame> Olho(const captura::ModeloOlho& modelo, const std::string& coef) {
  return zv::test::ProcessaImagem(placido::Render(captura::Cena(modelo, 32, 4)), coef);
}

void Mostra(QWidget* hospedeiro, const char* modulo, const std::vector<const Exame*>& exames,
            const std::vector<std::string>& linhas, const char* fotoWizard, const char* fotoMapa) {
  zv::UBMapasDLL::CarregaModulo(zv::test::BinDir() + "/" + modulo + ".so");
  zv::MemoryStream lista, selecionados, extra;
  zv::StreamWriteLines(lista.Handle(), linhas);
  QuandoAparecer("frmSelecaoExames", [&](QWidget* j) {
    for (int i = 1; auto* c = j->findChild<QComboBox*>(QString("cmbExame%1").arg(i)); ++i) {
      c->setCurrentIndex(c->count() > 1 && i == 4 ? 1 : 0);
      emit c->activated(c->currentIndex());
    }
    Fotografa(j, fotoWizard);
    j->close();
  });
  TInfosZV infos{};
  infos.NumAneis = 32;
  infos.FatorCorrecao = 0.024;
  if (std::strcmp(modulo, "Horvat") == 0)
    zv::UBMapasDLL::WizardOrto(hospedeiro, lista.Handle(), selecionados.Handle(), extra.Handle(), 1,
                               infos);
  else
    zv::UBMapasDLL::Wizard(hospedeiro, lista.Handle(), selecionados.Handle(), extra.Handle(),
                           infos);

  const int32_t n = static_cast<int32_t>(exames.size());
  std::vector<std::unique_ptr<zv::MemoryStream>> cabecalhos;
  std::vector<TZVStream*> handles;
  std::unique_ptr<TMatrizAngAnel[]> pixels(new TMatrizAngAnel[n]), dioptrias(new TMatrizAngAnel[n]);
  std::unique_ptr<TMatrizAng[]> aneis(new TMatrizAng[n]);
  std::vector<TPupila> pupilas(n);
  for (int k = 0; k < n; ++k) {
    const std::string& linha = linhas[k];
    const size_t olho = linha.find("Olho");
    const std::string semPrefixo = linha.substr(olho);
    cabecalhos.push_back(std::make_unique<zv::MemoryStream>());
    const size_t traco = semPrefixo.find(" - ");
    zv::StreamWriteLines(cabecalhos.back()->Handle(),
                         {"Maria Aparecida Souza", "12", "12.345.678-9",
                          semPrefixo.substr(0, traco), semPrefixo.substr(traco + 3, 10),
                          semPrefixo.substr(traco + 14), "Dra. Helena Prado", "98"});
    handles.push_back(cabecalhos.back()->Handle());
    std::memcpy(pixels[k], exames[k]->pixels, sizeof(TMatrizAngAnel));
    std::memcpy(dioptrias[k], exames[k]->dioptrias, sizeof(TMatrizAngAnel));
    std::memcpy(aneis[k], exames[k]->aneis, sizeof(TMatrizAng));
  }
  zv::MemoryStream escolhidas;
  zv::StreamWriteLines(escolhidas.Handle(), linhas);
  QuandoAparecer("frmMultiMapas", [&](QWidget* j) {
    auto* mapa = j->findChild<QLabel*>("imgMapa1");
    zv::test::MovePonteiro(mapa, 1.5, 60);
    Fotografa(j, fotoMapa);
    j->close();
  });
  zv::UBMapasDLL::ProcessaMapas(hospedeiro, {handles.data(), n}, {pixels.get(), n},
                                {aneis.get(), n}, {dioptrias.get(), n}, {pupilas.data(), n}, n,
                                escolhidas.Handle(), infos);
  zv::UBMapasDLL::LiberaModulo();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: multimaps_screenshots OUTDIR\n");
    return 2;
  }
  saida = argv[1];
  zv::test::TempDir calibracao;
  zv::WriteSimulatedCalibration(calibracao / "Coef.txt", 32);
  const std::string coef = calibracao / "Coef.txt";
  QWidget hospedeiro;
  hospedeiro.setWindowTitle("Zarvik");
  hospedeiro.resize(1000, 740);
  hospedeiro.show();

  // A keratoconus followed over a year, right eye; a toric left eye; an ortho-k follow-up.
  std::vector<std::unique_ptr<Exame>> cone;
  for (double altura : {0.010, 0.016, 0.022, 0.028}) {
    captura::ModeloOlho m;
    m.tipo = captura::TipoModelo::Ceratocone;
    m.coneAltura = altura;
    cone.push_back(Olho(m, coef));
  }
  captura::ModeloOlho toro;
  toro.tipo = captura::TipoModelo::Torica;
  toro.eixoCurvo = 100;
  const auto esquerdo = Olho(toro, coef);
  const auto serie = captura::SerieOrto(captura::ModeloOlho{});
  const auto antes = Olho(serie[0], coef), depois = Olho(serie[3], coef);

  Mostra(&hospedeiro, "Quillon", {cone[0].get(), cone[1].get(), cone[2].get(), cone[3].get()},
         {"Olho Direito - 10/01/2026 09:30:00", "Olho Direito - 10/04/2026 09:30:00",
          "Olho Direito - 10/07/2026 09:30:00", "Olho Direito - 10/10/2026 09:30:00"},
         "quillon-selecao.png", "quillon-mapas.png");
  Mostra(&hospedeiro, "Sennet", {cone[3].get(), esquerdo.get()},
         {"Olho Direito - 10/10/2026 09:30:00", "Olho Esquerdo - 10/10/2026 09:35:00"},
         "sennet-selecao.png", "sennet-mapas.png");
  Mostra(&hospedeiro, "Horvat", {antes.get(), depois.get()},
         {"TOlho Direito - 10/01/2026 09:30:00", "OOlho Direito - 13/01/2026 09:30:00"},
         "horvat-selecao.png", "horvat-mapas.png");
  return 0;
}
