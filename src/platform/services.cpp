#include "services.h"

namespace hm {

Services& services() {
  static Services registry;
  return registry;
}

}  // namespace hm
