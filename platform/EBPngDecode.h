#pragma once
// The one way a PNG file becomes pixels: the file is checked whole and its declared size
// bounded before anything is decoded, so a cut or hostile file cannot hang or exhaust memory.
#include <vector>

namespace EBInternal {

// Reads a PNG file of at most `maxSide` pixels a side as tight RGBA rows, top row first.
// False, with nothing decoded, for a missing, cut, oversized or undecodable file.
bool DecodePngFile(const char* path, int maxSide, std::vector<unsigned char>& rgba, int& width,
                   int& height);

}  // namespace EBInternal
