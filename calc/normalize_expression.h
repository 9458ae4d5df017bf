#pragma once

#include <cstddef>

namespace calc {

/// Rewrites the expression in `text` in place into the form the evaluator reads, in
/// one left-to-right pass: spaces removed, function names replaced by their codes,
/// "*" inserted where a digit or ")" stands before a function code or "(", one
/// trailing ";" dropped and missing ")" appended. Returns the new length; only
/// positions 0 to length-1 are meaningful afterwards (removals fill the vacated end
/// positions with "#", growth may overwrite the terminator).
///
/// `text` is a zero-terminated string in a buffer of `capacity` bytes. Nothing is
/// written at or past `capacity`: if the normalised text would need more than
/// capacity-1 bytes, the function returns -1 and the buffer holds a partial rewrite.
/// The text grows by at most its original length (an inserted "*" needs a digit or
/// ")" before it, an appended ")" an "(" of its own), so a buffer of 2*length+1
/// bytes always suffices.
int normalize_expression(char* text, std::size_t capacity);

}  // namespace calc
