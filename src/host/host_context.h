/* The host context and the request blocks: byte layouts shared with client code.
   Every offset below is fixed; client code addresses these fields by offset.
   Compiles as C99 and as C++ for 32-bit Windows. */
#ifndef TARNWELL_HOST_CONTEXT_H
#define TARNWELL_HOST_CONTEXT_H

#include <stdint.h>
#include <windows.h>

#include "host/layout_assert.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Status values, read from the signed status byte of a request. */
enum {
    HOST_STATUS_PENDING = -1,       /* also: not carried out */
    HOST_STATUS_DONE = 0,
    HOST_STATUS_SHORT_READ = 1,
    HOST_STATUS_NOTHING_READ = 3,
    HOST_STATUS_WRITE_FAILED = 4,
    HOST_STATUS_SEEK_FAILED = 5,
    HOST_STATUS_UNKNOWN_OP = 7,
    HOST_STATUS_NO_BITMAP = 11,
    HOST_STATUS_FILE_FAILED = 12,
    HOST_STATUS_FILE_TOO_LARGE = 13,
    HOST_STATUS_START_FAILED = 17,
    HOST_STATUS_LOCKED = -128       /* 128 in the unsigned byte */
};

/* Request classes. */
enum {
    REQUEST_FILE = 'F',
    REQUEST_PRINT = 'L',
    REQUEST_MEMORY = 'M',
    REQUEST_VDU = 'V',
    REQUEST_EXEC = 'X'
};

typedef struct RequestBlock {
    uint8_t requestClass;
    uint8_t reserved;
    int8_t status;
    uint8_t op;
} RequestBlock;

struct HostContext;
typedef void(__stdcall *HostServiceEntry)(struct HostContext *context, RequestBlock *request);

/* One document name per screen 1..4, 32 bytes apart; only the first 8 characters are used. */
typedef struct DocumentNameSlot {
    char name[8];
    uint8_t unused[24];
} DocumentNameSlot;

typedef struct LinkTableEntry {
    uint8_t address[4]; /* big-endian */
    uint8_t unused[4];
} LinkTableEntry;

typedef struct HostContext {
    uint8_t signature[4];                 /*    0 */
    HostServiceEntry serviceEntry;        /*    4 */
    uint8_t unused8[16];
    uint32_t clockDate;                   /*   24 packed BCD: century, year, month, day */
    uint32_t clockTime;                   /*   28 packed BCD: hour, minute, second, tick */
    uint8_t trailLink[4];                 /*   32 big-endian address */
    uint8_t showAddress[4];               /*   36 big-endian address */
    uint8_t unused40[16];
    uint8_t windowsMajor;                 /*   56 */
    uint8_t windowsMinor;                 /*   57 */
    uint8_t diskClusters[2];              /*   58 folded to 16 bits, high byte first */
    uint8_t diskSectorsPerCluster[2];     /*   60 */
    uint8_t diskBytesPerSector[2];        /*   62 */
    uint8_t unused64[7];
    uint8_t networkPresent;               /*   71 */
    uint8_t unused72[25];
    uint8_t screenFlags[4];               /*   97 screens 1..4 */
    uint8_t unused101[10];
    uint8_t selectedScreen;               /*  111 */
    uint8_t unused112[12];
    uint32_t messageId;                   /*  124 */
    uint8_t platformTag;                  /*  128 */
    uint8_t platformId;                   /*  129 */
    uint8_t unused130[14];
    uint32_t printerInfoMark1;            /*  144 0xFFFFFFFF */
    uint32_t printerInfoMark2;            /*  148 0x11111111 */
    int32_t printerInfo[10];              /*  152 */
    uint8_t unused192[192];
    DocumentNameSlot documentNames[4];    /*  384 screens 1..4 */
    uint8_t unused512[512];
    LinkTableEntry linkTable[10];         /* 1024 */
    uint8_t unused1104[944];
    char startDirectory[1016];            /* 2048 */
    uint8_t unused3064[5128];
    uint32_t peekBase;                    /* 8192 */
    uint8_t unused8196[4];
    char *commandLine;                    /* 8200 */
    uint8_t bangLetter;                   /* 8204 */
    uint8_t optionFlagBase;               /* 8205 never set: no letter has code AND 31 = 0 */
    uint8_t optionFlags[26];              /* 8206 'A'..'Z' */
    uint8_t unused8232[4];
    RequestBlock *pendingRequest;         /* 8236 shared: claimed by submitters */
    uint32_t tickTimerId;                 /* 8240 */
    uint32_t secondTimerId;               /* 8244 */
    uint32_t quitFlag;                    /* 8248 shared */
    uint32_t liveThreads;                 /* 8252 shared */
    HINSTANCE instance;                   /* 8256 */
    uint8_t keyCode;                      /* 8260 shared */
    char targetPath[12];                  /* 8261 */
    uint8_t unused8273[1011];
    int32_t columns;                      /* 9284 */
    int32_t rows;                         /* 9288 */
    int32_t cellWidth;                    /* 9292 */
    int32_t cellHeight;                   /* 9296 */
    int32_t marginLeft;                   /* 9300 */
    int32_t marginTop;                    /* 9304 */
    int32_t marginRight;                  /* 9308 */
    int32_t marginBottom;                 /* 9312 */
    int32_t monitorLeft;                  /* 9316 */
    int32_t monitorTop;                   /* 9320 */
    int32_t monitorWidth;                 /* 9324 */
    int32_t monitorHeight;                /* 9328 */
    uint32_t movedFlag;                   /* 9332 */
    HDC splashCanvas;                     /* 9336 */
    HWND monitorWindow;                   /* 9340 */
    HFONT font;                           /* 9344 */
    LOGPALETTE *paletteEntries;           /* 9348 */
    HPALETTE palette;                     /* 9352 */
    uint32_t colours[8];                  /* 9356 COLORREF */
    HBRUSH brushes[16];                   /* 9388 */
    int32_t mouseButtons;                 /* 9452 */
    HWND rubberBandOwner;                 /* 9456 */
    int32_t rubberBand[4];                /* 9460 anchor x, y, moving x, y */
    uint8_t *splashImage;                 /* 9476 */
    uint32_t viewAddress;                 /* 9480 */
    uint32_t trailAddress;                /* 9484 */
    char scratchText[16];                 /* 9488 */
    HANDLE mirrorFile;                    /* 9504 */
} HostContext;

TW_SIZE(RequestBlock, 4);
TW_AT(RequestBlock, status, 2);
TW_AT(RequestBlock, op, 3);

TW_SIZE(HostContext, 9508);
TW_AT(HostContext, serviceEntry, 4);
TW_AT(HostContext, clockDate, 24);
TW_AT(HostContext, clockTime, 28);
TW_AT(HostContext, trailLink, 32);
TW_AT(HostContext, showAddress, 36);
TW_AT(HostContext, windowsMajor, 56);
TW_AT(HostContext, windowsMinor, 57);
TW_AT(HostContext, diskClusters, 58);
TW_AT(HostContext, diskSectorsPerCluster, 60);
TW_AT(HostContext, diskBytesPerSector, 62);
TW_AT(HostContext, networkPresent, 71);
TW_AT(HostContext, screenFlags, 97);
TW_AT(HostContext, selectedScreen, 111);
TW_AT(HostContext, messageId, 124);
TW_AT(HostContext, platformTag, 128);
TW_AT(HostContext, platformId, 129);
TW_AT(HostContext, printerInfoMark1, 144);
TW_AT(HostContext, printerInfoMark2, 148);
TW_AT(HostContext, printerInfo, 152);
TW_AT(HostContext, documentNames, 384);
TW_AT(HostContext, linkTable, 1024);
TW_AT(HostContext, startDirectory, 2048);
TW_AT(HostContext, peekBase, 8192);
TW_AT(HostContext, commandLine, 8200);
TW_AT(HostContext, bangLetter, 8204);
TW_AT(HostContext, optionFlagBase, 8205);
TW_AT(HostContext, optionFlags, 8206);
TW_AT(HostContext, pendingRequest, 8236);
TW_AT(HostContext, tickTimerId, 8240);
TW_AT(HostContext, secondTimerId, 8244);
TW_AT(HostContext, quitFlag, 8248);
TW_AT(HostContext, liveThreads, 8252);
TW_AT(HostContext, instance, 8256);
TW_AT(HostContext, keyCode, 8260);
TW_AT(HostContext, targetPath, 8261);
TW_AT(HostContext, columns, 9284);
TW_AT(HostContext, rows, 9288);
TW_AT(HostContext, cellWidth, 9292);
TW_AT(HostContext, cellHeight, 9296);
TW_AT(HostContext, marginLeft, 9300);
TW_AT(HostContext, marginTop, 9304);
TW_AT(HostContext, marginRight, 9308);
TW_AT(HostContext, marginBottom, 9312);
TW_AT(HostContext, monitorLeft, 9316);
TW_AT(HostContext, monitorTop, 9320);
TW_AT(HostContext, monitorWidth, 9324);
TW_AT(HostContext, monitorHeight, 9328);
TW_AT(HostContext, movedFlag, 9332);
TW_AT(HostContext, splashCanvas, 9336);
TW_AT(HostContext, monitorWindow, 9340);
TW_AT(HostContext, font, 9344);
TW_AT(HostContext, paletteEntries, 9348);
TW_AT(HostContext, palette, 9352);
TW_AT(HostContext, colours, 9356);
TW_AT(HostContext, brushes, 9388);
TW_AT(HostContext, mouseButtons, 9452);
TW_AT(HostContext, rubberBandOwner, 9456);
TW_AT(HostContext, rubberBand, 9460);
TW_AT(HostContext, splashImage, 9476);
TW_AT(HostContext, viewAddress, 9480);
TW_AT(HostContext, trailAddress, 9484);
TW_AT(HostContext, scratchText, 9488);
TW_AT(HostContext, mirrorFile, 9504);

/* Class 'F'. */
typedef struct FileBlock {
    RequestBlock header;
    uint32_t count;     /*  4 */
    void *data;         /*  8 file name or data buffer */
    uint32_t reserved12;
    HANDLE file;        /* 16 */
    uint32_t reserved20;
    uint32_t position;  /* 24 file offset or lock number */
} FileBlock;

TW_SIZE(FileBlock, 28);
TW_AT(FileBlock, count, 4);
TW_AT(FileBlock, data, 8);
TW_AT(FileBlock, file, 16);
TW_AT(FileBlock, position, 24);

/* Class 'M'. */
typedef struct MemoryBlock {
    RequestBlock header;
    int32_t size;       /* 4 'Q': bytes to allocate; 'B': the byte read, or -1 */
    void *address;      /* 8 */
} MemoryBlock;

TW_SIZE(MemoryBlock, 12);
TW_AT(MemoryBlock, size, 4);
TW_AT(MemoryBlock, address, 8);

/* Class 'X'. */
typedef struct ExecBlock {
    RequestBlock header;
    uint32_t reserved4;
    char *commandLine;  /* 8 writable, NUL-terminated */
} ExecBlock;

TW_SIZE(ExecBlock, 12);
TW_AT(ExecBlock, commandLine, 8);

#ifdef __cplusplus
}
#endif

#endif
