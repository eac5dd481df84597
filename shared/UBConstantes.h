/*
 * UBConstantes: the interface unit shared by the host and every module.
 *
 * Records, ring tables, the byte-stream interface and the signature of every exported entry
 * point.  Plain C so that any module, whatever it is built with, agrees with the host on the
 * binary layout.  Texts are `const char*` in UTF-8, owned by the caller; numbers are
 * little-endian; booleans are one byte holding 0 or 1.  The static_asserts at the end pin
 * sizes and offsets on this platform (LP64: references are 8 bytes wide).
 */
#ifndef ZARVIK_UBCONSTANTES_H
#define ZARVIK_UBCONSTANTES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Byte stream created and freed by the host.  A module rewinds it and reads or writes it
 * through these functions only.  Seek origins: 0 = from start, 1 = from current, 2 = from
 * end; it returns the new position. */
typedef struct TZVStream {
  void* context;
  int64_t (*Read)(void* context, void* buffer, int64_t count);
  int64_t (*Write)(void* context, const void* buffer, int64_t count);
  int64_t (*Seek)(void* context, int64_t offset, int32_t origin);
  int64_t (*Size)(void* context);
  void (*SetSize)(void* context, int64_t size);
} TZVStream;

enum { ZV_SEEK_BEGIN = 0, ZV_SEEK_CURRENT = 1, ZV_SEEK_END = 2 };

/* Device, option and clinic values, filled from the settings at start-up. */
typedef struct TInfosZV {
  uint8_t Modelo; /* device model 0..3 */
  uint8_t Reservado1[7];
  const char* TipoCone;
  double FatorCorrecao; /* millimetres per pixel */
  double Z0;
  double IncMap;
  double IndiceConf; /* lowest confidence index (%) accepted without a question */
  uint8_t AutoAneis;
  uint8_t AutoIncMap;
  uint8_t AutoMiniMapa;
  uint8_t AutoExame;
  uint8_t Reservado2[2];
  uint8_t MostrarDadosClinica;
  uint8_t MostrarNomeMedico;
  uint8_t MostrarLogoClinica;
  uint8_t Reservado3[3];
  int32_t BackupAuto;
  int32_t BackupPeriodo;
  int32_t BackupUnidade;
  int32_t BackupExames;
  int32_t CameraCentral;
  int32_t CameraLateral;
  uint8_t Reservado4[12];
  const char* MedicoAtivo;
  const char* PacienteAtivo;
  const char* ClinicaNome;
  const char* ClinicaEndereco;
  const char* ClinicaCidadeEst;
  const char* ClinicaTelefone;
  const char* ConectorCentral;
  const char* ConectorLateralS;
  const char* ConectorLateralD;
  const char* TextoReservado1; /* left empty by the host */
  uint8_t NumAneis;            /* 16 or 32 */
  uint8_t SalvarImagemCaptura;
  uint8_t Reservado5[6];
  const char* MapaPadraoNovoExame;
  const char* TipoCeratometria;
  uint8_t SalvarImagemCentral;
  uint8_t SalvarImagemLateral;
  uint8_t Reservado6[2];
  int32_t QualidadeImagem;
  const char* Idioma;
  int32_t TvlCentral;  /* only the lowest byte is meaningful to the modules */
  int32_t TIncremento; /* only the lowest byte is meaningful to the modules */
  uint8_t AutoPCaptura;
  uint8_t Reservado7[3];
  int32_t DelayAutoPCaptura;
  const char* TextoReservado2;
  const char* TextoReservado3;
  uint8_t TipoCalibrador;
  uint8_t OpcaoHost;
  uint8_t ExibeGrade;
  uint8_t ExibeCeratometriaPontual;
  uint8_t Reservado8[4];
  const char* CorCeratometriaPontual;
  const char* TextoReservado4;
} TInfosZV;

/* Directories and module files.  Directories carry no trailing separator, except
 * DirCalibracao, which ends in one. */
typedef struct TPathsZV {
  const char* DirRaiz;
  const char* DirBancoDados;
  const char* DirExames;
  const char* DirExemplos;
  const char* DirLaudos;
  const char* ModDigitalizacao;
  const char* ModProcessamento;
  const char* ModBackup;
  const char* DirMapas;
  const char* ModDigitalizacaoOrto;
  const char* ModProcOrto;
  const char* DirCalibracao;
} TPathsZV;

/* One ring table: row r = meridian r + 1 (1..360 degrees), column c = ring c (0..32). */
typedef double TMatrizAngAnel[360][33];
/* Number of rings found on each meridian, meridian 1 first. */
typedef int32_t TMatrizAng[360];
/* The four pupil integers of the standard processing module. */
typedef int32_t TPupila[4];
/* Per orthokeratology exam: SAG, DIV, R0, spare. */
typedef double TValoresOrto[4];
/* Keratometry indices returned by Visualizar. */
typedef double TIndicesMapa[9];

/* Dynamic arrays: pointer and count, memory owned by the host. */
typedef struct TMatrizesAngAnel {
  TMatrizAngAnel* Items;
  int32_t Count;
} TMatrizesAngAnel;
typedef struct TMatrizesAng {
  TMatrizAng* Items;
  int32_t Count;
} TMatrizesAng;
typedef struct TMatPup {
  TPupila* Items;
  int32_t Count;
} TMatPup;
typedef struct TDadosPac {
  TZVStream** Items;
  int32_t Count;
} TDadosPac;

/* A list of text lines (not a stream), owned by the host. */
typedef struct TZVTextList {
  const char* const* Lines;
  int32_t Count;
} TZVTextList;

/* ---- Entry points.  Handle is the host's top-level window (a QWidget*), the owner of every
 * window the module shows. ---- */

/* Capture, standard: eye 0 left, 1 right, 2 calibration sphere. */
typedef int32_t (*TDigitalizar)(void* Handle, TZVStream* Central, TZVStream* Lateral, int32_t Olho,
                                const char* Titulo);
/* Capture, orthokeratology: four central and four lateral images. */
typedef int32_t (*TDigitalizarOrto)(void* Handle, TZVStream* const* Centrais,
                                    TZVStream* const* Laterais, int32_t Olho, const char* Titulo);
/* Standard processing of one image. */
typedef int32_t (*TProcessaImagem)(void* Handle, TZVStream* Imagem, double* CentroX,
                                   double* CentroY, TMatrizAngAnel* Pixels, TMatrizAng* Aneis,
                                   TMatrizAngAnel* Dioptrias, TPupila* Pupila, double* IndiceConf,
                                   TInfosZV Infos, TPathsZV Paths);
typedef int32_t (*TProcessaEsfera)(void* Handle, TZVStream* Imagem, const char* Raio,
                                   TZVStream* Resultado, TInfosZV Infos);
/* Orthokeratology processing of four images (Vessik). IndicesConf points to 4 doubles. */
typedef int32_t (*TProcessaImagemOrto)(void* Handle, TZVStream* const* Imagens,
                                       TZVStream* TabelaPixels, TZVStream* TabelaDioptrias,
                                       TZVStream* ValoresOrto, double* IndicesConf, TInfosZV Infos,
                                       TPathsZV Paths);
/* Single maps. */
typedef int32_t (*TProcessaMapa)(void* Handle, TZVStream* Central, TZVStream* Lateral,
                                 double CentroX, double CentroY, TZVStream* Cabecalho,
                                 const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                                 const TMatrizAngAnel* Dioptrias, const TPupila* Pupila,
                                 TInfosZV Infos);
/* ValoresOrto points to 3 doubles: SAG, DIV, R0. */
typedef int32_t (*TProcessaMapaOrto)(void* Handle, TZVStream* Central, TZVStream* Lateral,
                                     double CentroX, double CentroY, TZVStream* Cabecalho,
                                     const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                                     const TMatrizAngAnel* Dioptrias, const TPupila* Pupila,
                                     const double* ValoresOrto, TInfosZV Infos);
typedef int32_t (*TVisualizar)(void* Handle, TZVStream* Bitmap, void* Nulo, int32_t Zero1,
                               double CentroX, double CentroY, const TMatrizAngAnel* Pixels,
                               const TMatrizAng* Aneis, const TMatrizAngAnel* Dioptrias,
                               const TPupila* Pupila, TIndicesMapa* Indices, int32_t Zero2,
                               TInfosZV Infos);
/* Multi maps, standard list. */
typedef int32_t (*TProcessaMapas)(void* Handle, TDadosPac Cabecalhos, TMatrizesAngAnel Pixels,
                                  TMatrizesAng Aneis, TMatrizesAngAnel Dioptrias, TMatPup Pupilas,
                                  int32_t NumExames, TZVStream* SaidaWizard, TInfosZV Infos);
/* Multi maps, orthokeratology list (Kandor): four exams, Valores points to 4 records. */
typedef int32_t (*TProcessaMapasOrto)(void* Handle, TDadosPac Cabecalhos, TMatrizesAngAnel Pixels,
                                      TMatrizesAngAnel Dioptrias, const TValoresOrto* Valores,
                                      TInfosZV Infos);
typedef int32_t (*TWizard)(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados,
                           TZVStream* Extra, TInfosZV Infos);
/* Wizard list of the differential multi-map module. */
typedef int32_t (*TWizardOrto)(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados,
                               TZVStream* Extra, int32_t OrtoDisponivel, TInfosZV Infos);
typedef int32_t (*TProcessaLente)(void* Handle, TZVStream* Central, TZVStream* Cabecalho,
                                  double CentroX, double CentroY, const TMatrizAngAnel* Pixels,
                                  const TMatrizAng* Aneis, const TMatrizAngAnel* Dioptrias,
                                  TInfosZV Infos, TPathsZV Paths);
typedef int32_t (*TProcessaAberrometria)(void* Handle, TMatrizAngAnel* Pixels,
                                         TMatrizAngAnel* Dioptrias, TMatrizAng* Aneis,
                                         const char* TipoCone, uint8_t NumAneis, uint8_t Modelo,
                                         double Tres, double FatorCorrecao, double Z0,
                                         int32_t Largura, int32_t Altura, int32_t Um,
                                         TZVStream* Cabecalho, const TZVTextList* DadosClinica);
typedef void (*TInfoMapa)(TZVStream* Saida);
typedef void (*TInfo)(TZVStream* Saida);
/* Returns the character code of the backup medium's drive letter. */
typedef int32_t (*TInfoBackup)(void* Handle, TZVStream* Saida, int32_t Tres);
typedef int32_t (*TCriarBackup)(void* Handle, TZVStream* ListaExames, TZVStream* ResultadoExames,
                                TZVStream* ListaLaudos, TZVStream* ResultadoLaudos, int32_t Tres,
                                const char* DirExames, const char* DirLaudos);
typedef int32_t (*TRestaurarBackup)(void* Handle, const char* DirExames, const char* DirLaudos);

#ifdef __cplusplus
}
#endif

/* ---- Layout pins (LP64). ---- */
#ifdef __cplusplus
#define ZV_STATIC_ASSERT static_assert
#else
#define ZV_STATIC_ASSERT _Static_assert
#endif
ZV_STATIC_ASSERT(sizeof(void*) == 8, "the layout below is pinned for LP64 platforms");
ZV_STATIC_ASSERT(offsetof(TInfosZV, TipoCone) == 8, "TInfosZV.TipoCone");
ZV_STATIC_ASSERT(offsetof(TInfosZV, FatorCorrecao) == 16, "TInfosZV.FatorCorrecao");
ZV_STATIC_ASSERT(offsetof(TInfosZV, IndiceConf) == 40, "TInfosZV.IndiceConf");
ZV_STATIC_ASSERT(offsetof(TInfosZV, AutoAneis) == 48, "TInfosZV.AutoAneis");
ZV_STATIC_ASSERT(offsetof(TInfosZV, MostrarDadosClinica) == 54, "TInfosZV.MostrarDadosClinica");
ZV_STATIC_ASSERT(offsetof(TInfosZV, BackupAuto) == 60, "TInfosZV.BackupAuto");
ZV_STATIC_ASSERT(offsetof(TInfosZV, CameraLateral) == 80, "TInfosZV.CameraLateral");
ZV_STATIC_ASSERT(offsetof(TInfosZV, MedicoAtivo) == 96, "TInfosZV.MedicoAtivo");
ZV_STATIC_ASSERT(offsetof(TInfosZV, TextoReservado1) == 168, "TInfosZV.TextoReservado1");
ZV_STATIC_ASSERT(offsetof(TInfosZV, NumAneis) == 176, "TInfosZV.NumAneis");
ZV_STATIC_ASSERT(offsetof(TInfosZV, MapaPadraoNovoExame) == 184, "TInfosZV.MapaPadraoNovoExame");
ZV_STATIC_ASSERT(offsetof(TInfosZV, SalvarImagemCentral) == 200, "TInfosZV.SalvarImagemCentral");
ZV_STATIC_ASSERT(offsetof(TInfosZV, QualidadeImagem) == 204, "TInfosZV.QualidadeImagem");
ZV_STATIC_ASSERT(offsetof(TInfosZV, Idioma) == 208, "TInfosZV.Idioma");
ZV_STATIC_ASSERT(offsetof(TInfosZV, TvlCentral) == 216, "TInfosZV.TvlCentral");
ZV_STATIC_ASSERT(offsetof(TInfosZV, TIncremento) == 220, "TInfosZV.TIncremento");
ZV_STATIC_ASSERT(offsetof(TInfosZV, AutoPCaptura) == 224, "TInfosZV.AutoPCaptura");
ZV_STATIC_ASSERT(offsetof(TInfosZV, DelayAutoPCaptura) == 228, "TInfosZV.DelayAutoPCaptura");
ZV_STATIC_ASSERT(offsetof(TInfosZV, TipoCalibrador) == 248, "TInfosZV.TipoCalibrador");
ZV_STATIC_ASSERT(offsetof(TInfosZV, ExibeCeratometriaPontual) == 251,
                 "TInfosZV.ExibeCeratometriaPontual");
ZV_STATIC_ASSERT(offsetof(TInfosZV, CorCeratometriaPontual) == 256,
                 "TInfosZV.CorCeratometriaPontual");
ZV_STATIC_ASSERT(sizeof(TInfosZV) == 272, "TInfosZV size");
ZV_STATIC_ASSERT(sizeof(TPathsZV) == 96, "TPathsZV size");
ZV_STATIC_ASSERT(offsetof(TPathsZV, DirCalibracao) == 88, "TPathsZV.DirCalibracao");
ZV_STATIC_ASSERT(sizeof(TMatrizAngAnel) == 95040, "TMatrizAngAnel size");
ZV_STATIC_ASSERT(sizeof(TMatrizAng) == 1440, "TMatrizAng size");
ZV_STATIC_ASSERT(sizeof(TPupila) == 16, "TPupila size");
ZV_STATIC_ASSERT(sizeof(TValoresOrto) == 32, "TValoresOrto size");
ZV_STATIC_ASSERT(sizeof(TIndicesMapa) == 72, "TIndicesMapa size");
ZV_STATIC_ASSERT(sizeof(TZVStream) == 48, "TZVStream size");

#endif /* ZARVIK_UBCONSTANTES_H */
