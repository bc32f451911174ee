// The redraw pipeline of a Butt, working on its state alone: back buffer,
// the single redraw entry, delayed drawing, resize processing and the
// CustomClick displacement that the shape clip step asks for.
#pragma once

#include "button/ButtState.h"

// Composes the face through the renderer of ButtonStyle into the back
// buffer, copies it to the control, frames shaped buttons and asks the host
// to show it. Does nothing while drawingDelayed is set.
void RedrawButton(ButtState& s);

// prepare true: create the buffer DC (first time) and a back bitmap of the
// client size when none exists, and select the caption font.
// prepare false: copy the back buffer to the control's DC.
void PresentBuffer(ButtState& s, bool prepare);

// Renews the back bitmap for the current client size; unless drawing is
// delayed, rebuilds the shape, lays out and redraws.
void ResizeButton(ButtState& s);

// Sets drawingDelayed; ending the delay redraws at once (Refresh).
void DelayDrawing(ButtState& s, bool bDelay);

// Clears drawingDelayed and redraws, without layout or shape rebuilding.
void RefreshButton(ButtState& s);

// Called at the start of each drawing pass by the shape clip step: while a
// command button with CustomClick set is pressed and hot, moves its window
// by the CustomClick offset once (and reports true: that pass draws nothing
// more); once it is no longer pressed and hot, moves it back (false).
bool CustomClickMove(ButtState& s);

// Releases the back buffer with everything selected into it.
void ReleaseBuffer(ButtState& s);
