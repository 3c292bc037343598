#include "files/file_service.h"

void FileRequest(HostContext *, RequestBlock *request) { request->status = HOST_STATUS_UNKNOWN_OP; }
