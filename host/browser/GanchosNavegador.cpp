#include "GanchosNavegador.h"

namespace zv::browser {

GanchosNavegador& Ganchos() {
  static GanchosNavegador ganchos;
  return ganchos;
}

}  // namespace zv::browser
