#include "exec/execute_service.h"

#include <windows.h>

void ExecuteRequest(HostContext *, RequestBlock *) { SwitchToThread(); }
