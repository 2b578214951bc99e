#include "core/card_lock.h"

namespace novra3 {

CardLock card_lock;

}  // namespace novra3
