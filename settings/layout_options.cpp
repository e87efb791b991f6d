#include "settings/layout_options.h"

namespace modOptions {

void SetDefaultOptions() {
    HSpaces = kDefaultHSpaces;
    VSpaces = kDefaultVSpaces;
    PageWidth = kDefaultPageWidth;
}

} // namespace modOptions
