#pragma once
// The rendering keys the game derives from the rows, written on OK after the rows.

// Reads the just-saved rows and the shadow keys from "User" of UserStore, the profiles from
// ProfileStore, and writes the derived keys into "User" in memory. Does nothing useful when
// the stores are absent.
void SaveDerivedRenderingValues(int presetLevel);
