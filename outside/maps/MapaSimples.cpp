// The exported entry points of a single-map module, built once per map kind (ZV_MAPA_KIND, see
// ModuloMapa.h).  ProcessaMapa and ProcessaMapaOrto show the map window modally over the
// host's window; Visualizar draws the browser's small picture and fills the report's indices.
// No C++ exception reaches the host.
#include <QWidget>
#include <type_traits>

#include "ImagemStream.h"
#include "ModuleApplication.h"
#include "ModuloMapa.h"
#include "PinturaMapa.h"
#include "Streams.h"
#include "TfrmMapaSimples.h"
#include "UBConstantes.h"

#define MAPA_EXPORT extern "C" __attribute__((visibility("default")))
#define ZV_TEXTO(x) ZV_TEXTO2(x)
#define ZV_TEXTO2(x) #x

namespace mapas {
namespace {

constexpr PerfilModulo kPerfil = PerfilDe(static_cast<ModuloMapa>(ZV_MAPA_KIND));
constexpr char kSemJanelas[] = "O módulo de mapas precisa de uma aplicação com janelas.";

int NumeroDeAneis(const TInfosZV& infos) {
  return infos.NumAneis == 16 ? 16 : 32;
}

GradePotencia Grade(const TMatrizAngAnel* pixels, const TMatrizAng* aneis,
                    const TMatrizAngAnel* dioptrias, const TInfosZV& infos) {
  if (!pixels || !aneis || !dioptrias) return GradePotencia{};
  return CalculaGrade(kPerfil.tipo, *pixels, *aneis, *dioptrias, NumeroDeAneis(infos),
                      MilimetrosPorPixel(infos.FatorCorrecao));
}

// A picture the host may or may not have given; anything unreadable is simply not shown.
QImage ImagemOpcional(TZVStream* stream) {
  std::string motivo;
  return stream && stream->Size(stream->context) > 0 ? zv::LeBitmap(stream, motivo) : QImage();
}

std::array<int32_t, 4> Pupila(const TPupila* pupila) {
  if (!pupila) return {};
  return {(*pupila)[0], (*pupila)[1], (*pupila)[2], (*pupila)[3]};
}

int32_t MostraMapa(QWidget* pai, TZVStream* central, TZVStream* lateral, double cx, double cy,
                   TZVStream* cabecalho, const TMatrizAngAnel* pixels, const TMatrizAng* aneis,
                   const TMatrizAngAnel* dioptrias, const TPupila* pupila,
                   const double* valoresOrto, const TInfosZV& infos) {
  DadosMapa dados;
  dados.titulo = kPerfil.descricao;
  dados.tipo = kPerfil.tipo;
  dados.escalaNormalizada = kPerfil.escalaNormalizada;
  dados.grade = Grade(pixels, aneis, dioptrias, infos);
  if (dados.grade.Vazia()) {
    zv::ReportModuleFailure(pai, "Mapa",
                            "O exame não possui anéis válidos: não há mapa para mostrar.");
    return 0;
  }
  dados.ceratometria = CalculaCeratometria(dados.grade);
  if (cabecalho) {
    zv::StreamRewind(cabecalho);
    dados.cabecalho = zv::StreamReadLines(cabecalho);
  }
  dados.central = ImagemOpcional(central);
  dados.lateral = ImagemOpcional(lateral);
  dados.pupila = Pupila(pupila);
  dados.cx = cx;
  dados.cy = cy;
  if (valoresOrto) dados.valoresOrto = {valoresOrto[0], valoresOrto[1], valoresOrto[2]};
  TfrmMapaSimples janela(pai, std::move(dados));
  return janela.exec();
}

}  // namespace
}  // namespace mapas

using namespace mapas;

MAPA_EXPORT int32_t ProcessaMapa(void* Handle, TZVStream* Central, TZVStream* Lateral,
                                 double CentroX, double CentroY, TZVStream* Cabecalho,
                                 const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                                 const TMatrizAngAnel* Dioptrias, const TPupila* Pupila,
                                 TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(pai, {"Mapa", kSemJanelas, "Não foi possível mostrar o mapa"}, [&] {
    return MostraMapa(pai, Central, Lateral, CentroX, CentroY, Cabecalho, Pixels, Aneis, Dioptrias,
                      Pupila, nullptr, Infos);
  });
}

MAPA_EXPORT int32_t ProcessaMapaOrto(void* Handle, TZVStream* Central, TZVStream* Lateral,
                                     double CentroX, double CentroY, TZVStream* Cabecalho,
                                     const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                                     const TMatrizAngAnel* Dioptrias, const TPupila* Pupila,
                                     const double* ValoresOrto, TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  const double zeros[3] = {0, 0, 0};
  return zv::RunModuleEntry(pai, {"Mapa", kSemJanelas, "Não foi possível mostrar o mapa"}, [&] {
    return MostraMapa(pai, Central, Lateral, CentroX, CentroY, Cabecalho, Pixels, Aneis, Dioptrias,
                      Pupila, ValoresOrto ? ValoresOrto : zeros, Infos);
  });
}

MAPA_EXPORT int32_t Visualizar(void* Handle, TZVStream* Bitmap, void*, int32_t, double, double,
                               const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                               const TMatrizAngAnel* Dioptrias, const TPupila*,
                               TIndicesMapa* Indices, int32_t, TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  if (Indices) std::fill(std::begin(*Indices), std::end(*Indices), 0.0);
  return zv::RunModuleEntry(pai, {"Mapa", kSemJanelas, "Não foi possível desenhar o mapa"}, [&] {
    const GradePotencia grade = Grade(Pixels, Aneis, Dioptrias, Infos);
    const Ceratometria k = CalculaCeratometria(grade);
    if (Indices) PreencheIndices(k, grade, *Indices);
    const Escala escala = kPerfil.escalaNormalizada
                              ? EscalaNormalizada(grade.Minimo(), grade.Maximo(), 0.5)
                              : EscalaAbsoluta(1.5);
    return zv::GravaBitmap(Bitmap, PintaMiniatura(grade, escala)) ? 1 : 0;
  });
}

MAPA_EXPORT void InfoMapa(TZVStream* Saida) {
  if (!Saida) return;
  try {
    Saida->Seek(Saida->context, 0, ZV_SEEK_END);
    zv::StreamWriteLines(Saida,
                         {kPerfil.descricao, "1", "1",
                          ZV_TEXTO(ZV_VERSION_MAJOR) "." ZV_TEXTO(ZV_VERSION_MINOR) "." ZV_TEXTO(
                              ZV_VERSION_PATCH) "." ZV_TEXTO(ZV_VERSION_BUILD)});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&ProcessaMapa), TProcessaMapa>);
static_assert(std::is_same_v<decltype(&ProcessaMapaOrto), TProcessaMapaOrto>);
static_assert(std::is_same_v<decltype(&Visualizar), TVisualizar>);
static_assert(std::is_same_v<decltype(&InfoMapa), TInfoMapa>);
