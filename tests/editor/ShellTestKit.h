#pragma once
// Helpers shared by the shell's Qt tests: a recorder that answers message boxes instead of
// showing them, a scripted file chooser, and byte-exact file helpers.

#include <QFile>
#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "editor/FileDialogs.h"
#include "editor/MessageBoxes.h"

namespace halvex::testing {

class BoxRecorder {
public:
    BoxRecorder() {
        SetBoxAnswerer([this](const BoxRequest& request) {
            shown.push_back(request);
            if (!answers.empty()) {
                const BoxAnswer answer = answers.front();
                answers.pop_front();
                return answer;
            }
            return request.buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
        });
    }
    ~BoxRecorder() { SetBoxAnswerer(nullptr); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    QStringList Texts() const {
        QStringList texts;
        for (const BoxRequest& request : shown) texts.push_back(request.text);
        return texts;
    }

    std::vector<BoxRequest> shown;
    std::deque<BoxAnswer> answers;  // then OK for messages and Yes for questions
};

class ScriptedFileChooser {
public:
    ScriptedFileChooser() {
        SetFileChooser([this](FileDialogKind kind, const QString& proposed) {
            asked.push_back({kind, proposed});
            if (paths.empty()) return QString();
            const QString path = paths.front();
            paths.pop_front();
            return path;
        });
    }
    ~ScriptedFileChooser() { SetFileChooser(nullptr); }
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    struct Question {
        FileDialogKind kind;
        QString proposed;
    };
    std::vector<Question> asked;
    std::deque<QString> paths;  // then cancel
};

inline void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Every byte 0x01..0xFF once, with lone CR, lone LF and CR LF among them.
inline std::string AllNonNulBytes() {
    std::string bytes;
    for (int value = 1; value < 256; ++value) bytes.push_back(static_cast<char>(value));
    return bytes;
}

}  // namespace halvex::testing

// QCOMPARE prints std::string values readably.
namespace QTest {
template <>
inline char* toString(const std::string& value) {
    return qstrdup(QByteArray::fromStdString(value).toPercentEncoding(" ,.:;/_-()").constData());
}
}  // namespace QTest
