// Must not build: the port knows nothing of the transfers that run over it.
#include "transfers/RecordSender.h"
