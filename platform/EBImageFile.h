#pragma once
// Reading and writing whole pictures on disk, for screenshots and their checks.
#include <vector>

// Writes RGBA rows, top row first, as a PNG file. Returns false when the file cannot be written.
bool EBImageSavePNG(const char* path, const unsigned char* rgba, int width, int height);

// Reads a PNG file as RGBA rows, top row first. Returns false when it cannot be read.
bool EBImageLoadPNG(const char* path, std::vector<unsigned char>& rgba, int& width, int& height);
