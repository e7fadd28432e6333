#pragma once
// Writing pictures to disk, for screenshots.

// Writes RGBA rows, top row first, as a PNG file. Returns false when the file cannot be written.
bool EBImageSavePNG(const char* path, const unsigned char* rgba, int width, int height);
