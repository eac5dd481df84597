#include "UfrmCalib.h"

#include <cstdio>

#include "Errors.h"
#include "NumberFormat.h"
#include "Streams.h"
#include "TextFile.h"

namespace zv {
namespace {

constexpr const char* kFormatoUltimaCalib = "dd/MM/yyyy HH:mm:ss";
constexpr const char* kCaptionInfo = "Informação";

// "dd/MM/yyyy HH:mm:ss" (the time may be missing) back into a date-time.
bool LeDataHora(const std::string& texto, DateTime& quando) {
  const size_t espaco = texto.find(' ');
  if (!ParseDate(texto.substr(0, espaco), quando)) return false;
  if (espaco == std::string::npos) return true;
  int h = 0, m = 0, s = 0;
  char resto = 0;
  if (std::sscanf(texto.c_str() + espaco + 1, "%2d:%2d:%2d%c", &h, &m, &s, &resto) != 3)
    return false;
  if (h > 23 || m > 59 || s > 59 || h < 0 || m < 0 || s < 0) return false;
  quando.hour = h;
  quando.minute = m;
  quando.second = s;
  return true;
}

// Releases a module binding when the scope that loaded it ends, whatever way it ends.
class Liberacao {
 public:
  explicit Liberacao(std::function<void()> libera) : libera_(std::move(libera)) {}
  ~Liberacao() {
    if (libera_) libera_();
  }
  Liberacao(const Liberacao&) = delete;
  Liberacao& operator=(const Liberacao&) = delete;

 private:
  std::function<void()> libera_;
};

}  // namespace

TfrmCalib::TfrmCalib(FormView& view, Dialogs& dialogs, TBIniSettings& settings, TZVRecords& records,
                     ModulosCalibracao& modulos, void* handle,
                     std::function<void(const std::string&)> ajuda, char separador)
    : view_(view),
      dialogs_(dialogs),
      settings_(settings),
      records_(records),
      modulos_(modulos),
      handle_(handle),
      ajuda_(std::move(ajuda)),
      separador_(separador),
      dirCalibracao_(JoinPath(records.Paths.DirRaiz ? records.Paths.DirRaiz : "", "Calibração")) {}

void TfrmCalib::FormCreate() {
  view_.SetText("frmCalib", "Calibração");
  ultimaCalib_ = settings_.UltimaCalib();
  tipo_ = records_.Infos.TipoCalibrador == 0 ? kCalibrador1 : kCalibrador2;
  view_.SetChecked(tipo_ == kCalibrador1 ? "rbtCalibrador1" : "rbtCalibrador2", true);
  view_.SetVisible("pnlQualidade", false);
  MostraCalibrador();
}

void TfrmCalib::FormShow() {
  SelecionaEsfera(1);
  ParaAnimacao();
  MostraUltimaCalib();
}

void TfrmCalib::MostraUltimaCalib() {
  // A time that was never written (a fresh installation keeps a word there) shows as none.
  DateTime quando;
  view_.SetText("lblUltCalib", LeDataHora(ultimaCalib_, quando)
                                   ? FormatDateTime(kFormatoUltimaCalib, quando)
                                   : std::string("Nenhuma"));
}

void TfrmCalib::SelecionaEsfera(int k) {
  if (k <= 0) k = 1;
  if (k >= 6) k = 5;
  esfera_ = k;
  view_.SetText("sbtProcEsf", k == 5 ? "Salvar Calibração" : "Processar Esfera");
  view_.SetEnabled("sbtProcEsf", true);
  view_.SetText("lblRaio", k <= 4 ? TextoRaio(k, separador_) : std::string());
  if (tipo_ == kCalibrador2) {
    if (k > anterior_) {
      static const char* const kAvante[5] = {"cbr_mov1.dat", "cbr_mov1.dat", "cbr_mov2.dat",
                                             "cbr_mov3.dat", ""};
      TocaAnimacao(kAvante[k - 1]);
    } else {
      static const char* const kVolta[5] = {"cbr_mov1_ant.dat", "cbr_mov2_ant.dat",
                                            "cbr_mov3_ant.dat", "", ""};
      TocaAnimacao(kVolta[k - 1]);
      // The turret turned back past this sphere: it has to be measured again.
      if (k <= 4) feitas_[k - 1] = false;
    }
    view_.SetEnabled("sbtPrev", false);
    view_.SetEnabled("sbtNext", k == 1);
  } else {
    view_.SetEnabled("sbtPrev", k != 1);
    // Past sphere 4 there is no next sphere either.
    view_.SetEnabled("sbtNext", k < 4);
  }
  AtualizaDesenho();
}

void TfrmCalib::sbtPrevClick() {
  MostraEsferas(false);
  anterior_ = esfera_;
  SelecionaEsfera(esfera_ - 1);
  view_.SetTimer("Timer", true, kIntervaloTimer);
}

void TfrmCalib::sbtNextClick() {
  MostraEsferas(false);
  anterior_ = esfera_;
  SelecionaEsfera(esfera_ + 1);
  if (tipo_ == kCalibrador2 && esfera_ > 1) view_.SetEnabled("rgpTpCalib", false);
  view_.SetTimer("Timer", true, kIntervaloTimer);
}

void TfrmCalib::TimerTimer() {
  view_.SetEnabled("sbtPrev", esfera_ > 1);
  view_.SetEnabled("sbtNext", esfera_ < 4);
  view_.SetEnabled("rgpTpCalib", esfera_ == 1);
  view_.SetTimer("Timer", false, kIntervaloTimer);
  MostraEsferas(true);
}

void TfrmCalib::rgpTpCalibClick(int index) {
  tipo_ = index == 0 ? kCalibrador1 : kCalibrador2;
  records_.Infos.TipoCalibrador = static_cast<uint8_t>(tipo_);
  try {
    settings_.WriteSetting("Str", "OPCOES", "TIPOCALIBRADOR", IntToStr(tipo_), false);
  } catch (const IoError& e) {
    dialogs_.Message(std::string("Não foi possível gravar o tipo de calibrador.\r\n") + e.what(),
                     "Erro", MsgIcon::Error, MsgButtons::Ok);
  }
  SelecionaEsfera(1);
  ParaAnimacao();
  MostraCalibrador();
}

void TfrmCalib::sbtFecharClick() {
  view_.Close(0);
}

void TfrmCalib::SpeedButton3Click() {
  if (ajuda_) ajuda_(kTopicoAjuda);
}

void TfrmCalib::FormClose() {
  ParaAnimacao();
  view_.SetTimer("Timer", false, kIntervaloTimer);
}

void TfrmCalib::sbtProcEsfClick() {
  if (esfera_ == 5) {
    SalvaCalibracao();
  } else {
    ProcessaEsferaAtual();
  }
}

void TfrmCalib::ErroFatal(int codigo) {
  dialogs_.Message(
      "Ocorreu um erro fatal no sistema.\r\nEntre em contato com o nosso suporte técnico.\r\r\n"
      "Código do Erro: " +
          IntToStr(codigo),
      kCaptionInfo, MsgIcon::Error, MsgButtons::Ok);
}

void TfrmCalib::ProcessaEsferaAtual() {
  const int k = esfera_;
  const std::string raio = TextoRaio(k, separador_);
  const TPathsZV& paths = records_.Paths;
  bool feita = false;
  {
    // Both modules are released however the capture ends: processing first, then capture.
    Liberacao captura([this] { modulos_.LiberaCaptura(); });
    if (!modulos_.CarregaCaptura(paths.ModDigitalizacao ? paths.ModDigitalizacao : "")) {
      ErroFatal(300);
      return;
    }
    Liberacao processamento([this] { modulos_.LiberaProcessamento(); });
    if (!modulos_.CarregaProcessamento(paths.ModProcessamento ? paths.ModProcessamento : "")) {
      ErroFatal(301);
      return;
    }
    MemoryStream imagem, lateral, resultado;
    modulos_.Digitalizar(handle_, imagem.Handle(), lateral.Handle(), 2,
                         "Digitalizando Esfera (" + raio + ")");
    if (imagem.Bytes().size() < 10) return;
    StreamRewind(imagem.Handle());
    const int r =
        modulos_.ProcessaEsfera(handle_, imagem.Handle(), raio, resultado.Handle(), records_.Infos);
    if (r == 1 && !resultado.Bytes().empty()) {
      const std::string arquivo = JoinPath(dirCalibracao_, IntToStr(k) + ".txt");
      try {
        ForceDirectories(dirCalibracao_);
        WriteFileAtomic(arquivo, resultado.Bytes());
        feita = true;
      } catch (const IoError& e) {
        dialogs_.Message(std::string("Não foi possível gravar o arquivo da esfera.\r\n") + e.what(),
                         "Erro", MsgIcon::Error, MsgButtons::Ok);
      }
    }
  }
  if (!feita) return;
  feitas_[k - 1] = true;
  anterior_ = k;
  if (tipo_ == kCalibrador2) {
    MostraEsferas(false);
    SelecionaEsfera(k + 1);
    view_.SetEnabled("sbtPrev", false);
    view_.SetEnabled("sbtNext", false);
    if (k + 1 > 4) {
      TimerTimer();
    } else {
      view_.SetTimer("Timer", true, kIntervaloTimer);
    }
  } else {
    SelecionaEsfera(k + 1);
  }
}

std::vector<std::string> TfrmCalib::LinhasCoef(const std::vector<RingCoefficients>& fit,
                                               int aneis) const {
  std::vector<std::string> linhas = CoefLines(fit, aneis);
  for (std::string& l : linhas)
    for (char& c : l)
      if (c == '.') c = separador_;
  return linhas;
}

void TfrmCalib::SalvaCalibracao() {
  const int aneis = records_.Infos.NumAneis;
  const DateTime quando = Agora();
  Calibracao calibracao;
  try {
    calibracao = CalibraEsferas(dirCalibracao_, aneis);
    // Written whole beside the old file and renamed over it: a failure leaves the old one.
    WriteTextLines(JoinPath(dirCalibracao_, "Coef.txt"),
                   LinhasCoef(calibracao.coeficientes, aneis));
    ultimaCalib_ = FormatDateTime(kFormatoUltimaCalib, quando);
    settings_.WriteSetting("Str", "MODULOS", "ULTIMACALIB", ultimaCalib_, false);
    settings_.LoadCalibrationSubset(records_.Infos.Modelo);
    records_.Infos.Modelo = static_cast<uint8_t>(settings_.Tipo());
    records_.Infos.TipoCalibrador = settings_.TipoCalibrador();
    MostraUltimaCalib();
  } catch (const std::exception&) {
    dialogs_.Message("A Calibração não foi realizada com sucesso.", kCaptionInfo,
                     MsgIcon::Information, MsgButtons::Ok);
    view_.Close(0);
    return;
  }
  dialogs_.Message("A Calibração foi realizada com sucesso.", kCaptionInfo, MsgIcon::Information,
                   MsgButtons::Ok);
  // The window stays open on the quality of the new calibration; "Fechar" ends it.
  MostraQualidade(calibracao.qualidade, quando);
  view_.SetEnabled("sbtProcEsf", false);
}

void TfrmCalib::MostraQualidade(const QualidadeCalibracao& q, const DateTime& quando) {
  for (size_t i = 0; i < q.aneis.size(); ++i) {
    const int linha = static_cast<int>(i);
    view_.SetCell("grdQualidade", 0, linha, IntToStr(q.aneis[i].anel));
    for (int s = 0; s < 4; ++s) {
      const ResiduoEsfera& r = q.aneis[i].esferas[s];
      view_.SetCell("grdQualidade", 1 + 2 * s, linha, FormatFloat("0.0000", r.residuoMm));
      view_.SetCell("grdQualidade", 2 + 2 * s, linha, FormatFloat("0.000", r.residuoD));
    }
  }
  std::string resumo = ResumoQualidade(q);
  const std::string relatorio = JoinPath(dirCalibracao_, kArquivoQualidade);
  try {
    WriteTextLines(relatorio, RelatorioQualidade(q, quando));
    resumo += "\nRelatório: " + relatorio;
  } catch (const IoError&) {
    resumo += "\nO relatório de qualidade não pôde ser gravado em " + relatorio + ".";
  }
  view_.SetText("lblQualidade", resumo);
  view_.SetVisible("pnlQualidade", true);
}

void TfrmCalib::MostraEsferas(bool visiveis) {
  esferasVisiveis_ = visiveis;
  AtualizaDesenho();
}

void TfrmCalib::AtualizaDesenho() {
  EstadoDesenho estado;
  estado.tipo = tipo_;
  estado.atual = esfera_;
  estado.feitas = feitas_;
  estado.esferasVisiveis = esferasVisiveis_;
  view_.SetImage("imgCalibrador", DesenhaCalibrador(estado));
}

void TfrmCalib::MostraCalibrador() {
  view_.SetVisible("aniCalibrador", tipo_ == kCalibrador2);
  view_.SetVisible("lblAnimacao", tipo_ == kCalibrador2);
  AtualizaDesenho();
}

void TfrmCalib::TocaAnimacao(const std::string& nome) {
  ParaAnimacao();
  animacaoArquivo_ = nome;
  quadros_.clear();
  quadro_ = 0;
  if (nome.empty()) return;
  const std::string dirRaiz = records_.Paths.DirRaiz ? records_.Paths.DirRaiz : "";
  // A missing or damaged animation file only costs the animation.
  const std::optional<Animacao> animacao = LeAnimacao(JoinPath(JoinPath(dirRaiz, "imgs"), nome));
  if (!animacao || animacao->quadros.empty()) return;
  quadros_ = animacao->quadros;
  view_.SetImage("aniCalibrador", quadros_[0]);
  quadro_ = 1;
  if (quadro_ < quadros_.size()) view_.SetTimer("tmrAnimacao", true, animacao->intervaloMs);
}

void TfrmCalib::tmrAnimacaoTimer() {
  if (quadro_ < quadros_.size()) view_.SetImage("aniCalibrador", quadros_[quadro_++]);
  // Played once: the last frame stays.
  if (quadro_ >= quadros_.size()) view_.SetTimer("tmrAnimacao", false, 0);
}

void TfrmCalib::ParaAnimacao() {
  quadro_ = quadros_.size();
  view_.SetTimer("tmrAnimacao", false, 0);
}

}  // namespace zv
