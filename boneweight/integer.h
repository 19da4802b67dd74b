#pragma once

// Reads a whole number the way the reckoning's list texts must be read: leading spaces, one
// sign, then decimal digits to the very end, or a hexadecimal number after "$", "x" or "0x"
// (either case), inside the signed 32-bit range. Anything else is not a number: trailing spaces,
// any other character, an empty text, a value out of range.

#include <QByteArrayView>

#include <cstdint>
#include <optional>

std::optional<std::int32_t> parseInteger(QByteArrayView text);

// parseInteger, raising base::Failure "'<text>' is not a valid integer value" when the text is
// not a number. The text is code page 936 and is decoded leniently for the message.
std::int32_t strToInt(QByteArrayView text);
