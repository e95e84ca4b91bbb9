#pragma once
// The faces the program and its files name ("Arial", "Arial Narrow",
// "Arial Black", "MS Sans Serif" ...) mapped to installed faces of similar
// width and weight, so that texts take the room they were laid out for.
namespace lw {

// Call once at start, before any text is measured.
void installFontSubstitutes();

} // namespace lw
