#include "files/file_service.h"

#include "files/file_operations.h"
#include "files/file_rules.h"

void FileRequest(HostContext *, RequestBlock *request)
{
    auto *block = reinterpret_cast<FileBlock *>(request);
    const FileRoute route = RouteFileOp(request->op);
    if (route.usesSharedLock)
        block->position = sharedLockNumber;
    switch (route.operation) {
    case FileOperation::Create: FileCreate(block); break;
    case FileOperation::Open: FileOpen(block); break;
    case FileOperation::Read: FileRead(block); break;
    case FileOperation::Write: FileWrite(block); break;
    case FileOperation::Lock: FileLock(block); break;
    case FileOperation::Unlock: FileUnlock(block); break;
    case FileOperation::Close: FileClose(block); break;
    case FileOperation::Erase: FileErase(block); break;
    case FileOperation::Nothing: request->status = HOST_STATUS_DONE; break;
    case FileOperation::Unknown: request->status = HOST_STATUS_UNKNOWN_OP; break;
    }
}
