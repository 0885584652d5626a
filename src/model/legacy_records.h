#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Record layouts of older score files, turned into the present stored
// prefixes. Each takes the stored bytes (shorter input reads as zeros) and
// returns the present prefix.

// Notes of files up to version 849 (80 bytes) to the 23-byte prefix.
std::vector<std::uint8_t> ConvertLegacyNote(std::span<const std::uint8_t> stored);
// Rests of files up to version 849 (36 bytes) to the 13-byte prefix.
std::vector<std::uint8_t> ConvertLegacyRest(std::span<const std::uint8_t> stored);
// Grace notes of files up to version 863 (32 bytes) to the 9-byte prefix.
std::vector<std::uint8_t> ConvertLegacyGraceNote(std::span<const std::uint8_t> stored);
// Play notes of files up to version 863 (11 bytes) to the 13-byte prefix.
std::vector<std::uint8_t> ConvertLegacyPlayNote(std::span<const std::uint8_t> stored);

// The reverse mappings, which write the older layouts; the tests make their
// older-version files with them.
std::vector<std::uint8_t> MakeLegacyNote(std::span<const std::uint8_t> prefix);
std::vector<std::uint8_t> MakeLegacyRest(std::span<const std::uint8_t> prefix);
std::vector<std::uint8_t> MakeLegacyGraceNote(std::span<const std::uint8_t> prefix);
std::vector<std::uint8_t> MakeLegacyPlayNote(std::span<const std::uint8_t> prefix);
