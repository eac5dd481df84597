#include "UBConstantes.h"

size_t zv_c_sizeof_infos(void) {
  return sizeof(TInfosZV);
}
size_t zv_c_offsetof_dircalibracao(void) {
  return offsetof(TPathsZV, DirCalibracao);
}
