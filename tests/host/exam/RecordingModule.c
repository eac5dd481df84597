/* A module built only for the new-exam tests: it records every call it receives in the file
 * named by ZV_REC_LOG and answers with values derived from the eye, so a test can tell which
 * eye's data reached which call.  ZV_VARIANT 1: standard capture, processing and single map;
 * 2: orthokeratology capture, processing and multi map.  ZV_REC_CANCEL makes a capture write
 * nothing; ZV_REC_PROC sets the processing result (default 1). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "UBConstantes.h"

#define EXPORT __attribute__((visibility("default")))

static void Log(const char* text) {
  const char* path = getenv("ZV_REC_LOG");
  if (!path) return;
  FILE* f = fopen(path, "a");
  if (!f) return;
  fputs(text, f);
  fputc('\n', f);
  fclose(f);
}

static void WriteBytes(TZVStream* s, const void* bytes, int64_t n) {
  s->Write(s->context, bytes, n);
}

/* A 2 x 2 32-bit bitmap whose first byte tells the eye: 10 + eye. */
static void WriteBitmap(TZVStream* s, int olho) {
  unsigned char bmp[70] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0, 0, 0, 2,
                           0,   0,   0,  2, 0, 0, 0, 1, 0, 32, 0,  0, 0, 0, 0,  0, 0, 16};
  memset(bmp + 54, 0x40, 16);
  bmp[54] = (unsigned char)(10 + olho);
  WriteBytes(s, bmp, sizeof bmp);
}

static int EyeOf(TZVStream* s) {
  unsigned char bmp[55];
  s->Seek(s->context, 0, 0);
  if (s->Read(s->context, bmp, 55) != 55) return 0;
  return bmp[54];
}

static int Cancelled(void) {
  return getenv("ZV_REC_CANCEL") != NULL;
}

static int ProcResult(void) {
  const char* r = getenv("ZV_REC_PROC");
  return r ? atoi(r) : 1;
}

/* The whole text of a stream, its lines joined by '|'. */
static void ReadText(TZVStream* s, char* out, int cap) {
  int n = 0;
  char c;
  s->Seek(s->context, 0, 0);
  while (n < cap - 1 && s->Read(s->context, &c, 1) == 1) {
    if (c == '\r') continue;
    out[n++] = c == '\n' ? '|' : c;
  }
  out[n] = 0;
}

EXPORT void InfoMapa(TZVStream* s) {
  WriteBytes(s, "Gravador\r\n1\r\n1\r\n", 16);
}

#if ZV_VARIANT == 1
EXPORT int32_t Digitalizar(void* h, TZVStream* central, TZVStream* lateral, int32_t olho,
                           const char* titulo) {
  char line[200];
  (void)h;
  snprintf(line, sizeof line, "Digitalizar olho=%d titulo=%s vazio=%d", olho, titulo,
           central->Size(central->context) == 0 && lateral->Size(lateral->context) == 0);
  Log(line);
  if (Cancelled()) return 0;
  WriteBitmap(central, olho);
  WriteBytes(lateral, "LATERAL", 7);
  return 1;
}

EXPORT int32_t ProcessaImagem(void* h, TZVStream* imagem, double* cx, double* cy,
                              TMatrizAngAnel* pixels, TMatrizAng* aneis, TMatrizAngAnel* dioptrias,
                              TPupila* pupila, double* indice, TInfosZV infos, TPathsZV paths) {
  char line[200];
  const int k = EyeOf(imagem);
  (void)h, (void)paths;
  snprintf(line, sizeof line, "ProcessaImagem olho=%d pupila=%d,%d,%d,%d aneis=%d", k - 10,
           (*pupila)[0], (*pupila)[1], (*pupila)[2], (*pupila)[3], infos.NumAneis);
  Log(line);
  *cx = 300 + k;
  *cy = 200 + k;
  for (int m = 0; m < 360; ++m) {
    (*aneis)[m] = 16;
    for (int r = 0; r < 33; ++r) {
      (*pixels)[m][r] = k + r;
      (*dioptrias)[m][r] = 30 + k + r * 0.25;
    }
  }
  (*pupila)[0] = k;
  (*pupila)[1] = 2;
  (*pupila)[2] = 3;
  (*pupila)[3] = 4;
  *indice = 80 + k;
  return ProcResult();
}

EXPORT int32_t ProcessaEsfera(void) {
  return 0;
}

EXPORT int32_t ProcessaMapa(void* h, TZVStream* central, TZVStream* lateral, double cx, double cy,
                            TZVStream* cabecalho, const TMatrizAngAnel* pixels,
                            const TMatrizAng* aneis, const TMatrizAngAnel* dioptrias,
                            const TPupila* pupila, TInfosZV infos) {
  char line[1200], texto[1000];
  (void)h, (void)lateral, (void)aneis, (void)infos;
  ReadText(cabecalho, texto, sizeof texto);
  snprintf(line, sizeof line, "ProcessaMapa olho=%d cx=%g cy=%g pix=%g dio=%g pupila=%d cab=%s",
           EyeOf(central) - 10, cx, cy, (*pixels)[0][1], (*dioptrias)[0][1], (*pupila)[0], texto);
  Log(line);
  return 1;
}
#else
EXPORT int32_t Digitalizar(void* h, TZVStream* const* centrais, TZVStream* const* laterais,
                           int32_t olho, const char* titulo) {
  char line[200];
  (void)h;
  snprintf(line, sizeof line, "DigitalizarOrto olho=%d titulo=%s", olho, titulo);
  Log(line);
  if (Cancelled()) return 0;
  for (int i = 0; i < 4; ++i) {
    WriteBitmap(centrais[i], olho);
    WriteBytes(laterais[i], "LATERAL", 7);
  }
  return 1;
}

/* Image i's tables hold i + 1 pixels and 40 + i dioptres on every ring; its values are
 * SAG 1.5 + i, DIV 0.12345, R0 7.8 + i. */
EXPORT int32_t ProcessaImagem(void* h, TZVStream* const* imagens, TZVStream* tp, TZVStream* td,
                              TZVStream* vo, double* indices, TInfosZV infos, TPathsZV paths) {
  char line[400];
  (void)h, (void)paths;
  snprintf(line, sizeof line, "ProcessaImagemOrto olho=%d", EyeOf(imagens[0]) - 10);
  Log(line);
  for (int i = 0; i < 4; ++i) {
    for (int m = 0; m < 360; ++m) {
      char p[400] = "", d[400] = "", v[16];
      for (int r = 0; r <= infos.NumAneis; ++r) {
        snprintf(v, sizeof v, "%02d.00 ", i + 1);
        strcat(p, v);
        snprintf(v, sizeof v, "%02d.00 ", 40 + i);
        strcat(d, v);
      }
      strcat(p, "\r\n");
      strcat(d, "\r\n");
      WriteBytes(tp, p, (int64_t)strlen(p));
      WriteBytes(td, d, (int64_t)strlen(d));
    }
    snprintf(line, sizeof line, "%g\r\n0.12345\r\n%g\r\n0\r\n", 1.5 + i, 7.8 + i);
    WriteBytes(vo, line, (int64_t)strlen(line));
    indices[i] = 70 + i;
  }
  return ProcResult();
}

EXPORT int32_t ProcessaMapas(void* h, TDadosPac cabecalhos, TMatrizesAngAnel pixels,
                             TMatrizesAngAnel dioptrias, const TValoresOrto* valores,
                             TInfosZV infos) {
  char line[3000] = "ProcessaMapasOrto", texto[600];
  (void)h, (void)infos;
  for (int i = 0; i < cabecalhos.Count; ++i) {
    char parte[800];
    ReadText(cabecalhos.Items[i], texto, sizeof texto);
    snprintf(parte, sizeof parte, " [%d pix=%g dio=%g sag=%g div=%g r0=%g cab=%s]", i,
             pixels.Items[i][0][1], dioptrias.Items[i][0][1], valores[i][0], valores[i][1],
             valores[i][2], texto);
    strcat(line, parte);
  }
  Log(line);
  return 1;
}

EXPORT int32_t Wizard(void) {
  return 0;
}
#endif
