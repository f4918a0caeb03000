#pragma once
// The tool's icon (a radio and its cable) for every window: the PNG sizes
// rendered from data/desktop/brenvik-cps.svg and compiled into this library.

// Sets the application's window icon; the icon theme's brenvik-cps when the
// build had no PNGs.
void applyWindowIcon();
