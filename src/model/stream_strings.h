#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/file_stream.h"
#include "model/stream.h"

// Length-prefixed strings: a u16 byte count, then the bytes, no terminator.
// String lists: a u16 count, then that many strings. The bytes are kept as
// they are; text encoding is the caller's concern.

// The most strings a stored list may hold; a larger count means damaged data.
inline constexpr std::size_t kMaxStreamStrings = 10000;
inline constexpr std::size_t kMaxStreamStringLength = 65535;

// Raises EReadError when the stream holds fewer bytes than the length says.
std::string ReadStreamString(ByteStream& stream);
// Raises EWriteError for a string over 65535 bytes, before writing anything.
void WriteStreamString(ByteStream& stream, std::string_view text);

// The bytes a string or a string list takes when written.
inline std::size_t StoredStringSize(std::string_view text) { return 2 + text.size(); }
std::size_t StoredStringsSize(const std::vector<std::string>& list);

// Clears the list first. A count above 10000 raises EFileDamage; the list
// is left empty then.
void ReadStreamStrings(ByteStream& stream, std::vector<std::string>& list);
// Raises EWriteError, before writing anything, for a list that could not be
// read back: more than 10000 entries or an entry over 65535 bytes.
void WriteStreamStrings(ByteStream& stream, const std::vector<std::string>& list);

// The same operations for the file streams of the template libraries.
inline std::string ReadLengthString(FileStream& stream) { return ReadStreamString(stream); }
inline void WriteLengthString(FileStream& stream, std::string_view text) {
  WriteStreamString(stream, text);
}
