#include "vdu/file_viewer.h"

void RunFileViewer(HostContext *, VduBlock *) {}
