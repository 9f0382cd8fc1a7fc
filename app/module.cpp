#include "app/module.h"

namespace kv {

Module1& mod() {
  static Module1 m;
  return m;
}

}  // namespace kv
