#pragma once
// The encoding of written text, shared by EncodeConfigBytes and the writer's one-pass
// FormatConfigBytes so that both give the same bytes.

#include <cstddef>
#include <string_view>

// The UTF-8 length of text with every LF written as CR LF and every lone surrogate as U+FFFD.
size_t EncodedLength(std::u16string_view text);

// Writes those bytes at out (room for EncodedLength(text)) and returns the end.
char* EncodeText(std::u16string_view text, char* out);
