#include "app/ApplicationIcon.h"

// The resource file is compiled into the shell's static library, which nothing else references:
// its data must be registered before the first look-up. The macro works only outside a namespace.
static void RegisterShellResources() { Q_INIT_RESOURCE(halvex); }

namespace halvex {

QIcon ApplicationIcon() {
    static const bool registered = (RegisterShellResources(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/halvex/halvex.png"));
}

}  // namespace halvex
