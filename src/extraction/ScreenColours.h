#pragma once

#include "Image.h"

struct AVFrame;

namespace FrameExtractor {

// Loads libavfilter, which HDR and wide-gamut frames need, if it is not loaded yet; false if
// it cannot be (not installed, or a confined worker that may open no file).
bool loadFilterLibrary();

// Whether a stream that declares these colours will need libavfilter (what the frames
// themselves say is what counts).
bool mayNeedScreenConversion(int transfer, int primaries);

// Whether the frame needs more than a YUV matrix to look on an ordinary screen as it does
// in a player: HDR (PQ or HLG transfer) or BT.2020 primaries.
bool needsScreenConversion(const AVFrame* frame);

// The frame as an ordinary (SDR, BT.709) screen shows it, scaled to `width` x its height:
// HDR tone-mapped, primaries converted. 8-bit RGB, or RGBA with `alpha`. Returns 0, or the
// library's error code.
int convertForScreen(const AVFrame* frame, int width, bool alpha, Image& image);

} // namespace FrameExtractor
