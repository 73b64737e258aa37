#include "convert/CoordinateField.h"

#include <cmath>

#include "common/ByteClasses.h"
#include "convert/NumberReader.h"

namespace halvex {

namespace {

std::string_view WithoutSurroundingSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

const char* NameOf(CoordinateName name) {
    switch (name) {
        case CoordinateName::East:
            return "the east coordinate";
        case CoordinateName::North:
            return "the north coordinate";
        case CoordinateName::Height:
            return "the height";
    }
    return "a coordinate";
}

}  // namespace

bool CoordinateField::HasFiniteValue() const {
    return kind == CoordinateKind::Blank ||
           (kind == CoordinateKind::Number && std::isfinite(value));
}

CoordinateField ReadCoordinateField(std::string_view fieldOnwards) {
    CoordinateField field;
    field.word = WithoutSurroundingSpace(fieldOnwards.substr(0, fieldOnwards.find(',')));
    if (field.word.empty()) return field;
    std::size_t consumed = 0;
    field.value = ReadNumber(field.word, &consumed);
    field.kind =
        consumed == field.word.size() ? CoordinateKind::Number : CoordinateKind::NotANumber;
    return field;
}

std::string DescribeUnusableCoordinate(CoordinateName name, const CoordinateField& field) {
    std::string text = NameOf(name);
    text.append(" \"").append(field.word).append("\" ");
    text.append(field.kind == CoordinateKind::NotANumber ? "is not a number" : "is too large");
    return text;
}

}  // namespace halvex
