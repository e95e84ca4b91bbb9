#include "app/window/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the table's function in the enclosing namespace,
// so it has to be used outside of ours.
static void initLindwerkResources() {
    Q_INIT_RESOURCE(lindwerk);
}

namespace lw::app {

void initAppResources() {
    initLindwerkResources();
}

} // namespace lw::app
