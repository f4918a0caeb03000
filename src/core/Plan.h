#pragma once
// Whole-plan operations shared by the windows and the command line.
#include "core/Cps.h"

#include <string>
#include <vector>

namespace cps {

// Brings every decoded form back into the image (channels, then options).
void SetConvIicDat(Cps &c);
// New plan: default image with the model and band bytes kept, decoded, default options.
void NewFileSol(Cps &c);
// After a file open or a radio read: model and band, channels and options
// decoded from the image and shown through the view.
void SoftDisplay(Cps &c);

} // namespace cps
