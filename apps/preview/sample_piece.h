#pragma once

#include "tav_piece.h"

#include <memory>

/// A 4 × 2 inch address label with a name, two address lines and a POSTNET bar code.
std::unique_ptr<tav::TavPiece> makeSamplePiece();
