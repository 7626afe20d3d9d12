// The program's one digest of bytes: 64-bit FNV-1a, small and well known. It
// tells one set of files from another (a world's saves, an export's pieces); it
// guards against mistakes, not against forgery.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

const uint64_t digestStart = 14695981039346656037ull;

// The digest after `count` more bytes; start from digestStart.
uint64_t addToDigest(uint64_t digest, const uint8_t *bytes, size_t count);

// The digest as 16 lower-case hexadecimal digits.
std::string digestText(uint64_t digest);
