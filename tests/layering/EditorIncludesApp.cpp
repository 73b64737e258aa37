// Must not build: the editor layer lies below the application and cannot see its headers.
#include "app/MainFrame.h"
