// The view's own editing command: line ends of LF alone changed into CR LF, so that the commands
// that find lines at CR can read a text written on this platform.
#include <QString>

#include "convert/LineEnds.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexView.h"
#include "transfers/TransferGuard.h"

namespace halvex {

bool CHalvexView::CanChangeLineEndsToCrLf() const {
    return !editor_->isReadOnly() && HasLfWithoutCr(editor_->BytesView());
}

void CHalvexView::OnEditLineEndsToCrLf() {
    // It rewrites the text, as a conversion does.
    if (RefuseWhileTransferRuns(Workers, Dialogs())) return;
    const std::string text = editor_->Bytes();
    const std::string converted = LfToCrLf(text);
    if (converted.size() == text.size()) return;
    if (converted.size() > editor_->Capacity()) {
        ShowAppMessage(window(), QStringLiteral("The line ends were not changed: with a CR before "
                                                "every LF the text would be longer than %1 "
                                                "characters, which the editor cannot hold. Split "
                                                "the text and change each part.")
                                     .arg(editor_->Capacity()));
        return;
    }
    // The caret stays before the byte it was before.
    const std::size_t caret = editor_->Caret();
    editor_->ReplaceAllAsUser(converted, LfToCrLf(std::string_view(text).substr(0, caret)).size());
}

}  // namespace halvex
