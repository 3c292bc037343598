// The operations of request class 'F', one per letter, on a FileBlock.
#pragma once

#include "host/host_context.h"

void FileCreate(FileBlock *block);
void FileOpen(FileBlock *block);
void FileRead(FileBlock *block);
void FileWrite(FileBlock *block);
void FileLock(FileBlock *block);
void FileUnlock(FileBlock *block);
void FileClose(FileBlock *block);
void FileErase(FileBlock *block);
