#include "capture/capture_state.h"

bool ContinuousActive = false;
