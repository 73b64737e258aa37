#pragma once
// The closing step of every command that rewrites the editor's text from a conversion.

#include <string>

#include "common/EditorOps.h"
#include "common/UserDialogs.h"

namespace halvex {

// With nothing produced: shows "Transform failed" (caption "Veltra"), with `details` below it when
// one is given, and leaves the editor alone. Otherwise asks ConfirmUnsaved (after the output has
// been built) and, unless the user answers No, clears the editor and sets the output as its text.
// True when the text was replaced.
bool FinishConversion(EditorOps& editor, UserDialogs& dialogs, const std::string& output,
                      bool produced, const std::string& details = {});

}  // namespace halvex
