// Must not build: the transfers lie below the upload builders that use them.
#include "upload/UploadCommand.h"
