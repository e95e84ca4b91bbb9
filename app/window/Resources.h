#pragma once

namespace lw::app {

// Makes the pictures of the program available under ":/images/...". The
// pictures live in the static GUI library, whose resource table the linker
// keeps only when something calls this.
void initAppResources();

} // namespace lw::app
