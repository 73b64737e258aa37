#include "editor/ParameterDialog.h"

namespace halvex {
namespace {

ParameterEditor& Editor() {
    static ParameterEditor editor;
    return editor;
}

}  // namespace

void SetParameterEditor(ParameterEditor editor) { Editor() = std::move(editor); }

std::optional<CommSettingsValues> EditParameters(QWidget* parent,
                                                 const CommSettingsValues& current) {
    if (!Editor()) return std::nullopt;
    return Editor()(parent, current);
}

}  // namespace halvex
