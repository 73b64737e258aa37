// Must not build: the core knows nothing of Qt.
#include <QString>
