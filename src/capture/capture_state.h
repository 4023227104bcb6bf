// State shared by the capture commands, the canvas tools and the capture toolbar.
#pragma once

// A continuous run of area captures with the capture toolbar is in progress: each finished
// area capture is saved at once and the main window stays hidden.
extern bool ContinuousActive;
