#pragma once
// The editor-rewriting conversion commands as the menu runs them: read the editor's text,
// convert it, report a refused input, then FinishConversion. Each runs to its end on the calling
// (user-interface) thread.

#include <string>
#include <string_view>

#include "common/EditorOps.h"
#include "common/UserDialogs.h"
#include "convert/ConversionResult.h"
#include "convert/LineEnds.h"

namespace halvex {

using Conversion = ConversionResult (*)(std::string_view text);

// Said below "Transform failed": that the text is empty; else, for a conversion that finds lines
// at CR (the Brenno and Dulmar ones) in a text with LF line ends, the line-end hint; else the
// reason the conversion gave. The hint names `remedy`.
std::string ConversionFailureDetails(std::string_view text, Conversion convert,
                                     const ConversionResult& result,
                                     LineEndsRemedy remedy = LineEndsRemedy::EditMenu);

// Shows "The file has wrong format" (caption "Veltra") alone when the conversion refuses the
// text; otherwise hands over to FinishConversion, with the failure details. True when the
// editor's text was replaced.
bool RunConversion(EditorOps& editor, UserDialogs& dialogs, Conversion convert);

bool RunTamselCassConversion(EditorOps& editor, UserDialogs& dialogs);
bool RunBrennoCassConversion(EditorOps& editor, UserDialogs& dialogs);
bool RunBrennoNezConversion(EditorOps& editor, UserDialogs& dialogs);
bool RunDulmarCassConversion(EditorOps& editor, UserDialogs& dialogs);
bool RunTamselPcodeConversion(EditorOps& editor, UserDialogs& dialogs);

}  // namespace halvex
