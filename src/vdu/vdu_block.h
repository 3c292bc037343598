/* The character-screen request block (class 'V') and the word formats kept in it.
   A byte layout shared with client code; compiles as C99 and as C++ for 32-bit Windows. */
#ifndef TARNWELL_VDU_BLOCK_H
#define TARNWELL_VDU_BLOCK_H

#include <stdint.h>
#include <windows.h>

#include "host/host_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Cell word: one per cell in `cells`. */
#define VDU_CELL_CHAR_MASK 0x000000FFu
#define VDU_CELL_HIGHLIGHT 0x00010000u
#define VDU_CELL_BUTTON_SHIFT 24
#define VDU_CELL_BUTTON_MASK 0x03000000u
#define VDU_BUTTON_NONE 0u
#define VDU_BUTTON_LEFT 1u
#define VDU_BUTTON_MIDDLE 2u
#define VDU_BUTTON_RIGHT 3u
#define VDU_CELL_MASK_BLOCK 0x04000000u
#define VDU_CELL_KEPT_BITS 0xF8000000u /* not interpreted; kept when a character is written */

/* Frame word: one per cell in `frames`. */
#define VDU_FRAME_TOP 0x80000000u
#define VDU_FRAME_LEFT 0x40000000u
#define VDU_FRAME_RIGHT 0x20000000u
#define VDU_FRAME_BOTTOM 0x10000000u
#define VDU_FRAME_EDGES 0xF0000000u

/* Input event code. */
#define VDU_EVENT_VALUE_MASK 0x0000FFFFu
#define VDU_EVENT_VIRTUAL_KEY 0x00010000u
#define VDU_EVENT_MOUSE 0x00020000u
#define VDU_EVENT_WHEEL 0x00040000u
#define VDU_EVENT_KIND_MASK 0x00070000u
#define VDU_EVENT_SHIFT 0x80000000u
#define VDU_EVENT_CTRL 0x40000000u
#define VDU_EVENT_ALT 0x20000000u
#define VDU_EVENT_CAPS_LOCK 0x08000000u
#define VDU_EVENT_NUM_LOCK 0x04000000u
#define VDU_EVENT_SCROLL_LOCK 0x02000000u
#define VDU_EVENT_PAUSE 0x01000000u
#define VDU_EVENT_HARDCOPY 0x2001002Cu      /* Alt + virtual key 0x2C */
#define VDU_EVENT_HARDCOPY_MASK 0x20FFFFFFu
#define VDU_EVENT_SYNTHETIC_ESCAPE 0x0001001Bu
#define VDU_EVENT_RING_SIZE 16

/* Repaint countdown: OR one of these into `repaintCountdown`. */
#define VDU_REPAINT_REQUEST 0x55u
#define VDU_REPAINT_SOON 0x75u

#define VDU_VIEWER_ON 'V'

typedef struct VduEvent {
    uint32_t code;
    uint32_t position;
} VduEvent;

typedef struct VduBlock {
    RequestBlock header;           /*   0 */
    uint8_t unused4[4];
    uint32_t data;                 /*   8 */
    uint32_t extra;                /*  12 */
    uint8_t unused16[16];
    int32_t columns;               /*  32 */
    int32_t rows;                  /*  36 */
    int32_t cellWidth;             /*  40 */
    int32_t cellHeight;            /*  44 */
    int32_t marginLeft;            /*  48 */
    int32_t marginTop;             /*  52 */
    int32_t marginRight;           /*  56 */
    int32_t marginBottom;          /*  60 */
    int32_t cursorColumn;          /*  64 */
    int32_t cursorRow;             /*  68 */
    uint8_t unused72[32];
    uint8_t bellMark;              /* 104 */
    uint8_t unused105;
    uint8_t shown;                 /* 106 */
    uint8_t unused107;
    int32_t pendingEscapes;        /* 108 */
    int32_t eventCount;            /* 112 */
    int32_t eventWriteIndex;       /* 116 */
    int32_t eventReadIndex;        /* 120 */
    uint8_t unused124[4];
    VduEvent events[VDU_EVENT_RING_SIZE]; /* 128 */
    uint8_t unused256;
    uint8_t graphicsOp;            /* 257 */
    uint8_t unused258[14];
    int32_t graphicsArg4;          /* 272 */
    int32_t graphicsArg3;          /* 276 */
    int32_t graphicsArg2;          /* 280 */
    int32_t graphicsArg1;          /* 284 */
    uint8_t unused288[32];
    char bitmapPath[192];          /* 320 */
    uint8_t screenNumber;          /* 512 */
    char title[10];                /* 513 */
    uint8_t titleEnd;              /* 523 */
    uint8_t unused524[4];
    uint8_t repaintCountdown;      /* 528 */
    uint8_t viewerSwitch;          /* 529 */
    uint8_t maskMode;              /* 530 */
    uint8_t highlight;             /* 531 */
    uint8_t regionMode;            /* 532 */
    uint8_t unused533[3];
    HostContext *host;             /* 536 */
    uint32_t colours[8];           /* 540 */
    int32_t zoomEighths;           /* 572 */
    int32_t windowWidth;           /* 576 */
    int32_t windowHeight;          /* 580 */
    int32_t mouseMoveX;            /* 584 */
    int32_t mouseMoveY;            /* 588 */
    int32_t mouseX;                /* 592 */
    int32_t mouseY;                /* 596 */
    HWND window;                   /* 600 */
    int32_t frontWidth;            /* 604 */
    int32_t frontHeight;           /* 608 */
    HDC frontDC;                   /* 612 */
    uint8_t unused616[4];
    int32_t backWidth;             /* 620 */
    int32_t backHeight;            /* 624 */
    HDC backDC;                    /* 628 */
    uint8_t unused632[4];
    uint32_t *cells;               /* 636 */
    uint32_t *frames;              /* 640 */
    HFONT font;                    /* 644 */
    int32_t anchorColumn;          /* 648 */
    int32_t anchorRow;             /* 652 */
    uint8_t *bitmapFile;           /* 656 */
    HBITMAP bitmapHandle;          /* 660 */
    uint8_t unused664[4];
    uint32_t bitmapMarker;         /* 668 */
    int32_t graphicsRect[4];       /* 672 */
    int32_t bitmapRect[4];         /* 688 */
    uint8_t unused704[196];
} VduBlock;

TW_SIZE(VduEvent, 8);
TW_SIZE(VduBlock, 900);
TW_AT(VduBlock, data, 8);
TW_AT(VduBlock, extra, 12);
TW_AT(VduBlock, columns, 32);
TW_AT(VduBlock, rows, 36);
TW_AT(VduBlock, cellWidth, 40);
TW_AT(VduBlock, cellHeight, 44);
TW_AT(VduBlock, marginLeft, 48);
TW_AT(VduBlock, marginTop, 52);
TW_AT(VduBlock, marginRight, 56);
TW_AT(VduBlock, marginBottom, 60);
TW_AT(VduBlock, cursorColumn, 64);
TW_AT(VduBlock, cursorRow, 68);
TW_AT(VduBlock, bellMark, 104);
TW_AT(VduBlock, shown, 106);
TW_AT(VduBlock, pendingEscapes, 108);
TW_AT(VduBlock, eventCount, 112);
TW_AT(VduBlock, eventWriteIndex, 116);
TW_AT(VduBlock, eventReadIndex, 120);
TW_AT(VduBlock, events, 128);
TW_AT(VduBlock, graphicsOp, 257);
TW_AT(VduBlock, graphicsArg4, 272);
TW_AT(VduBlock, graphicsArg3, 276);
TW_AT(VduBlock, graphicsArg2, 280);
TW_AT(VduBlock, graphicsArg1, 284);
TW_AT(VduBlock, bitmapPath, 320);
TW_AT(VduBlock, screenNumber, 512);
TW_AT(VduBlock, title, 513);
TW_AT(VduBlock, titleEnd, 523);
TW_AT(VduBlock, repaintCountdown, 528);
TW_AT(VduBlock, viewerSwitch, 529);
TW_AT(VduBlock, maskMode, 530);
TW_AT(VduBlock, highlight, 531);
TW_AT(VduBlock, regionMode, 532);
TW_AT(VduBlock, host, 536);
TW_AT(VduBlock, colours, 540);
TW_AT(VduBlock, zoomEighths, 572);
TW_AT(VduBlock, windowWidth, 576);
TW_AT(VduBlock, windowHeight, 580);
TW_AT(VduBlock, mouseMoveX, 584);
TW_AT(VduBlock, mouseMoveY, 588);
TW_AT(VduBlock, mouseX, 592);
TW_AT(VduBlock, mouseY, 596);
TW_AT(VduBlock, window, 600);
TW_AT(VduBlock, frontWidth, 604);
TW_AT(VduBlock, frontHeight, 608);
TW_AT(VduBlock, frontDC, 612);
TW_AT(VduBlock, backWidth, 620);
TW_AT(VduBlock, backHeight, 624);
TW_AT(VduBlock, backDC, 628);
TW_AT(VduBlock, cells, 636);
TW_AT(VduBlock, frames, 640);
TW_AT(VduBlock, font, 644);
TW_AT(VduBlock, anchorColumn, 648);
TW_AT(VduBlock, anchorRow, 652);
TW_AT(VduBlock, bitmapFile, 656);
TW_AT(VduBlock, bitmapHandle, 660);
TW_AT(VduBlock, bitmapMarker, 668);
TW_AT(VduBlock, graphicsRect, 672);
TW_AT(VduBlock, bitmapRect, 688);

#ifdef __cplusplus
}
#endif

#endif
