#pragma once

#include <string>
#include <string_view>

/// The page stream's templates are UTF-16 code units (PageTemplates.h), and so is this.
///
/// Replaces every occurrence of `what` in `text` by `with`, searching from the first character
/// and going on after each replacement (exact, case-sensitive match).
void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with);
