/* A tiny module built only for the tests, in several variants chosen by ZV_VARIANT:
 *   1 single map, kind "1", three information lines     2 multi map, kind "2", four lines
 *   3 kind code "3", three lines                          4 two information lines
 *   5 one information line                                6 no InfoMapa, only Info
 *   7 every entry point of every binding                  8 some entry points only
 * Entry points that the tests only bind, never call, are plain stubs. */
#include <string.h>

#include "UBConstantes.h"

#define EXPORT __attribute__((visibility("default")))

static void WriteText(TZVStream* s, const char* text) {
  s->Write(s->context, text, (int64_t)strlen(text));
}

#if ZV_VARIANT == 1
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Mapa Axial\r\n1\r\n1\r\n");
}
EXPORT void ProcessaMapa(void) {}
#elif ZV_VARIANT == 2
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Quillon Ortoceratologia\r\n2\r\n4\r\n1.2.0.0\r\n");
}
EXPORT void ProcessaMapas(void) {}
EXPORT void Wizard(void) {}
#elif ZV_VARIANT == 3
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Mapa Estranho\r\n3\r\n2\r\n");
}
#elif ZV_VARIANT == 4
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Duas Linhas\r\n1\r\n");
}
#elif ZV_VARIANT == 5
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Uma Linha\r\n");
}
#elif ZV_VARIANT == 6
EXPORT void Info(TZVStream* s) {
  WriteText(s, "Processamento de Imagem Digital\r\n");
}
#elif ZV_VARIANT == 7
/* Captures 10 bytes into the central stream, as a capture module does. */
EXPORT int32_t Digitalizar(void* handle, TZVStream* central, TZVStream* lateral, int32_t olho,
                           const char* titulo) {
  (void)handle, (void)lateral, (void)olho, (void)titulo;
  WriteText(central, "0123456789");
  return 1;
}
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Completo\r\n1\r\n1\r\n");
}
EXPORT void Info(TZVStream* s) {
  WriteText(s, "Completo\r\n");
}
EXPORT void ProcessaImagem(void) {}
EXPORT void ProcessaEsfera(void) {}
EXPORT void ProcessaMapa(void) {}
EXPORT void ProcessaMapaOrto(void) {}
EXPORT void Visualizar(void) {}
EXPORT void ProcessaMapas(void) {}
EXPORT void Wizard(void) {}
EXPORT void ProcessaLente(void) {}
EXPORT void ProcessaAberrometria(void) {}
EXPORT void InfoBackup(void) {}
EXPORT void CriarBackup(void) {}
EXPORT void RestaurarBackup(void) {}
#elif ZV_VARIANT == 8
EXPORT void InfoMapa(TZVStream* s) {
  WriteText(s, "Parcial\r\n1\r\n1\r\n");
}
EXPORT void ProcessaImagem(void) {}
EXPORT void ProcessaMapaOrto(void) {}
EXPORT void ProcessaMapas(void) {}
EXPORT void InfoBackup(void) {}
EXPORT void CriarBackup(void) {}
#endif
