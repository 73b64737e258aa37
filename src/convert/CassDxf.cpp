#include "convert/CassDxf.h"

#include <utility>

#include "convert/CassPointWords.h"
#include "convert/CoordinateField.h"
#include "convert/EditorLineCounter.h"
#include "convert/LineScan.h"
#include "convert/NumberFormat.h"

namespace halvex {

namespace {

using Pair = std::pair<int, std::string_view>;

// Group code and value of each pair of the head after the leading comment.
// clang-format off
constexpr Pair kHeadPairs[] = {
    // HEADER
    {0, "SECTION"}, {2, "HEADER"},
    {9, "$EXTMIN"}, {10, "0.00000"}, {20, "0.00000"},
    {9, "$EXTMAX"}, {10, "10000.00000"}, {20, "10000.00000"},
    {9, "$LIMMIN"}, {10, "10000.00000"}, {20, "9990.85000"},
    {9, "$LIMMAX"}, {10, "10007.86000"}, {20, "10005.49000"},
    {9, "$VIEWCTR"}, {10, "5003.93000"}, {20, "5002.67000"},
    {9, "$TEXTSIZE"}, {40, "0.00020"},
    {9, "$ACADVER"}, {1, "AC1006"},
    {9, "$TEXTSTYLE"}, {7, "MONOTXT"},
    {0, "ENDSEC"},
    // TABLES
    {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "5"},
    {0, "LAYER"}, {2, "SYMBOL"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "LAYER"}, {2, "ATTRIBUTE"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "LAYER"}, {2, "LINE"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "LAYER"}, {2, "ANNOTATION"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "LAYER"}, {2, "PLANFORM"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "ENDTAB"}, {0, "ENDSEC"},
    // BLOCKS
    {0, "SECTION"}, {2, "BLOCKS"},
    {0, "BLOCK"}, {2, "SYMBOL"}, {70, "66"}, {10, "0.00000"}, {20, "0.00000"}, {30, "0.00000"},
    {0, "LINE"}, {8, "SYMBOL"}, {10, "0.00000"}, {20, "0.50000"}, {30, "0.00000"},
    {11, "0.00000"}, {21, "-0.50000"}, {31, "0.00000"},
    {0, "LINE"}, {8, "SYMBOL"}, {10, "0.50000"}, {20, "0.00000"}, {30, "0.00000"},
    {11, "-0.50000"}, {21, "0.00000"}, {31, "0.00000"},
    {0, "ENDBLK"},
    {0, "BLOCK"}, {2, "DEFAULT"}, {70, "66"}, {10, "0.00000"}, {20, "0.00000"}, {30, "0.00000"},
    {0, "ATTDEF"}, {8, "ATTRIBUTE"}, {10, "0.00000"}, {20, "-0.00040"}, {30, "0.00000"},
    {40, "0.00020"}, {1, ""}, {3, ""}, {2, "POINTID"}, {70, "1"},
    {0, "ATTDEF"}, {8, "ATTRIBUTE"}, {10, "0.00000"}, {20, "-0.00080"}, {30, "0.00000"},
    {40, "0.00020"}, {1, ""}, {3, ""}, {2, "CODE"}, {70, "1"},
    {0, "ENDBLK"},
    {0, "ENDSEC"},
    // ENTITIES
    {0, "SECTION"}, {2, "ENTITIES"},
};
// clang-format on

constexpr std::string_view kTail = "ENDSEC\r\n 0\r\nEOF\r\n";

std::string MakeHead() {
    std::string head = "999\r\nRED33     V04-04.30\r\n";
    for (const auto& [code, value] : kHeadPairs) {
        head.append(1, ' ').append(std::to_string(code)).append("\r\n");
        head.append(value).append("\r\n");
    }
    head.append(" 0\r\n");  // its value is the first line of the first point, or of the tail
    return head;
}

// The coordinate as the POINT carries it: the number as written, or 0 for a blank field.
std::string_view WrittenCoordinate(const CoordinateField& field) {
    return field.kind == CoordinateKind::Blank ? std::string_view("0") : field.word;
}

void AppendPoint(std::string& out, const CassPointWords& words) {
    const CoordinateField& east = words.eastField;
    const CoordinateField& north = words.northField;
    const CoordinateField& height = words.heightField;
    out.append("POINT\r\n  5\r\n20\r\n  8\r\nPOINT\r\n");
    out.append("10\r\n").append(WrittenCoordinate(east)).append("\r\n");
    out.append("20\r\n").append(WrittenCoordinate(north)).append("\r\n");
    out.append("30\r\n").append(WrittenCoordinate(height)).append("\r\n");
    out.append("0\r\nTEXT\r\n 8\r\nANNOTATION\r\n");
    out.append(" 10\r\n");
    AppendFixed(out, east.value + 1.0, 6);
    out.append("\r\n 20\r\n");
    AppendFixed(out, north.value + 1.0, 6);
    out.append("\r\n 30\r\n");
    AppendFixed(out, height.value, 6);
    out.append("\r\n 40\r\n1.00000\r\n");
    out.append(" 1\r\n").append(words.name).append(1, ' ').append(words.code).append(1, ' ');
    AppendFixed(out, height.value, 3);
    out.append("\r\n 50\r\n0.00000\r\n 0\r\n");
}

// Why the point of these words cannot be drawn; empty when it can.
std::string UnwritableCoordinate(const CassPointWords& words) {
    const std::pair<CoordinateName, const CoordinateField*> fields[] = {
        {CoordinateName::East, &words.eastField},
        {CoordinateName::North, &words.northField},
        {CoordinateName::Height, &words.heightField}};
    for (const auto& [name, field] : fields) {
        if (!field->HasFiniteValue()) return DescribeUnusableCoordinate(name, *field);
    }
    return {};
}

}  // namespace

const std::string& DxfHead() {
    static const std::string head = MakeHead();
    return head;
}

DxfDrawing BuildCassDxf(std::string_view text) {
    DxfDrawing drawing;
    drawing.bytes = DxfHead();
    CassPointWords words;
    EditorLineCounter lines(text);
    ForEachCrLine(text, [&](std::string_view line) {
        if (!ReadCassPointWords(line, words)) return;
        if (std::string reason = UnwritableCoordinate(words); !reason.empty()) {
            if (drawing.leftOut.size() < kListedLeftOutLines) {
                const auto offset = static_cast<std::size_t>(line.data() - text.data());
                drawing.leftOut.push_back({lines.LineAt(offset), std::move(reason)});
            }
            ++drawing.leftOutCount;
            return;
        }
        AppendPoint(drawing.bytes, words);
        ++drawing.points;
    });
    drawing.bytes.append(kTail);
    return drawing;
}

std::string DescribeLeftOutLines(const DxfDrawing& drawing) {
    if (drawing.leftOutCount == 0) return {};
    std::string text = drawing.leftOutCount == 1
                           ? std::string("1 point line was left out")
                           : std::to_string(drawing.leftOutCount) + " point lines were left out";
    text += " of the drawing:";
    for (const LeftOutPointLine& line : drawing.leftOut) {
        text.append("\nLine ").append(std::to_string(line.editorLine)).append(": ");
        text.append(line.reason).append(1, '.');
    }
    if (drawing.leftOutCount > drawing.leftOut.size())
        text.append("\n... and ")
            .append(std::to_string(drawing.leftOutCount - drawing.leftOut.size()))
            .append(" more.");
    return text;
}

}  // namespace halvex
