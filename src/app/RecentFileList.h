#pragma once
// The four most recently opened or saved files, most recent first, kept in the settings store
// under "Recent File List" as File1..File4.

#include <QString>
#include <QStringList>

class QSettings;

namespace halvex {

class RecentFileList {
public:
    static constexpr int kMaxEntries = 4;
    static constexpr int kMaxDisplayLength = 30;

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // Puts `path` first (moving it up when it is listed already).
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Paths() const { return paths_; }

    // The File menu entries: "&1 " and the path shortened to at most 30 characters, with "&" in
    // the path doubled so that it shows as itself.
    QStringList MenuTexts() const;

private:
    QStringList paths_;
};

// `path` shortened to at most `maxLength` characters: the first folder, "...", and as many of
// the last folders and the file name as fit; a file name too long by itself is cut with "...".
QString ShortenPath(const QString& path, int maxLength);

}  // namespace halvex
