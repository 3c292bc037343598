/* The print request block (class 'L'). Fields shared with the character-screen block keep
   their offsets and names, so a screen-shaped block can be handed in.
   A byte layout shared with client code; compiles as C99 and as C++ for 32-bit Windows. */
#ifndef TARNWELL_PRINT_BLOCK_H
#define TARNWELL_PRINT_BLOCK_H

#include <stdint.h>
#include <windows.h>

#include "host/host_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* deviceKind */
#define PRINT_DEVICE_PORT 0
#define PRINT_DEVICE_DEFAULT_PRINTER 1
#define PRINT_DEVICE_NAMED_PRINTER 2

/* pageState */
#define PRINT_NO_DOCUMENT 0
#define PRINT_DOCUMENT_STARTED 1
#define PRINT_PAGE_OPEN 2

#define PRINT_LINE_BUFFER_SIZE 192

typedef struct PrintBlock {
    RequestBlock header;           /*   0 */
    uint8_t unused4[4];
    uint32_t data;                 /*   8 character in bits 0..7 */
    uint8_t unused12[4];
    HANDLE port;                   /*  16 */
    uint8_t unused20[4];
    char portName[8];              /*  24 */
    int32_t columns;               /*  32 */
    int32_t rows;                  /*  36 */
    uint8_t unused40[24];
    int32_t cursorColumn;          /*  64 */
    int32_t cursorRow;             /*  68 */
    uint8_t unused72[233];
    uint8_t deviceKind;            /* 305 */
    uint8_t pageState;             /* 306 */
    uint8_t unused307[337];
    HFONT font;                    /* 644 */
    uint8_t unused648[56];
    HDC printerDC;                 /* 704 */
    char lineBuffer[PRINT_LINE_BUFFER_SIZE]; /* 708 */
} PrintBlock;

TW_SIZE(PrintBlock, 900);
TW_AT(PrintBlock, data, 8);
TW_AT(PrintBlock, port, 16);
TW_AT(PrintBlock, portName, 24);
TW_AT(PrintBlock, columns, 32);
TW_AT(PrintBlock, rows, 36);
TW_AT(PrintBlock, cursorColumn, 64);
TW_AT(PrintBlock, cursorRow, 68);
TW_AT(PrintBlock, deviceKind, 305);
TW_AT(PrintBlock, pageState, 306);
TW_AT(PrintBlock, font, 644);
TW_AT(PrintBlock, printerDC, 704);
TW_AT(PrintBlock, lineBuffer, 708);

#ifdef __cplusplus
}
#endif

#endif
