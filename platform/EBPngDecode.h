#pragma once
// The one way a PNG file becomes pixels: the file is checked whole and its declared size
// bounded before anything is decoded, so a cut or hostile file cannot hang or exhaust memory.
#include <vector>

namespace EBInternal {

// A decoded picture as RGBA bytes, top row first, rows `pitch` bytes apart, in the decoder's
// own memory; FreeDecodedPng releases it.
struct DecodedPng {
    void* surface = nullptr;
    const unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
};
bool DecodePng(const char* path, int maxSide, DecodedPng& out);
void FreeDecodedPng(DecodedPng& picture);

// Whether the file is a whole PNG of at most `maxSide` pixels a side, from its signature,
// header and chunk lengths alone; nothing is decoded.
bool IsUsablePngFile(const char* path, int maxSide);

// Reads a PNG file of at most `maxSide` pixels a side as tight RGBA rows, top row first.
// False, with nothing decoded, for a missing, cut, oversized or undecodable file.
bool DecodePngFile(const char* path, int maxSide, std::vector<unsigned char>& rgba, int& width,
                   int& height);

}  // namespace EBInternal
