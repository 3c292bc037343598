#include "vdu/document_launcher.h"

void LaunchDocument(HostContext *, VduBlock *) {}
