// Multi-cell editing of a screen: clearing, scrolling, repainting, buttons and frames. Each
// painter keeps the cursor as it found it and changes cells only through the renderer.
#pragma once

#include "vdu/screen_state.h"

void ClearToEndOfLine(ScreenState &screen);
void ClearToEndOfScreen(ScreenState &screen);
void ClearHighlightedCells(ScreenState &screen);
void InsertLine(ScreenState &screen);
void DeleteLine(ScreenState &screen);
void RepaintAll(ScreenState &screen);
void MarkButtons(ScreenState &screen);
void FrameOn(ScreenState &screen);
void FrameOff(ScreenState &screen);
void RemoveFrames(ScreenState &screen);
