// Free operations on top-level windows: a constant layered opacity, reading
// the layered attributes back, fading in and out in steps, and moving a
// window by dragging any part of it. The opacity lives in the window's
// layered attributes; these operations keep no state of their own.
//
// The layered-window and message functions of user32 are looked up by name
// when used, so a system that lacks one makes the operation report failure
// instead of failing to load.
#pragma once

#include <windows.h>

#include <cstdint>

// The layered flags word of `window` (2 constant alpha, 1 colour key); 0 for
// a window that has no layered attributes; -1 if the query failed (for
// example, the handle names no window).
int32_t GetLayeredMode(HWND window);

// The opacity 0..255 when the flags word is exactly 2 (constant alpha), the
// colour key 0x00BBGGRR when it is exactly 1, -1 otherwise or on failure.
int32_t GetLayeredValue(HWND window);

// Makes `window` layered (the style bit stays set for good) with constant
// alpha `opacity`. True if no step failed.
bool SetOpacity(HWND window, uint8_t opacity);

// Fades `window` in to `target` by `step` per step (greater than 0), starting
// from its current opacity, or from 0 if it has no constant alpha yet. The
// window is shown if hidden, disabled during the fade (and enabled again
// afterwards if it was enabled before), and the thread's pending messages run
// between steps. False if a step failed, if `step` is not positive, if the
// window was already more opaque than `target`, or if the window was
// destroyed during the fade (it is not touched again then).
bool FadeIn(HWND window, uint8_t target, float step);

// The mirror of FadeIn: fades down to `target`, starting from 255 if the
// window has no constant alpha yet; a target of 0 hides the window at the
// end. False if a step failed, if `step` is not positive, if the window was
// already less opaque than `target`, or if it was destroyed during the fade.
bool FadeOut(HWND window, uint8_t target, float step);

// Lets the user move `window` as if its title bar had been pressed: call it
// while the left mouse button is down (from a mouse-down or mouse-move
// handler). Returns when the button is released. Errors are ignored.
void DragForm(HWND window);
