#pragma once

// The characters that end the device's lines, and its command prompt.
inline constexpr char kCR = '\r';
inline constexpr char kLF = '\n';
inline constexpr char kPrompt = '>';
