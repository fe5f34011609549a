// SHA-256 (FIPS 180-4), for naming a save by its bytes in a recording.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The digest of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::vector<uint8_t>& bytes);
std::string Sha256Hex(const std::string& bytes);
