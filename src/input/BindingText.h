#pragma once
// The game's syntax of one binding value, for example (GameKey="GI_Cancel",Value=1) or
// (Gamekey=GI_AxisLeftY,Value=-1.000000).

#include <string>
#include <string_view>

// The value of a text without a "Value=" part: what a button feeds into its game input.
constexpr float DefaultBindingValue = 1.0f;

// Reads "(", an optional "GameKey=" with a quoted name or a bare name of 0-9, A-Z, a-z and
// "_", an optional ",", an optional "Value=" with a decimal number (an optional leading sign,
// digits and ".", an "f" after the first character ends the number; 64 characters or more
// are refused), an optional ",", and ")". White space (code 32 or below) may precede every
// part; the words match in any letter case; anything after ")" is ignored. On success name
// is the name (empty without "GameKey=") and value the number (DefaultBindingValue without
// "Value="); on failure both are unchanged.
bool ParseBindingText(std::u16string_view text, std::u16string& name, float& value);

// "(Gamekey=<name>,Value=<value with six decimals>)", at most 255 characters. False (text
// unchanged) when the result would be longer, or when it would not read back: a name that
// is empty or not a bare name, or a value that is not finite.
bool FormatBindingText(std::u16string_view name, float value, std::u16string& text);
