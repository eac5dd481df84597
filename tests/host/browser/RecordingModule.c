/* A map module built only for the browser tests: it appends what the host passed to the file
 * named by ZV_RECORD_FILE, one "key=value" line each, so a test sees argument order, header
 * lines, tables, ring counts and orthokeratology values exactly as they crossed.
 *   ZV_RECORDER == 1  single map (ProcessaMapa, ProcessaMapaOrto, Visualizar)
 *   ZV_RECORDER == 2  multi map, standard list (Wizard, ProcessaMapas)
 *   ZV_RECORDER == 3  multi map, orthokeratology list (ProcessaMapas with four value records)
 *   ZV_RECORDER == 4  multi map whose Wizard takes the flag argument (WizardOrto list)
 * The wizards choose the first ZV_WIZARD_PICK lines (all when unset) and return 1. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "UBConstantes.h"

#define EXPORT __attribute__((visibility("default")))

static FILE* Open(void) {
  const char* path = getenv("ZV_RECORD_FILE");
  return path ? fopen(path, "ab") : NULL;
}

/* The whole stream content as one line, CR LF turned into "|". */
static void RecordStream(FILE* f, const char* key, TZVStream* s) {
  if (!s) {
    fprintf(f, "%s=null\n", key);
    return;
  }
  int64_t size = s->Size(s->context);
  char* buf = malloc((size_t)size + 1);
  s->Seek(s->context, 0, ZV_SEEK_BEGIN);
  int64_t got = s->Read(s->context, buf, size);
  fprintf(f, "%s=", key);
  for (int64_t i = 0; i < got; ++i) {
    if (buf[i] == '\r') continue;
    fputc(buf[i] == '\n' ? '|' : buf[i], f);
  }
  fputc('\n', f);
  free(buf);
}

static void RecordInfos(FILE* f, TInfosZV infos) {
  fprintf(f, "NumAneis=%d\nTipoCone=%s\n", infos.NumAneis, infos.TipoCone ? infos.TipoCone : "");
}

static void RecordTables(FILE* f, const char* prefix, double cx, double cy,
                         const TMatrizAngAnel* pixels, const TMatrizAng* aneis,
                         const TMatrizAngAnel* dioptrias, const TPupila* pupila) {
  fprintf(f, "%sCentro=%.0f,%.0f\n", prefix, cx, cy);
  if (pixels) fprintf(f, "%sPixel=%.2f\n", prefix, (*pixels)[0][1]);
  if (dioptrias) fprintf(f, "%sDioptria=%.2f\n", prefix, (*dioptrias)[0][1]);
  if (aneis) fprintf(f, "%sAneis=%d\n", prefix, (*aneis)[0]);
  if (pupila)
    fprintf(f, "%sPupila=%d,%d,%d,%d\n", prefix, (*pupila)[0], (*pupila)[1], (*pupila)[2],
            (*pupila)[3]);
}

static void WriteText(TZVStream* s, const char* text) {
  s->Write(s->context, text, (int64_t)strlen(text));
}

#if ZV_RECORDER == 1
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Mapa Gravador\r\n1\r\n1\r\n");
}

EXPORT int32_t ProcessaMapa(void* h, TZVStream* central, TZVStream* lateral, double cx, double cy,
                            TZVStream* cabecalho, const TMatrizAngAnel* pixels,
                            const TMatrizAng* aneis, const TMatrizAngAnel* dioptrias,
                            const TPupila* pupila, TInfosZV infos) {
  (void)h;
  FILE* f = Open();
  if (!f) return 0;
  fprintf(f, "entry=ProcessaMapa\ncentral=%s\nlateral=%s\n", central ? "image" : "null",
          lateral ? "image" : "null");
  RecordStream(f, "cabecalho", cabecalho);
  RecordTables(f, "", cx, cy, pixels, aneis, dioptrias, pupila);
  RecordInfos(f, infos);
  fclose(f);
  return 1;
}

EXPORT int32_t ProcessaMapaOrto(void* h, TZVStream* central, TZVStream* lateral, double cx,
                                double cy, TZVStream* cabecalho, const TMatrizAngAnel* pixels,
                                const TMatrizAng* aneis, const TMatrizAngAnel* dioptrias,
                                const TPupila* pupila, const double* valores, TInfosZV infos) {
  (void)h;
  FILE* f = Open();
  if (!f) return 0;
  fprintf(f, "entry=ProcessaMapaOrto\ncentral=%s\nlateral=%s\n", central ? "image" : "null",
          lateral ? "image" : "null");
  RecordStream(f, "cabecalho", cabecalho);
  RecordTables(f, "", cx, cy, pixels, aneis, dioptrias, pupila);
  fprintf(f, "Orto=%.2f,%.2f,%.2f\n", valores[0], valores[1], valores[2]);
  RecordInfos(f, infos);
  fclose(f);
  return 1;
}

/* A 2 x 1 24-bit BMP: one red and one blue pixel. */
EXPORT int32_t Visualizar(void* h, TZVStream* bitmap, void* nulo, int32_t zero1, double cx,
                          double cy, const TMatrizAngAnel* pixels, const TMatrizAng* aneis,
                          const TMatrizAngAnel* dioptrias, const TPupila* pupila,
                          TIndicesMapa* indices, int32_t zero2, TInfosZV infos) {
  (void)h, (void)nulo, (void)indices;
  static const unsigned char bmp[54] = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,        /* file header */
      40,  0,   0,  0, 2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, /* size, 2 x 1, 24 bits */
      0,   0,   0,  0, 8, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0};
  unsigned char pixel[8] = {0, 0, 255, 255, 0, 0, 0, 0};
  bitmap->Write(bitmap->context, bmp, 54);
  bitmap->Write(bitmap->context, pixel, 8);
  FILE* f = Open();
  if (!f) return 1;
  fprintf(f, "entry=Visualizar\nzeros=%d,%d\n", zero1, zero2);
  RecordTables(f, "", cx, cy, pixels, aneis, dioptrias, pupila);
  RecordInfos(f, infos);
  fclose(f);
  return 1;
}
#else
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Multi Gravador\r\n2\r\n4\r\n");
}

static int32_t Choose(TZVStream* lista, TZVStream* selecionados, TZVStream* extra) {
  FILE* f = Open();
  if (f) {
    fprintf(f, "entry=Wizard\n");
    RecordStream(f, "lista", lista);
    fclose(f);
  }
  const char* pick = getenv("ZV_WIZARD_PICK");
  int wanted = pick ? atoi(pick) : 1000;
  int64_t size = lista->Size(lista->context);
  char* buf = malloc((size_t)size + 1);
  lista->Seek(lista->context, 0, ZV_SEEK_BEGIN);
  int64_t got = lista->Read(lista->context, buf, size);
  int64_t start = 0;
  for (int64_t i = 0; i + 1 < got && wanted > 0; ++i) {
    if (buf[i] == '\r' && buf[i + 1] == '\n') {
      /* The wizard hands back lines without their one-letter type prefix, as Kandor's does,
       * unless ZV_WIZARD_KEEP_PREFIX is set. */
      int64_t from = start;
      if (!getenv("ZV_WIZARD_KEEP_PREFIX") && (buf[from] == 'O' || buf[from] == 'T') &&
          buf[from + 1] == 'O')
        ++from;
      selecionados->Write(selecionados->context, buf + from, i + 2 - from);
      extra->Write(extra->context, buf + from, i + 2 - from);
      --wanted;
      start = i + 2;
    }
  }
  free(buf);
  return 1;
}

#if ZV_RECORDER == 4
EXPORT int32_t Wizard(void* h, TZVStream* lista, TZVStream* selecionados, TZVStream* extra,
                      int32_t flag, TInfosZV infos) {
  (void)h, (void)infos;
  FILE* f = Open();
  if (f) {
    fprintf(f, "flag=%d\n", flag);
    fclose(f);
  }
  return Choose(lista, selecionados, extra);
}
#else
EXPORT int32_t Wizard(void* h, TZVStream* lista, TZVStream* selecionados, TZVStream* extra,
                      TInfosZV infos) {
  (void)h, (void)infos;
  return Choose(lista, selecionados, extra);
}
#endif

#if ZV_RECORDER == 3
EXPORT int32_t ProcessaMapas(void* h, TDadosPac cabecalhos, TMatrizesAngAnel pixels,
                             TMatrizesAngAnel dioptrias, const TValoresOrto* valores,
                             TInfosZV infos) {
  (void)h;
  FILE* f = Open();
  if (!f) return 0;
  fprintf(f, "entry=ProcessaMapasOrto\ncount=%d\n", cabecalhos.Count);
  for (int k = 0; k < cabecalhos.Count; ++k) {
    char key[32];
    snprintf(key, sizeof key, "cabecalho%d", k);
    RecordStream(f, key, cabecalhos.Items[k]);
    snprintf(key, sizeof key, "%d", k);
    RecordTables(f, key, 0, 0, &pixels.Items[k], NULL, &dioptrias.Items[k], NULL);
    fprintf(f, "%dOrto=%.2f,%.2f,%.2f\n", k, valores[k][0], valores[k][1], valores[k][2]);
  }
  RecordInfos(f, infos);
  fclose(f);
  return 1;
}
#else
EXPORT int32_t ProcessaMapas(void* h, TDadosPac cabecalhos, TMatrizesAngAnel pixels,
                             TMatrizesAng aneis, TMatrizesAngAnel dioptrias, TMatPup pupilas,
                             int32_t numExames, TZVStream* extra, TInfosZV infos) {
  (void)h;
  FILE* f = Open();
  if (!f) return 0;
  fprintf(f, "entry=ProcessaMapas\ncount=%d\nextraPos=%lld\n", numExames,
          (long long)extra->Seek(extra->context, 0, ZV_SEEK_CURRENT));
  RecordStream(f, "extra", extra);
  for (int k = 0; k < cabecalhos.Count; ++k) {
    char key[32];
    snprintf(key, sizeof key, "cabecalho%d", k);
    RecordStream(f, key, cabecalhos.Items[k]);
    snprintf(key, sizeof key, "%d", k);
    RecordTables(f, key, 0, 0, &pixels.Items[k], &aneis.Items[k], &dioptrias.Items[k],
                 &pupilas.Items[k]);
  }
  RecordInfos(f, infos);
  fclose(f);
  return 1;
}
#endif
#endif
