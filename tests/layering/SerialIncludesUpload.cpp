// Must not build: the serial link lies below the upload builders that use it.
#include "upload/UploadCommand.h"
