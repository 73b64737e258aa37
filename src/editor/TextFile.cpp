#include "editor/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace halvex {

FileReadResult ReadTextFile(const QString& path, std::size_t capacity) {
    FileReadResult result;
    if (QFileInfo(path).isDir()) {
        result.error = QStringLiteral("It is a folder, not a file.");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // Read one byte more than fits, so that a file that lies about its size is caught too.
    const qint64 limit = static_cast<qint64>(capacity) + 1;
    std::string bytes;
    char buffer[65536];
    while (static_cast<qint64>(bytes.size()) < limit) {
        const qint64 wanted = std::min<qint64>(sizeof buffer, limit - bytes.size());
        const qint64 got = file.read(buffer, wanted);
        if (got < 0) {
            result.outcome = FileReadOutcome::ReadFailed;
            result.error = file.errorString();
            return result;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (bytes.size() > capacity) {
        result.outcome = FileReadOutcome::TooLarge;
        return result;
    }
    result.outcome = FileReadOutcome::Read;
    result.bytes = std::move(bytes);
    return result;
}

QString CannotOpenMessage(const QString& path, const QString& error) {
    return QStringLiteral("Cannot open the file \"%1\".\n%2").arg(path, error);
}

QString CannotReadMessage(const QString& path, const QString& error) {
    return QStringLiteral("Cannot read the file \"%1\".\n%2").arg(path, error);
}

QString CannotSaveMessage(const QString& path, const QString& error) {
    return QStringLiteral("Cannot save the file \"%1\".\n%2").arg(path, error);
}

}  // namespace halvex
