#include "forms.h"

namespace krv {

void registerAllForms() {}

} // namespace krv
